#include <windows.h>

#include "platform/NativeFile.h"
#include "platform/ReadOnly_win32.h"

namespace platform {
namespace {

HANDLE ToHandle(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

NativeFile OpenNativeFile(const std::string& path, Access access, FileMode* mode) {
    DWORD desired = GENERIC_READ;
    DWORD share = 0;
    DWORD disposition = OPEN_EXISTING;
    switch (access) {
        case Access::ReadShared:
            share = FILE_SHARE_READ | FILE_SHARE_WRITE;
            break;
        case Access::ReadExclusive:
            break;
        case Access::WriteExclusive:
            desired = GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            break;
    }
    HANDLE h = CreateFileA(path.c_str(), desired, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kNoFile;
    if (mode != nullptr) {
        mode->readOnly = IsReadOnly(path);
        mode->permissions = 0;
    }
    return reinterpret_cast<NativeFile>(h);
}

std::ptrdiff_t ReadNativeFile(NativeFile file, char* data, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(ToHandle(file), data, static_cast<DWORD>(size), &got, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(got);
}

bool WriteNativeFile(NativeFile file, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(ToHandle(file), data, static_cast<DWORD>(size), &put, nullptr) || put == 0)
            return false;
        data += put;
        size -= put;
    }
    return true;
}

bool CloseNativeFile(NativeFile file) { return CloseHandle(ToHandle(file)) != 0; }

}  // namespace platform
