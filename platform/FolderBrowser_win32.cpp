#include <shlobj.h>
#include <windows.h>

#include "platform/FolderBrowser.h"

namespace platform {

std::string BrowseForFolder(const std::string& title) {
    BROWSEINFOA info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = 0;
    info.lpfn = nullptr;
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    if (items == nullptr) return "";
    char path[MAX_PATH] = "";
    // A virtual folder (the printers, the network neighbourhood) has no file-system path.
    const bool hasPath = SHGetPathFromIDListA(items, path) != FALSE;
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    return hasPath ? path : "";
}

}  // namespace platform
