#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "cli/TerrainText.h"
#include "platform/FaultInjection.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kTexture = "texture img/v5kra_8_16_34560_42640.dds";
const std::string kDirective = "LOAD_CENTER 47.59134438 9.86572266 2333 2048";
const std::string kTerrain = "header 1\r\n" + kTexture + "\r\nend\r\n";
const std::string kConverted = "header 1\r\n" + kDirective + "\r\n" + kTexture + "\r\nend\r\n";

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

struct Terminal {
    bool isTerminal = false;
    int columns = 0;
};

CliResult CliWith(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  Terminal terminal = {}) {
    std::ostringstream err;
    CliResult result;
    result.status = RunCli(args, {in, out, err, terminal.isTerminal, terminal.columns});
    result.err = err.str();
    return result;
}

CliResult Cli(const std::vector<std::string>& args, const std::string& input = "",
              Terminal terminal = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    CliResult result = CliWith(args, in, out, terminal);
    result.out = out.str();
    return result;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Every file of a folder with its bytes, to show that a run touched nothing.
std::vector<std::pair<std::string, std::string>> Snapshot(const CTempDir& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        files.emplace_back(name, ReadBytes(dir / name));
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CliTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ClearFaults(); }
    CTempDir dir;
};

struct UsageCase {
    std::vector<std::string> args;
    const char* says;
};

TEST_F(CliTest, UsageErrorsSayOnOneLineWhatWasWrongAndTouchNothing) {
    WriteBytes(dir / "alpha.ter", kTerrain);
    const std::string folder = dir.Path();
    const std::string file = dir / "alpha.ter";
    // clang-format off
    const UsageCase cases[] = {
        {{},                                  "no command given"},
        {{"--quiet"},                         "no command given"},
        {{"frobnicate", folder},              "unknown command 'frobnicate'"},
        {{"Go", folder},                      "unknown command 'Go'"},
        {{"go"},                              "go needs a FOLDER"},
        {{"go", "--remove"},                  "go needs a FOLDER"},
        {{"go", folder, folder},              "takes one FOLDER"},
        {{"go", "--force", folder},           "unknown option '--force'"},
        {{"go", ""},                          "empty name"},
        {{"go", folder + "/missing"},         "is not a folder that can be opened"},
        {{"go", file},                        "is not a folder that can be opened"},
        {{"restore", "--remove", folder},     "restore takes no --remove"},
        {{"restore"},                         "restore needs a FOLDER"},
        {{"check", "--remove", folder},       "check takes no --remove"},
        {{"check", folder, "x"},              "takes one FOLDER"},
        {{"convert", folder},                 "convert takes no FOLDER"},
        {{"go", "--", "--remove"},            "is not a folder that can be opened"},
    };
    // clang-format on
    const auto before = Snapshot(dir);
    for (const UsageCase& c : cases) {
        const CliResult r = Cli(c.args, kTerrain);
        const std::string what = "args: " + std::to_string(c.args.size()) + " " +
                                 (c.args.empty() ? "" : c.args.front()) + ", err: " + r.err;
        EXPECT_EQ(r.status, kExitUsage) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << what;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what;
        EXPECT_EQ(r.err.rfind("brivanto-cli: ", 0), 0u) << what;
    }
    EXPECT_EQ(Snapshot(dir), before);
}

TEST_F(CliTest, HelpAndVersionGoToStandardOutput) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"go", "--help"}}) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.status, kExitSuccess);
        EXPECT_EQ(r.out.rfind("Usage: brivanto-cli", 0), 0u) << r.out;
        EXPECT_NE(r.out.find("convert [--remove]"), std::string::npos);
        EXPECT_EQ(r.err, "");
    }
    const CliResult v = Cli({"--version"});
    EXPECT_EQ(v.status, kExitSuccess);
    EXPECT_EQ(v.out, "1.0.0.1\n");
}

