#include "cli/Cli.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "batch/FolderOps.h"
#include "cli/CliHost.h"
#include "cli/TerrainText.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/NativeFile.h"

#ifndef BRIVANTO_VERSION
#error "BRIVANTO_VERSION must name the program's version"
#endif

namespace {

constexpr const char* kProgram = "brivanto-cli";

constexpr const char* kUsage =
    "Usage: brivanto-cli COMMAND [--quiet] ...\n"
    "\n"
    "Puts a LOAD_CENTER directive (centre, extent and pixel size of the texture) before every\n"
    "tile texture line of the terrain files (*.ter) of a folder, keeping a one-time backup\n"
    "name.ter.bak of each file.\n"
    "\n"
    "Commands:\n"
    "  go [--remove] FOLDER  convert every terrain file of FOLDER; with --remove (the dialog's\n"
    "                        \"Remove texturemapping \") only take the directives out\n"
    "  restore FOLDER        put every backup name.bak of FOLDER back in place of name\n"
    "  convert [--remove]    convert one terrain text from standard input to standard output\n"
    "  check FOLDER          change nothing; list the terrain files that go would change\n"
    "\n"
    "Options:\n"
    "  --quiet               print nothing but errors\n"
    "  --help                show this text\n"
    "  --version             show the version\n"
    "  --                    take everything after it as FOLDER, even if it starts with -\n"
    "\n"
    "Exit status: 0 done; 1 a file error ended the run, or check found files to change;\n"
    "2 the command line was wrong.\n";

enum class Command { Go, Restore, Convert, Check };

struct Invocation {
    Command command = Command::Go;
    std::string name;  // the command as typed, for messages
    bool remove = false;
    bool quiet = false;
    std::string folder;
};

struct Parsed {
    enum class Kind { Run, Help, Version, UsageError } kind = Kind::Run;
    Invocation invocation;
    std::string error;
};

Parsed UsageError(std::string message) {
    Parsed parsed;
    parsed.kind = Parsed::Kind::UsageError;
    parsed.error = std::move(message);
    return parsed;
}

std::optional<Command> CommandNamed(std::string_view name) {
    if (name == "go") return Command::Go;
    if (name == "restore") return Command::Restore;
    if (name == "convert") return Command::Convert;
    if (name == "check") return Command::Check;
    return std::nullopt;
}

Parsed Parse(const std::vector<std::string>& args) {
    Parsed parsed;
    Invocation& inv = parsed.invocation;
    bool haveCommand = false;
    bool optionsEnded = false;
    std::vector<std::string> operands;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--help" || arg == "-h") {
                parsed.kind = Parsed::Kind::Help;
                return parsed;
            }
            if (arg == "--version") {
                parsed.kind = Parsed::Kind::Version;
                return parsed;
            }
            if (arg == "--quiet" || arg == "-q") {
                inv.quiet = true;
            } else if (arg == "--remove") {
                inv.remove = true;
            } else {
                return UsageError("unknown option '" + arg + "'");
            }
        } else if (!haveCommand) {
            const std::optional<Command> command = CommandNamed(arg);
            if (!command) return UsageError("unknown command '" + arg + "'");
            inv.command = *command;
            inv.name = arg;
            haveCommand = true;
        } else {
            operands.push_back(arg);
        }
    }

    if (!haveCommand) return UsageError("no command given");
    const bool takesRemove = inv.command == Command::Go || inv.command == Command::Convert;
    if (inv.remove && !takesRemove) return UsageError(inv.name + " takes no --remove");
    if (inv.command == Command::Convert) {
        if (!operands.empty())
            return UsageError("convert takes no FOLDER ('" + operands[0] +
                              "'); it reads standard input");
        return parsed;
    }
    if (operands.empty()) return UsageError(inv.name + " needs a FOLDER");
    if (operands.size() > 1)
        return UsageError(inv.name + " takes one FOLDER, but '" + operands[1] + "' follows it");
    if (operands[0].empty()) return UsageError(inv.name + ": the FOLDER is an empty name");
    inv.folder = operands[0];
    return parsed;
}

std::string FileErrorText(const CFileError& error) {
    return error.GetFileName() + (error.GetCause() == CFileError::Cause::General
                                      ? ": read error"
                                      : ": write error (disk full)");
}

std::string CountsText(const BatchSummary& s, Command command) {
    auto n = [](std::size_t count) { return std::to_string(count); };
    if (command == Command::Restore)
        return n(s.restored) + " restored, " + n(s.skipped) + " skipped, " + n(s.unchanged) +
               " unchanged";
    return n(s.converted) + " converted, " + n(s.backedUp) + " backed up, " + n(s.skipped) +
           " skipped, " + n(s.unchanged) + " unchanged";
}

ProgressStyle StyleFor(const Invocation& inv, const CliConsole& console) {
    if (inv.quiet) return ProgressStyle::Silent;
    return console.errIsTerminal ? ProgressStyle::InPlace : ProgressStyle::Lines;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + platform::kPathSeparator + name;
}

