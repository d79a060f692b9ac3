#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/TerFileIO.h"
#include "platform/FaultInjection.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

class TerFileIOTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ClearFaults(); }
    CTempDir dir;
};

struct ReadCase {
    const char* what;
    std::string bytes;
    std::string buffer;
};

TEST_F(TerFileIOTest, ReadTurnsLineEndsIntoCrAndDropsEmptyLines) {
    const std::string longLine(70000, 'x');
    // clang-format off
    const ReadCase cases[] = {
        {"CR LF, blank line, LF only", "A\r\n\r\nB\n",        "A\rB\r"},
        {"last line without line end", "A\r\nlast",           "A\rlast\r"},
        {"lone CR stays in the line",  "A\rB\r\n",            "A\rB\r"},
        {"CR CR LF keeps the first",   "A\r\r\n",             "A\r\r"},
        {"backspace becomes space",    "A\bB\b\n",            "A B \r"},
        {"tab passes",                 "A\tB\n",              "A\tB\r"},
        {"Ctrl-Z is ordinary",         "A\x1a" "B\r\nC\r\n",  "A\x1a" "B\rC\r"},
        {"NUL bytes are kept",         std::string("A\0B\n", 4), std::string("A\0B\r", 4)},
        {"only blank lines",           "\r\n\n\r\n",          ""},
        {"empty file",                 "",                    ""},
        {"line longer than a buffer",  longLine + "\r\nB",    longLine + "\rB\r"},
        // The CR of this CR LF is the last byte of the first 64 KiB buffer.
        {"CR LF across buffers",       std::string(65535, 'y') + "\r\nB\n",
                                       std::string(65535, 'y') + "\rB\r"},
    };
    // clang-format on
    for (const ReadCase& c : cases) {
        WriteBytes(dir / "t.ter", c.bytes);
        const auto lines = TerFileIO.ReadTerFile(dir / "t.ter");
        ASSERT_TRUE(lines.has_value()) << c.what;
        EXPECT_EQ(*lines, c.buffer) << c.what;
    }
}

struct WriteCase {
    const char* what;
    std::string buffer;
    std::string bytes;
};

TEST_F(TerFileIOTest, WriteEndsEveryLineWithCrLf) {
    // clang-format off
    const WriteCase cases[] = {
        {"two lines",                   "A\rB\r",  "A\r\nB\r\n"},
        {"last line lacks its CR",      "A\rB",    "A\r\nB\r\n"},
        {"empty buffer",                "",        ""},
        {"Ctrl-Z and NUL pass",         std::string("\x1a\0\r", 3), std::string("\x1a\0\r\n", 4)},
        {"large",                       std::string(200000, 'z') + "\r",
                                        std::string(200000, 'z') + "\r\n"},
    };
    // clang-format on
    for (const WriteCase& c : cases) {
        WriteBytes(dir / "t.ter", "old content that must go\r\n");
        EXPECT_FALSE(TerFileIO.WriteTerFile(dir / "t.ter", c.buffer)) << c.what;
        EXPECT_EQ(ReadBytes(dir / "t.ter"), c.bytes) << c.what;
    }
}

TEST_F(TerFileIOTest, WrittenFileReadsBackAsTheSameBuffer) {
    const std::string buffer = "header\rLOAD_CENTER 1 2 3 4\rtexture v5kra_8_16_1_2.dds\r";
    ASSERT_FALSE(TerFileIO.WriteTerFile(dir / "r.ter", buffer));
    EXPECT_EQ(TerFileIO.ReadTerFile(dir / "r.ter"), buffer);
}

TEST_F(TerFileIOTest, MissingFileReadsAsNothingAndIsNoBackup) {
    EXPECT_FALSE(TerFileIO.ReadTerFile(dir / "none.ter").has_value());
    EXPECT_FALSE(TerFileIO.BackupExists(dir / "none.ter.bak"));
    WriteBytes(dir / "x.ter.bak", "");
    EXPECT_TRUE(TerFileIO.BackupExists(dir / "x.ter.bak"));
}

TEST_F(TerFileIOTest, FolderIsNeitherReadNorABackup) {
    std::filesystem::create_directory(dir / "sub.ter");
    EXPECT_FALSE(TerFileIO.ReadTerFile(dir / "sub.ter").has_value());
    EXPECT_FALSE(TerFileIO.BackupExists(dir / "sub.ter"));
}

TEST_F(TerFileIOTest, WriteThatCannotOpenReportsTrueAndCreatesNothing) {
    EXPECT_TRUE(
        TerFileIO.WriteTerFile(dir / "no-such-folder" + platform::kPathSeparator + "t.ter", "A\r"));
    EXPECT_FALSE(FileExists(dir / "no-such-folder"));
}

struct FaultCase {
    const char* what;
    platform::FaultOp op;
    bool writing;
    CFileError::Cause cause;
};

TEST_F(TerFileIOTest, ErrorsOnAnOpenedFileRaiseTheFileErrorWithTheFullPath) {
    // clang-format off
    const FaultCase cases[] = {
        {"read",  platform::FaultOp::Read,  false, CFileError::Cause::General},
        {"write", platform::FaultOp::Write, true,  CFileError::Cause::DiskFull},
        {"close", platform::FaultOp::Close, true,  CFileError::Cause::DiskFull},
    };
    // clang-format on
    WriteBytes(dir / "f.ter", "A\r\n");
    for (const FaultCase& c : cases) {
        platform::FailNthCall(c.op, 1);
        try {
            if (c.writing) {
                TerFileIO.WriteTerFile(dir / "f.ter", "A\r");
            } else {
                TerFileIO.ReadTerFile(dir / "f.ter");
            }
            ADD_FAILURE() << c.what << ": no file error";
        } catch (const CFileError& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.what;
            EXPECT_EQ(e.GetFileName(), platform::FullPath(dir / "f.ter")) << c.what;
        }
        platform::ClearFaults();
    }
}

TEST_F(TerFileIOTest, FailedOpenIsOnlyAResult) {
    WriteBytes(dir / "f.ter", "A\r\n");
    platform::FailNthCall(platform::FaultOp::Open, 1);
    EXPECT_FALSE(TerFileIO.ReadTerFile(dir / "f.ter").has_value());
    platform::FailNthCall(platform::FaultOp::Open, 1);
    EXPECT_TRUE(TerFileIO.WriteTerFile(dir / "f.ter", "B\r"));
    EXPECT_EQ(ReadBytes(dir / "f.ter"), "A\r\n");
}

TEST(FileError, NamesTheAbsolutePathOfARelativeName) {
    const CFileError error(CFileError::Cause::General, "relative.ter");
    EXPECT_EQ(error.GetFileName(), platform::FullPath("relative.ter"));
    EXPECT_NE(error.GetFileName(), "relative.ter");
    EXPECT_NE(std::string(error.what()).find("relative.ter"), std::string::npos);
}

#ifndef _WIN32
TEST(TerFileIORealDevice, FullDiskRaisesDiskFull) {
    try {
        TerFileIO.WriteTerFile("/dev/full", "A\r");
        FAIL() << "writing to /dev/full succeeded";
    } catch (const CFileError& e) {
        EXPECT_EQ(e.GetCause(), CFileError::Cause::DiskFull);
        EXPECT_EQ(e.GetFileName(), "/dev/full");
    }
}
#endif

}  // namespace