TEST_F(CliTest, GoConvertsTheFolderAndRestorePutsTheOriginalsBack) {
    const std::string lfOnly = "header 2\n" + kTexture + "\n";
    WriteBytes(dir / "alpha.ter", kTerrain);
    WriteBytes(dir / "BETA.TER", lfOnly);
    WriteBytes(dir / "x.ter", kTerrain);  // second character '.': never taken up
    WriteBytes(dir / "notes.txt", "not terrain\n");

    CliResult r = Cli({"go", dir.Path()});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(dir / "alpha.ter"), kConverted);
    EXPECT_EQ(ReadBytes(dir / "BETA.TER"),
              "header 2\r\n" + kDirective + "\r\n" + kTexture + "\r\n");
    EXPECT_EQ(ReadBytes(dir / "alpha.ter.bak"), kTerrain);
    EXPECT_EQ(ReadBytes(dir / "BETA.TER.bak"), lfOnly);
    EXPECT_EQ(ReadBytes(dir / "x.ter"), kTerrain);
    EXPECT_FALSE(FileExists(dir / "x.ter.bak"));
    EXPECT_EQ(SplitLines(r.err).back(),
              "Finished: 2 converted, 2 backed up, 1 skipped, 0 unchanged");

    r = Cli({"go", "--remove", dir.Path()});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(ReadBytes(dir / "alpha.ter"), kTerrain);
    EXPECT_EQ(ReadBytes(dir / "alpha.ter.bak"), kTerrain);
    EXPECT_EQ(ReadBytes(dir / "BETA.TER.bak"), lfOnly);  // the first backup stays
    EXPECT_EQ(SplitLines(r.err).back(),
              "Finished: 2 converted, 0 backed up, 1 skipped, 0 unchanged");

    r = Cli({"restore", dir.Path()});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(ReadBytes(dir / "alpha.ter"), kTerrain);
    EXPECT_EQ(ReadBytes(dir / "BETA.TER"), lfOnly);
    EXPECT_FALSE(FileExists(dir / "alpha.ter.bak"));
    EXPECT_FALSE(FileExists(dir / "BETA.TER.bak"));
    EXPECT_EQ(SplitLines(r.err).back(), "Finished: 2 restored, 0 skipped, 0 unchanged");
}

TEST_F(CliTest, GoOnAFolderWithoutTerrainFilesSaysSo) {
    WriteBytes(dir / "notes.txt", "x\n");
    const CliResult r = Cli({"go", dir.Path()});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.err, "no .ter File found: 0 converted, 0 backed up, 0 skipped, 0 unchanged\n");
    EXPECT_FALSE(FileExists(dir / "notes.txt.bak"));
}

struct TextCase {
    const char* what;
    std::string bytes;
};

// The texts where an in-memory reading could part ways with reading the file: line ends,
// bytes text mode might treat specially, and lines across the file reader's 64 KiB buffer.
std::vector<TextCase> AwkwardTexts() {
    const std::string t = kTexture;
    return {
        {"CR LF", "a\r\n" + t + "\r\n"},
        {"LF only", "a\n" + t + "\n"},
        {"blank lines", "\r\n\r\na\r\n\n\r\n" + t + "\r\n\r\n"},
        {"lone CR inside a line", "a\rb\r\n" + t + "\r\n"},
        {"CR as the last byte", "a\r\n" + t + "\r"},
        {"CR CR LF", "a\r\r\n" + t + "\r\r\n"},
        {"no last line end", "a\r\n" + t},
        {"backspaces", "a\b\r\n" + t + "\b\r\n\b\r\n"},
        {"Ctrl-Z", "a\x1a\r\n" + t + "\r\n\x1a"},
        {"NUL bytes", std::string("a\0b\r\n", 5) + t + "\r\n"},
        {"empty", ""},
        {"only line ends", "\r\n\n\r\n"},
        {"old directives", "LOAD_CENTER 1 2 3 4\r\n" + kDirective + "\r\n" + t + "\r\n"},
        {"directive naming a texture", "LOAD_CENTER " + t + "\r\n" + t + "\r\n"},
        {"placeholder and suffixes",
         "texture img/empty.dds\r\n"
         "texture img/v5kra_8_16_34560_42640_LOW.dds\r\n"
         "texture img/v5kra_16_17_69120_85300.partial.dds x\r\n"},
        {"line longer than a buffer", std::string(70000, 'x') + "\r\n" + t + "\r\n"},
        {"CR LF across buffers", std::string(65535, 'y') + "\r\n" + t + "\n"},
    };
}

