#pragma once

#include <windows.h>

#include <string>

namespace platform {

/// True for the attributes of a file (not a folder) marked read-only; false when the attributes
/// could not be read.
inline bool IsReadOnly(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool IsReadOnly(const std::string& path) {
    return IsReadOnly(GetFileAttributesA(path.c_str()));
}

}  // namespace platform
