#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating system's file handles, beneath CTextFile. One implementation per platform
// (NativeFile_posix.cpp, NativeFile_win32.cpp), both reached through the fault seam in tests.
namespace platform {

enum class Access {
    ReadShared,      ///< reading; others may go on reading and writing, not delete or rename
    ReadExclusive,   ///< reading without sharing
    WriteExclusive,  ///< create or truncate for writing, without sharing
};

/// What a rewrite needs to know of a file it read.
struct FileMode {
    bool readOnly = false;     ///< no write permission bits (POSIX), read-only attribute (Windows)
    unsigned permissions = 0;  ///< POSIX permission bits; 0 on Windows
};

using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

/// Opens a file; a directory or any other failure gives kNoFile. Reading takes regular files
/// only (never waits on a pipe or device) and, given mode, tells the file's mode.
NativeFile OpenNativeFile(const std::string& path, Access access, FileMode* mode = nullptr);
/// Reads up to size bytes; returns the count (0 at the end) or -1 on error.
std::ptrdiff_t ReadNativeFile(NativeFile file, char* data, std::size_t size);
/// Writes all size bytes; false on error.
bool WriteNativeFile(NativeFile file, const char* data, std::size_t size);
/// Closes the handle; false on error. The handle is gone either way.
bool CloseNativeFile(NativeFile file);

}  // namespace platform
