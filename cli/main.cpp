#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "platform/Console.h"

namespace {

void BinaryStdio() {
    platform::SetBinaryMode(platform::StdStream::Input);
    platform::SetBinaryMode(platform::StdStream::Output);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CliConsole console{std::cin,
                             std::cout,
                             std::cerr,
                             platform::IsTerminal(platform::StdStream::Error),
                             platform::TerminalColumns(platform::StdStream::Error),
                             BinaryStdio};
    return RunCli(args, console);
}