// The bytes of a file exactly as they are on disk; nullopt when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path) {
    const platform::NativeFile file = platform::OpenNativeFile(path, platform::Access::ReadShared);
    if (file == platform::kNoFile) return std::nullopt;
    std::string bytes;
    char chunk[64 * 1024];
    for (;;) {
        const std::ptrdiff_t got = platform::ReadNativeFile(file, chunk, sizeof chunk);
        if (got < 0) {
            platform::CloseNativeFile(file);
            throw CFileError(CFileError::Cause::General, path);
        }
        if (got == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    platform::CloseNativeFile(file);
    return bytes;
}

int RunFolderOperation(const Invocation& inv, const CliConsole& console) {
    CCliHost host(console.err, StyleFor(inv, console), console.errColumns);
    try {
        const BatchSummary summary = inv.command == Command::Go
                                         ? ProcessFolder(inv.folder, inv.remove, host)
                                         : RestoreFolder(inv.folder, host);
        host.ClearLine();
        if (!inv.quiet)
            console.err << host.Status() << ": " << CountsText(summary, inv.command) << '\n';
        return kExitSuccess;
    } catch (const CFileError& error) {
        host.ClearLine();
        console.err << kProgram << ": " << FileErrorText(error) << "; stopped at file "
                    << host.Current() << " of " << host.Total() << '\n';
        return kExitFailure;
    }
}

int RunConvert(const Invocation& inv, const CliConsole& console) {
    if (console.binaryStdio != nullptr) console.binaryStdio();
    std::string input;
    char chunk[64 * 1024];
    while (console.in.read(chunk, sizeof chunk) || console.in.gcount() > 0) {
        input.append(chunk, static_cast<std::size_t>(console.in.gcount()));
    }
    if (console.in.bad()) {
        console.err << kProgram << ": standard input: read error\n";
        return kExitFailure;
    }
    const std::string output = ConvertTerrainText(input, inv.remove);
    console.out.write(output.data(), static_cast<std::streamsize>(output.size()));
    return kExitSuccess;
}

int RunCheck(const Invocation& inv, const CliConsole& console) {
    CCliHost host(console.err, StyleFor(inv, console), console.errColumns);
    const std::vector<std::string> names = ListTerrainFiles(inv.folder);
    std::size_t stale = 0;
    std::size_t unreadable = 0;
    try {
        for (std::size_t i = 0; i < names.size(); ++i) {
            host.ReportProgress(i + 1, names.size());
            host.SetStatus(names[i]);
            host.RefreshControls();
            const std::string full = Join(inv.folder, names[i]);
            const std::optional<std::string> bytes = ReadFileBytes(full);
            if (!bytes) {
                host.ClearLine();
                console.err << kProgram << ": " << full << ": cannot be opened\n";
                ++unreadable;
            } else if (ConvertTerrainText(*bytes, false) != *bytes) {
                host.ClearLine();
                console.out << names[i] << '\n';
                console.out.flush();
                ++stale;
            }
        }
    } catch (const CFileError& error) {
        host.ClearLine();
        console.err << kProgram << ": " << FileErrorText(error) << '\n';
        return kExitFailure;
    }
    host.ClearLine();
    if (!inv.quiet) {
        if (names.empty()) {
            console.err << batch_text::kNoTerFile << '\n';
        } else {
            console.err << stale << " of " << names.size() << " terrain files would change";
            if (unreadable > 0) console.err << ", " << unreadable << " could not be opened";
            console.err << '\n';
        }
    }
    return stale > 0 || unreadable > 0 ? kExitFailure : kExitSuccess;
}

int Run(const Invocation& inv, const CliConsole& console) {
    if (inv.command != Command::Convert) {
        // The dialog treats a folder that is not there as one without terrain files; on the
        // command line it is nearly always a mistyped name, and a script must hear of it.
        std::vector<platform::DirEntry> entries;
        if (!platform::FindFiles(inv.folder, "*", entries)) {
            console.err << kProgram << ": " << inv.name << ": '" << inv.folder
                        << "' is not a folder that can be opened\n";
            return kExitUsage;
        }
    }
    switch (inv.command) {
        case Command::Go:
        case Command::Restore:
            return RunFolderOperation(inv, console);
        case Command::Convert:
            return RunConvert(inv, console);
        case Command::Check:
            break;
    }
    return RunCheck(inv, console);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliConsole& console) {
    const Parsed parsed = Parse(args);
    int status = kExitSuccess;
    switch (parsed.kind) {
        case Parsed::Kind::Help:
            console.out << kUsage;
            break;
        case Parsed::Kind::Version:
            console.out << BRIVANTO_VERSION << '\n';
            break;
        case Parsed::Kind::UsageError:
            console.err << kProgram << ": " << parsed.error << " (see brivanto-cli --help)\n";
            return kExitUsage;
        case Parsed::Kind::Run:
            try {
                status = Run(parsed.invocation, console);
            } catch (const std::exception& error) {
                console.err << kProgram << ": " << error.what() << '\n';
                return kExitFailure;
            }
            break;
    }
    console.out.flush();
    if (!console.out) {
        console.err << kProgram << ": standard output: write error\n";
        return kExitFailure;
    }
    return status;
}
