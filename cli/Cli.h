#pragma once

#include <iosfwd>
#include <string>
#include <vector>

/// Where the command line reads and writes, and what it knows of its terminal.
struct CliConsole {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;       ///< progress is redrawn in place on one line
    int errColumns = 0;               ///< that terminal's width; 0 when unknown
    void (*binaryStdio)() = nullptr;  ///< makes in and out pass bytes unchanged (convert)
};

inline constexpr int kExitSuccess = 0;
/// A file error ended the operation, or check found files that "Go" would change.
inline constexpr int kExitFailure = 1;
/// The command line was wrong; nothing was touched.
inline constexpr int kExitUsage = 2;

/// Runs brivanto-cli with args (the arguments after the program name) and returns its exit
/// status.
int RunCli(const std::vector<std::string>& args, const CliConsole& console);
