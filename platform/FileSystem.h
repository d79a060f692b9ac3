#pragma once

#include <string>
#include <vector>

#include "platform/NativeFile.h"

// Files and folders as the folder operations and settings need them. One implementation per
// platform (FileSystem_posix.cpp, FileSystem_win32.cpp) with the same behaviour.
namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct DirEntry {
    std::string name;
    bool isDirectory = false;  ///< a folder, or a link to one
};

/// Lists the entries of folder whose names match pattern ('*' any run, '?' any one character),
/// ignoring case as the Windows search does. Returns false when the folder cannot be searched.
bool FindFiles(const std::string& folder, const std::string& pattern,
               std::vector<DirEntry>& entries);

/// Deletes a file.
bool RemoveFile(const std::string& path);

/// Renames from to to, failing when to exists. Never replaces anything.
bool RenameNoReplace(const std::string& from, const std::string& to);

/// Puts the file from in place of to in one step (to need not exist), so that to is never
/// missing. Fails, leaving both, when to is a folder (and, on Windows, when it is read-only).
bool MoveOver(const std::string& from, const std::string& to);

/// Puts the finished temporary file temp in place of target in one step (target need not
/// exist); what target held is dropped. Should the process die within this call, the old
/// content is left under temp's name at worst, a name no data file ever has.
bool PutInPlace(const std::string& temp, const std::string& target);

enum class BackupKind {
    Failed,   ///< nothing changed; backup already exists or the folder refused
    Linked,   ///< backup names the file; path still does too
    Renamed,  ///< the file system has no hard links: the file was renamed to backup
};

/// Keeps the file at path under the name backup, failing when backup exists. Where the file
/// system allows, path keeps naming the file too, so it is never missing while a replacement
/// is put in place.
BackupKind CreateBackup(const std::string& path, const std::string& backup);

/// The mode of the file at path itself (a link is not followed); false when it is missing.
bool GetFileMode(const std::string& path, FileMode& mode);

/// Gives a file just written the permission bits of the file it will replace (POSIX only).
bool SetPermissions(const std::string& path, const FileMode& mode);

/// path made absolute against the current directory, not otherwise normalised.
std::string FullPath(const std::string& path);

/// The program's first command-line argument, as the C run time's parser gives it.
std::string FirstArgument();

/// The folder of the running executable.
std::string ExecutableDirectory();

}  // namespace platform
