// Hostile and broken inputs: each either gives a sound result or a clear error, and nothing
// is lost: after "Go" every file holds its converted text and its backup the original, and
// "Restore Files" brings back the original bytes.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/FolderOps.h"
#include "support/RecordingHost.h"
#include "support/Scenery.h"
#include "support/TempDir.h"

namespace {

struct HostileCase {
    const char* what;
    std::string bytes;
};

std::string Junk(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

TEST(HostileFiles, ContentIsConvertedSoundlyAndRestoredExactly) {
    const std::string texture = "TEXTURE_FILE img/v5kra_8_16_34560_42640.dds";
    // clang-format off
    const HostileCase cases[] = {
        {"50 MB single line",   std::string(50u << 20, 'q') + texture},
        {"binary junk",         Junk(256 * 1024)},
        {"NUL bytes",           std::string("A\0B\r\n", 5) + texture + std::string("\0\r\n", 3)},
        {"lone CRs",            "A\rB\r" + texture + "\rC"},
        {"Ctrl-Z",              "A\x1a\r\n" + texture + "\r\n\x1a\x1a"},
        {"overflowing numbers", "t v5kra_99999999999_16_1_1.dds\r\nt v5kra_8_16_2147483647_1.dds\r\n"
                                "t v5kra_8_-99999999999_1_1.dds\r\n"},
        {"zero and negative spans", "t v5kra_0_16_1_1.dds\r\nt v5kra_-4_16_1_1.dds\r\n"},
        {"extreme zoom",        "t v5kra_1_2000_1_1.dds\r\nt v5kra_1_-2000_1_1.dds\r\n"},
        {"only line ends",      "\r\n\r\n\n\r"},
        {"empty file",          ""},
    };
    // clang-format on
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTempDir dir;
        WriteBytes(dir / "hostile.ter", c.bytes);
        CRecordingHost host;
        ProcessFolder(dir.Path(), false, host);
        EXPECT_EQ(host.Status(), "Finished");
        EXPECT_EQ(ReadBytes(dir / "hostile.ter.bak"), c.bytes);
        EXPECT_EQ(ReadBytes(dir / "hostile.ter"), ConvertedBytes(c.bytes, false));
        ProcessFolder(dir.Path(), true, host);
        EXPECT_EQ(ReadBytes(dir / "hostile.ter"), ConvertedBytes(c.bytes, true));
        RestoreFolder(dir.Path(), host);
        EXPECT_EQ(ReadBytes(dir / "hostile.ter"), c.bytes);
        EXPECT_EQ(Listing(dir), std::vector<std::string>{"hostile.ter"});
    }
}

TEST(HostileFiles, OverflowingTilesGetNoDirective) {
    CTempDir dir;
    WriteBytes(dir / "numbers.ter", "t v5kra_8_16_99999999999_1.dds\r\n");
    CRecordingHost host;
    ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(ReadBytes(dir / "numbers.ter"), "t v5kra_8_16_99999999999_1.dds\r\n");
}

TEST(HostileFolders, FoldersNamedLikeTerrainFilesAndBackupsAreLeftAlone) {
    CTempDir dir;
    std::filesystem::create_directory(dir / "trap.ter");
    std::filesystem::create_directory(dir / "trap.ter.bak");
    WriteBytes((dir / "trap.ter") + "/inside.txt", "keep");
    CRecordingHost host;
    const BatchSummary go = ProcessFolder(dir.Path(), false, host);
    const BatchSummary restore = RestoreFolder(dir.Path(), host);
    EXPECT_EQ(go.converted + restore.restored, 0u);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "trap.ter"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "trap.ter.bak"));
    EXPECT_EQ(ReadBytes((dir / "trap.ter") + "/inside.txt"), "keep");
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
