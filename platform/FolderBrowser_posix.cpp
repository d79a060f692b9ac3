#include "platform/FolderBrowser.h"

namespace platform {

// There is no shell folder browser on POSIX; folders come from the command line there.
std::string BrowseForFolder(const std::string&) { return ""; }

}  // namespace platform