TEST_F(CliTest, ConvertWritesTheBytesGoWritesForTheSameFile) {
    const std::vector<TextCase> cases = AwkwardTexts();
    for (const bool remove : {false, true}) {
        CTempDir folder;
        for (std::size_t i = 0; i < cases.size(); ++i)
            WriteBytes(folder / ("case" + std::to_string(i) + ".ter"), cases[i].bytes);
        std::vector<std::string> go = {"go", folder.Path()};
        if (remove) go.insert(go.begin() + 1, "--remove");
        const CliResult r = Cli(go);
        ASSERT_EQ(r.status, kExitSuccess) << r.err;

        for (std::size_t i = 0; i < cases.size(); ++i) {
            std::vector<std::string> convert = {"convert"};
            if (remove) convert.push_back("--remove");
            const CliResult c = Cli(convert, cases[i].bytes);
            const std::string written = ReadBytes(folder / ("case" + std::to_string(i) + ".ter"));
            EXPECT_EQ(c.status, kExitSuccess) << cases[i].what;
            EXPECT_EQ(c.err, "") << cases[i].what;
            EXPECT_TRUE(c.out == written)
                << cases[i].what << (remove ? " (remove)" : "") << ": convert gave " << c.out.size()
                << " bytes, go wrote " << written.size();
        }
    }
}

TEST_F(CliTest, ConvertAgreesWithGoOnEverySampleFile) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(BRIVANTO_SAMPLES)) {
        if (entry.path().extension() != ".ter") continue;
        names.push_back(entry.path().filename().string());
        fs::copy_file(entry.path(), dir / names.back());
    }
    ASSERT_GE(names.size(), 15u);
    std::vector<std::string> originals;
    for (const std::string& name : names) originals.push_back(ReadBytes(dir / name));

    ASSERT_EQ(Cli({"go", dir.Path()}).status, kExitSuccess);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const CliResult c = Cli({"convert"}, originals[i]);
        EXPECT_TRUE(c.out == ReadBytes(dir / names[i])) << names[i];
        EXPECT_EQ(ConvertTerrainText(c.out, false), c.out) << names[i] << " is not stable";
    }
}

TEST_F(CliTest, CheckListsTheFilesGoWouldChangeAndChangesNothing) {
    WriteBytes(dir / "current.ter", kConverted);
    WriteBytes(dir / "missing.ter", kTerrain);
    WriteBytes(dir / "stale.ter", "header 1\r\nLOAD_CENTER 47.591344 9.865723 2333 2048\r\n" +
                                      kTexture + "\r\nend\r\n");
    WriteBytes(dir / "lfonly.ter", "header 1\n" + kDirective + "\n" + kTexture + "\nend\n");
    WriteBytes(dir / "unended.ter", kConverted.substr(0, kConverted.size() - 2));
    WriteBytes(dir / "x.ter", kTerrain);  // not taken up by go, so not listed either
    const auto before = Snapshot(dir);

    CliResult r = Cli({"check", dir.Path()});
    EXPECT_EQ(r.status, kExitFailure);
    std::vector<std::string> listed = SplitLines(r.out);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed,
              (std::vector<std::string>{"lfonly.ter", "missing.ter", "stale.ter", "unended.ter"}));
    EXPECT_EQ(SplitLines(r.err).back(), "4 of 5 terrain files would change");
    EXPECT_EQ(Snapshot(dir), before);

    ASSERT_EQ(Cli({"go", dir.Path()}).status, kExitSuccess);
    r = Cli({"check", dir.Path()});
    EXPECT_EQ(r.status, kExitSuccess) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(SplitLines(r.err).back(), "0 of 5 terrain files would change");

    r = Cli({"check", "--quiet", dir.Path()});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, CheckOfAFolderWithoutTerrainFilesPasses) {
    const CliResult r = Cli({"check", dir.Path()});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "no .ter File found\n");
}

