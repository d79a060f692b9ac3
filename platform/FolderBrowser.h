#pragma once

#include <string>

namespace platform {

/// Shows the shell's folder browser, rooted at the desktop, without an owner window. Returns
/// the chosen folder's file-system path, or "" when the user cancels or the choice has none.
/// Where the platform has no such browser (POSIX), returns "".
std::string BrowseForFolder(const std::string& title);

}  // namespace platform
