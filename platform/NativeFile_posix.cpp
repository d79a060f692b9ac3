#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/NativeFile.h"

// POSIX has no share modes: every open here shares everything. What Windows refuses and a
// caller may rely on (opening a directory as a file) is refused here too.
namespace platform {

NativeFile OpenNativeFile(const std::string& path, Access access, FileMode* mode) {
    int fd;
    if (access == Access::WriteExclusive) {
        // Opening a folder for writing fails by itself (EISDIR).
        do {
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? kNoFile : fd;
    }
    // O_NONBLOCK: a pipe or device in the folder must not hold the open up; regular files
    // ignore the flag.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return kNoFile;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kNoFile;
    }
    if (mode != nullptr) {
        mode->permissions = st.st_mode & 07777;
        mode->readOnly = (st.st_mode & 0222) == 0;
    }
    return fd;
}

std::ptrdiff_t ReadNativeFile(NativeFile file, char* data, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(file), data, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool WriteNativeFile(NativeFile file, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(static_cast<int>(file), data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool CloseNativeFile(NativeFile file) { return ::close(static_cast<int>(file)) == 0; }

}  // namespace platform