struct FaultCase {
    platform::FaultOp op;
    const char* cause;
};

TEST_F(CliTest, AFileErrorEndsGoWithThePathAndCauseAndLosesNothing) {
    // clang-format off
    const FaultCase cases[] = {
        {platform::FaultOp::Read,  ": read error; stopped at file 1 of 2"},
        {platform::FaultOp::Write, ": write error (disk full); stopped at file 1 of 2"},
    };
    // clang-format on
    for (const FaultCase& c : cases) {
        CTempDir folder;
        WriteBytes(folder / "alpha.ter", kTerrain);
        WriteBytes(folder / "beta.ter", kTerrain);
        std::vector<std::pair<std::string, std::string>> before = Snapshot(folder);

        platform::FailNthCall(c.op, 1);
        const CliResult r = Cli({"go", folder.Path()});
        platform::ClearFaults();

        EXPECT_EQ(r.status, kExitFailure) << c.cause;
        const std::vector<std::string> lines = SplitLines(r.err);
        ASSERT_FALSE(lines.empty());
        const std::string& last = lines.back();
        const bool namesAFile = last == "brivanto-cli: " + (folder / "alpha.ter") + c.cause ||
                                last == "brivanto-cli: " + (folder / "beta.ter") + c.cause;
        EXPECT_TRUE(namesAFile) << r.err;
        EXPECT_EQ(r.err.find("Finished"), std::string::npos) << r.err;
        EXPECT_EQ(Snapshot(folder), before) << c.cause;
    }
}

// A stream buffer that refuses every byte, like standard output on a full disk.
class CFullDiskBuf : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(CliTest, BrokenStandardStreamsEndConvertWithAnError) {
    CFullDiskBuf full;
    std::ostream out(&full);
    std::istringstream in(kTerrain);
    CliResult r = CliWith({"convert"}, in, out);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err, "brivanto-cli: standard output: write error\n");

    std::istringstream broken(kTerrain);
    broken.setstate(std::ios::badbit);
    std::ostringstream sink;
    r = CliWith({"convert"}, broken, sink);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err, "brivanto-cli: standard input: read error\n");
    EXPECT_EQ(sink.str(), "");
}

const std::vector<std::string> kProgressFiles = {"first.ter", "second.ter",
                                                 "third-with-a-long-name.ter"};

