#include <string>

#include <gtest/gtest.h>

#include "platform/FaultInjection.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "settings/LastPathStore.h"
#include "support/TempDir.h"

namespace {

class LastPathStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ProgramDirectory = dir.Path(); }
    void TearDown() override {
        platform::ClearFaults();
        ProgramDirectory.clear();
    }
    std::string Cfg() const { return dir / "LastPath.cfg"; }
    CTempDir dir;
};

TEST_F(LastPathStoreTest, SavedPathIsWrittenExactlyAndLoadsBack) {
    // clang-format off
    const std::string paths[] = {
        "C:\\Scenery\\Alpen",
        "/home/user/scenery",
        "D:\\Gr\xfc\xdf" "e Szenerie",  // non-ASCII bytes of the ANSI code page
        "",
    };
    // clang-format on
    for (const std::string& path : paths) {
        LastPathStore.SaveLastPath(path);
        EXPECT_EQ(ReadBytes(Cfg()), path);
        EXPECT_EQ(LastPathStore.LoadLastPath(), path);
    }
}

TEST_F(LastPathStoreTest, LoadTakesTheFirstLineOnly) {
    struct Case {
        const char* bytes;
        const char* path;
    };
    // clang-format off
    const Case cases[] = {
        {"first\r\nsecond\r\n", "first"},
        {"first\nsecond",       "first"},
        {"only",                "only"},
        {"\r\nsecond",          ""},
        {"",                    ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        WriteBytes(Cfg(), c.bytes);
        EXPECT_EQ(LastPathStore.LoadLastPath(), c.path) << c.bytes;
    }
}

TEST_F(LastPathStoreTest, MissingFileMeansNoFolder) { EXPECT_EQ(LastPathStore.LoadLastPath(), ""); }

TEST_F(LastPathStoreTest, UnwritableFileKeepsItsContentSilently) {
    WriteBytes(Cfg(), "kept");
    platform::FailNthCall(platform::FaultOp::Open, 1);
    LastPathStore.SaveLastPath("new");
    EXPECT_EQ(ReadBytes(Cfg()), "kept");

    ProgramDirectory = dir / "missing-folder";
    LastPathStore.SaveLastPath("new");
    EXPECT_FALSE(FileExists(dir / "missing-folder"));
}

TEST_F(LastPathStoreTest, ErrorsAfterTheOpenRaiseTheFileError) {
    WriteBytes(Cfg(), "kept");
    platform::FailNthCall(platform::FaultOp::Read, 1);
    try {
        LastPathStore.LoadLastPath();
        ADD_FAILURE() << "read error absorbed";
    } catch (const CFileError& e) {
        EXPECT_EQ(e.GetCause(), CFileError::Cause::General);
        EXPECT_EQ(e.GetFileName(), Cfg());
    }
    platform::FailNthCall(platform::FaultOp::Close, 1);
    EXPECT_THROW(LastPathStore.SaveLastPath("x"), CFileError);
}

TEST(ProgramDirectory, IsTheFirstArgumentUpToItsLastSeparator) {
    const char sep = platform::kPathSeparator;
    struct Case {
        std::string argument;
        std::string directory;
    };
    const Case cases[] = {
        {std::string("C:") + sep + "Tools" + sep + "x.exe", std::string("C:") + sep + "Tools"},
        {std::string("bin") + sep + "x.exe", "bin"},
        {std::string(".") + sep + "x.exe", "."},
        {std::string(1, sep) + "x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgramDirectoryOf(c.argument), c.directory);
}

TEST(ProgramDirectory, BareProgramNameGivesTheExecutablesFolder) {
    const std::string directory = ProgramDirectoryOf("settings_tests");
    EXPECT_EQ(directory, platform::ExecutableDirectory());
    EXPECT_TRUE(FileExists(directory));
    EXPECT_NE(directory, "");
}

TEST(ProgramDirectory, InitTakesTheRealFirstArgument) {
    InitProgramDirectory();
    EXPECT_EQ(ProgramDirectory, ProgramDirectoryOf(platform::FirstArgument()));
    EXPECT_NE(platform::FirstArgument().find("settings_tests"), std::string::npos);
    ProgramDirectory.clear();
}

}  // namespace
