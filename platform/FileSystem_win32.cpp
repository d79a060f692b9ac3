#include <windows.h>

#include <cstdlib>

#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"
#include "platform/ReadOnly_win32.h"

namespace platform {
namespace {

// Virus scanners and indexers hold a file just written for a moment; a rename that meets
// them is tried again for about a second before it counts as failed.
template <typename Op>
bool WithRetries(Op op) {
    for (int attempt = 0;; ++attempt) {
        if (op()) return true;
        const DWORD error = GetLastError();
        if (attempt == 10 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            return false;
        Sleep(100);
    }
}

}  // namespace

bool FindFiles(const std::string& folder, const std::string& pattern,
               std::vector<DirEntry>& entries) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + kPathSeparator + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        entries.push_back(
            {data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (InjectFault(FaultOp::Rename)) return false;
    return WithRetries([&] { return MoveFileExA(from.c_str(), to.c_str(), 0) != 0; });
}

bool MoveOver(const std::string& from, const std::string& to) {
    if (InjectFault(FaultOp::Rename)) return false;
    // A read-only target refuses at once: no point in waiting for it.
    if (IsReadOnly(to)) return false;
    return WithRetries(
        [&] { return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0; });
}

bool PutInPlace(const std::string& temp, const std::string& target) {
    return MoveOver(temp, target);
}

BackupKind CreateBackup(const std::string& path, const std::string& backup) {
    if (InjectFault(FaultOp::Rename)) return BackupKind::Failed;
    if (CreateHardLinkA(backup.c_str(), path.c_str(), nullptr)) return BackupKind::Linked;
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS)
        return BackupKind::Failed;
    return RenameNoReplace(path, backup) ? BackupKind::Renamed : BackupKind::Failed;
}

bool GetFileMode(const std::string& path, FileMode& mode) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    mode.readOnly = IsReadOnly(attributes);
    mode.permissions = 0;
    return true;
}

bool SetPermissions(const std::string&, const FileMode&) { return true; }

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (n == 0) return path;
    if (n < sizeof buffer) return std::string(buffer, n);
    std::string full(n, '\0');
    const DWORD m = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
    if (m == 0 || m >= n) return path;
    full.resize(m);
    return full;
}

std::string FirstArgument() { return __argc > 0 && __argv[0] != nullptr ? __argv[0] : ""; }

std::string ExecutableDirectory() {
    char buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    std::string exe(buffer, n < sizeof buffer ? n : 0);
    const std::size_t slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

}  // namespace platform
