#ifndef _GNU_SOURCE
#define _GNU_SOURCE  // renameat2
#endif

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"
#include "platform/NameMatch.h"

#ifdef __APPLE__
#include <crt_externs.h>
#include <mach-o/dyld.h>
#endif

namespace platform {
namespace {

bool IsDirectoryEntry(DIR* dir, const dirent* entry) {
#ifdef DT_DIR
    if (entry->d_type == DT_DIR) return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
#endif
    struct stat st;
    return ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

bool LinkNoReplace(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0;
}

bool SwapNames(const std::string& a, const std::string& b) {
#if defined(__linux__)
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#elif defined(__APPLE__)
    return ::renamex_np(a.c_str(), b.c_str(), RENAME_SWAP) == 0;
#else
    return false;
#endif
}

}  // namespace

bool FindFiles(const std::string& folder, const std::string& pattern,
               std::vector<DirEntry>& entries) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        if (!MatchesPattern(entry->d_name, pattern)) continue;
        entries.push_back({entry->d_name, IsDirectoryEntry(dir, entry)});
    }
    ::closedir(dir);
    return true;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (InjectFault(FaultOp::Rename)) return false;
#if defined(__APPLE__)
    if (::renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0) return true;
    if (errno != ENOTSUP) return false;
#elif defined(__linux__)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
    // The file system cannot rename without replacing: a hard link fails on an existing name,
    // and only then is the old name dropped.
    if (!LinkNoReplace(from, to)) return false;
    return ::unlink(from.c_str()) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    if (InjectFault(FaultOp::Rename)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PutInPlace(const std::string& temp, const std::string& target) {
    if (InjectFault(FaultOp::Rename)) return false;
    // Swapping the two names and then dropping the old file costs the file system far less
    // than a rename over an existing name, which must update the replaced file in that step.
    if (SwapNames(temp, target)) {
        ::unlink(temp.c_str());
        return true;
    }
    // No target yet, or a file system that cannot swap names.
    return ::rename(temp.c_str(), target.c_str()) == 0;
}

BackupKind CreateBackup(const std::string& path, const std::string& backup) {
    if (InjectFault(FaultOp::Rename)) return BackupKind::Failed;
    if (LinkNoReplace(path, backup)) return BackupKind::Linked;
    if (errno == EEXIST) return BackupKind::Failed;
    return RenameNoReplace(path, backup) ? BackupKind::Renamed : BackupKind::Failed;
}

bool GetFileMode(const std::string& path, FileMode& mode) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return false;
    mode.permissions = st.st_mode & 07777;
    mode.readOnly = S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
    return true;
}

bool SetPermissions(const std::string& path, const FileMode& mode) {
    // New files get 0666 less the umask; only a file that had other bits needs a chmod.
    static const mode_t created = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    if (mode.permissions == created) return true;
    return ::chmod(path.c_str(), mode.permissions) == 0;
}

std::string FullPath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
    std::string full = cwd;
    if (full.back() != '/') full += '/';
    return full + path;
}

std::string FirstArgument() {
#ifdef __APPLE__
    char** argv = *_NSGetArgv();
    return argv != nullptr && argv[0] != nullptr ? argv[0] : "";
#else
    // /proc/self/cmdline holds the arguments as the program received them, each ended by NUL.
    std::string first;
    if (FILE* f = std::fopen("/proc/self/cmdline", "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF && c != '\0';) first += static_cast<char>(c);
        std::fclose(f);
    }
    return first;
#endif
}

std::string ExecutableDirectory() {
    std::string exe;
#ifdef __APPLE__
    char buffer[PATH_MAX];
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) == 0) exe = buffer;
#else
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0) exe.assign(buffer, static_cast<std::size_t>(n));
#endif
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

}  // namespace platform
