#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>

#include "platform/Console.h"

namespace platform {
namespace {

HANDLE StdHandle(StdStream stream) {
    switch (stream) {
        case StdStream::Input:
            return GetStdHandle(STD_INPUT_HANDLE);
        case StdStream::Output:
            return GetStdHandle(STD_OUTPUT_HANDLE);
        case StdStream::Error:
            break;
    }
    return GetStdHandle(STD_ERROR_HANDLE);
}

FILE* StdFile(StdStream stream) {
    switch (stream) {
        case StdStream::Input:
            return stdin;
        case StdStream::Output:
            return stdout;
        case StdStream::Error:
            break;
    }
    return stderr;
}

}  // namespace

// The run time's _isatty also says yes for the NUL device; only a console has a console mode.
bool IsTerminal(StdStream stream) {
    DWORD mode = 0;
    return GetConsoleMode(StdHandle(stream), &mode) != 0;
}

int TerminalColumns(StdStream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(StdHandle(stream), &info)) return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

void SetBinaryMode(StdStream stream) {
    FILE* file = StdFile(stream);
    std::fflush(file);
    _setmode(_fileno(file), _O_BINARY);
}

}  // namespace platform