bool IsOneOf(const std::string& name, const std::vector<std::string>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// "[i/n] name" for one of the progress test's files, maybe padded with blanks after a longer
// line.
bool IsProgressLine(const std::string& line, const std::string& count) {
    if (line.rfind(count, 0) != 0) return false;
    std::string name = line.substr(count.size());
    name.erase(name.find_last_not_of(' ') + 1);
    return IsOneOf(name, kProgressFiles);
}

class CliProgressTest : public CliTest {
protected:
    void SetUp() override {
        for (const std::string& name : kProgressFiles) WriteBytes(dir / name, kTerrain);
    }
};

TEST_F(CliProgressTest, OffATerminalEachFileGetsALine) {
    const CliResult r = Cli({"go", dir.Path()});
    ASSERT_EQ(r.status, kExitSuccess);
    const std::vector<std::string> lines = SplitLines(r.err);
    ASSERT_EQ(lines.size(), 4u) << r.err;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(IsProgressLine(lines[i], "[" + std::to_string(i + 1) + "/3] ")) << lines[i];
    }
    EXPECT_EQ(lines[3], "Finished: 3 converted, 3 backed up, 0 skipped, 0 unchanged");
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

TEST_F(CliProgressTest, OnATerminalOneLineIsRedrawnAndClearedBeforeTheSummary) {
    const CliResult r = Cli({"go", dir.Path()}, "", {true, 0});
    ASSERT_EQ(r.status, kExitSuccess);
    const std::string summary = "Finished: 3 converted, 3 backed up, 0 skipped, 0 unchanged\n";
    ASSERT_GE(r.err.size(), summary.size());
    EXPECT_EQ(r.err.substr(r.err.size() - summary.size()), summary);
    const std::string redraws = r.err.substr(0, r.err.size() - summary.size());
    EXPECT_EQ(redraws.find('\n'), std::string::npos) << redraws;
    for (const char* step : {"\r[1/3] ", "\r[2/3] ", "\r[3/3] "})
        EXPECT_NE(redraws.find(step), std::string::npos) << step;
    // The last redraw is blanked: nothing of a file name stays in front of the summary.
    const std::size_t lastCr = redraws.find_last_of('\r', redraws.size() - 2);
    ASSERT_NE(lastCr, std::string::npos);
    const std::string blank = redraws.substr(lastCr + 1);
    EXPECT_EQ(blank.back(), '\r');
    EXPECT_EQ(blank.find_first_not_of(' '), blank.size() - 1) << blank;
}

TEST_F(CliProgressTest, OnANarrowTerminalTheLineNeverWraps) {
    const CliResult r = Cli({"go", dir.Path()}, "", {true, 16});
    ASSERT_EQ(r.status, kExitSuccess);
    const std::string redraws = r.err.substr(0, r.err.rfind('\r') + 1);
    std::istringstream parts(redraws);
    for (std::string part; std::getline(parts, part, '\r');) EXPECT_LE(part.size(), 15u) << part;
    // The name is cut, not the count.
    EXPECT_NE(redraws.find("/3] third-wit"), std::string::npos) << redraws;
    EXPECT_EQ(redraws.find("third-with"), std::string::npos) << redraws;
}

TEST_F(CliProgressTest, QuietShowsOnlyProblems) {
    CliResult r = Cli({"--quiet", "go", dir.Path()});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.err, "");

    // The first file cannot be opened: it is left as it is and the message names it.
    platform::FailNthCall(platform::FaultOp::Open, 1);
    r = Cli({"go", "-q", dir.Path()}, "", {true, 0});
    platform::ClearFaults();
    EXPECT_EQ(r.status, kExitSuccess);
    const std::vector<std::string> lines = SplitLines(r.err);
    ASSERT_EQ(lines.size(), 2u) << r.err;
    EXPECT_EQ(lines[0], "Could not be read, left unchanged:");
    EXPECT_TRUE(IsOneOf(lines[1], kProgressFiles)) << lines[1];
}

TEST_F(CliProgressTest, AMessageOnATerminalKeepsTheFileItConcerns) {
    platform::FailNthCall(platform::FaultOp::Open, 1);
    const CliResult r = Cli({"go", dir.Path()}, "", {true, 0});
    platform::ClearFaults();
    EXPECT_EQ(r.status, kExitSuccess);
    // The in-place line ends where the message begins, so both stay readable.
    const std::size_t message = r.err.find("\nCould not be read, left unchanged:\n");
    ASSERT_NE(message, std::string::npos) << r.err;
    const std::size_t start = r.err.rfind('\r', message) + 1;
    const std::string kept = r.err.substr(start, message - start);
    EXPECT_TRUE(IsProgressLine(kept, "[3/3] ")) << kept;
    EXPECT_EQ(SplitLines(r.err).back(),
              "Finished: 2 converted, 2 backed up, 0 skipped, 1 unchanged");
}

}  // namespace
