#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/Console.h"

namespace platform {
namespace {

int Descriptor(StdStream stream) {
    switch (stream) {
        case StdStream::Input:
            return STDIN_FILENO;
        case StdStream::Output:
            return STDOUT_FILENO;
        case StdStream::Error:
            break;
    }
    return STDERR_FILENO;
}

}  // namespace

bool IsTerminal(StdStream stream) { return ::isatty(Descriptor(stream)) == 1; }

int TerminalColumns(StdStream stream) {
    const int fd = Descriptor(stream);
    if (::isatty(fd) != 1) return 0;
    struct winsize size {};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0) return 0;
    return size.ws_col;
}

// POSIX streams never translate line ends.
void SetBinaryMode(StdStream /*stream*/) {}

}  // namespace platform
