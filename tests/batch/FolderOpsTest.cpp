#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/FolderOps.h"
#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"
#include "support/RecordingHost.h"
#include "support/Scenery.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kOriginal = "A\r\nTEXTURE_FILE img/v5kra_8_16_34560_42640.dds\r\n";
const std::string kConverted =
    "A\r\nLOAD_CENTER 47.59134438 9.86572266 2333 2048\r\n"
    "TEXTURE_FILE img/v5kra_8_16_34560_42640.dds\r\n";

class FolderOpsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ClearFaults(); }
    CTempDir dir;
    CRecordingHost host;
};

TEST_F(FolderOpsTest, GoConvertsEveryTerrainFileAndKeepsTheOriginal) {
    const auto files = SampleTerrain();
    WriteTerrain(dir, files);
    const BatchSummary summary = ProcessFolder(dir.Path(), false, host);

    std::string failure;
    EXPECT_EQ(CountConverted(dir, files, false, failure), 3);
    EXPECT_EQ(failure, "");
    for (const TerrainFile& file : files) {
        EXPECT_EQ(ReadBytes(dir / (file.name + ".bak")), file.bytes) << file.name;
    }
    EXPECT_EQ(ReadBytes(dir / "alpen.ter"),
              "TERRAIN 1\r\nLOAD_CENTER 47.59134438 9.86572266 2333 2048\r\n"
              "TEXTURE_FILE img/v5kra_8_16_34560_42640.dds\r\nVERTEX 1 2 3\r\n");
    EXPECT_EQ(summary.converted, 3u);
    EXPECT_EQ(summary.backedUp, 3u);
    EXPECT_EQ(host.Status(), "Finished");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.calls.back(), "refresh");
}

TEST_F(FolderOpsTest, EachFileIsNamedAndShownBeforeItIsWorkedOn) {
    WriteBytes(dir / "one.ter", kOriginal);
    ProcessFolder(dir.Path(), false, host);
    const std::vector<std::string> expected = {"progress 1/1", "status one.ter", "refresh",
                                               "status Finished", "refresh"};
    EXPECT_EQ(host.calls, expected);
}

TEST_F(FolderOpsTest, GoTakesOnlyTerrainFilesThatPassTheNameFilter) {
    // clang-format off
    const std::vector<std::string> untouched = {
        "a.ter",          // second character '.'
        ".hidden.ter",    // first character '.'
        "scene.terrain",      // another extension, though a short-name alias may end in .ter
        "notes.txt",
        "scene.ter.old",
    };
    // clang-format on
    for (const std::string& name : untouched) WriteBytes(dir / name, kOriginal);
    WriteBytes(dir / "Scene.TeR", kOriginal);  // the extension in any case
    fs::create_directory(dir / "sub.ter");     // folders are never taken for files
    WriteBytes((dir / "sub.ter") + platform::kPathSeparator + "inner.ter", kOriginal);

    const BatchSummary summary = ProcessFolder(dir.Path(), false, host);

    for (const std::string& name : untouched) EXPECT_EQ(ReadBytes(dir / name), kOriginal) << name;
    EXPECT_EQ(ReadBytes(dir / "Scene.TeR"), kConverted);
    EXPECT_EQ(ReadBytes((dir / "sub.ter") + platform::kPathSeparator + "inner.ter"), kOriginal);
    EXPECT_FALSE(FileExists(dir / "sub.ter.bak"));
    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.skipped, 3u);  // a.ter, .hidden.ter, sub.ter
}

TEST_F(FolderOpsTest, RunningTwiceKeepsTheFirstBackupAndGivesTheSameText) {
    WriteBytes(dir / "scene.ter", kOriginal);
    ProcessFolder(dir.Path(), false, host);
    ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kConverted);
    EXPECT_EQ(ReadBytes(dir / "scene.ter.bak"), kOriginal);

    const BatchSummary removal = ProcessFolder(dir.Path(), true, host);
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kOriginal);
    EXPECT_EQ(ReadBytes(dir / "scene.ter.bak"), kOriginal);
    EXPECT_EQ(removal.backedUp, 0u);
}

TEST_F(FolderOpsTest, FoldersWithNothingToDoChangeNothing) {
    WriteBytes(dir / "readme.txt", "text");
    const std::string missing = dir / "does-not-exist";
    for (const std::string& folder : {dir.Path(), missing, std::string()}) {
        CRecordingHost fresh;
        const BatchSummary summary = ProcessFolder(folder, false, fresh);
        EXPECT_EQ(fresh.Status(), "no .ter File found") << folder;
        EXPECT_EQ(summary.converted, 0u);
        const BatchSummary restore = RestoreFolder(folder, fresh);
        EXPECT_EQ(fresh.Status(), "Finished") << folder;
        EXPECT_EQ(restore.restored, 0u);
    }
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"readme.txt"});
}

TEST_F(FolderOpsTest, BackupThatCannotBeOpenedIsReportedAndTheFileStillConverted) {
    WriteBytes(dir / "scene.ter", kOriginal);
    fs::create_directory(dir / "scene.ter.bak");
    ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Original konnte nicht gesichert werden"});
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kConverted);
    EXPECT_TRUE(fs::is_directory(dir / "scene.ter.bak"));
    EXPECT_EQ(host.Status(), "Finished");
}

TEST_F(FolderOpsTest, UnreadableFilesAreLeftAloneAndListedOnce) {
    WriteBytes(dir / "scene.ter", kOriginal);
    platform::FailNthCall(platform::FaultOp::Open, 1);  // the read of x.ter
    const BatchSummary summary = ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kOriginal);
    EXPECT_FALSE(FileExists(dir / "scene.ter.bak"));
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Could not be read, left unchanged:\nscene.ter"});
    EXPECT_EQ(summary.unchanged, 1u);
    EXPECT_EQ(host.Status(), "Finished");
}

TEST_F(FolderOpsTest, LongListOfUnreadableFilesIsCut) {
    std::vector<std::string> names;
    for (int i = 0; i < 23; ++i) {
        names.push_back("f" + std::to_string(100 + i) + ".ter");
        WriteBytes(dir / names.back(), kOriginal);
    }
    // Every open fails: one at a time, armed again before each of the 23 reads.
    class FailingHost : public CRecordingHost {
    public:
        void RefreshControls() override {
            platform::FailNthCall(platform::FaultOp::Open, 1);
            CRecordingHost::RefreshControls();
        }
    } failing;
    ProcessFolder(dir.Path(), false, failing);
    platform::ClearFaults();
    ASSERT_EQ(failing.messages.size(), 1u);
    const std::string& text = failing.messages[0];
    EXPECT_EQ(text.rfind("Could not be read, left unchanged:\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_NE(text.find("\nand 3 more"), std::string::npos);
    for (const std::string& name : names) EXPECT_EQ(ReadBytes(dir / name), kOriginal);
}

TEST_F(FolderOpsTest, LeftoverTemporaryFileIsRemovedNotConverted) {
    WriteBytes(dir / "scene.ter", kOriginal);
    WriteBytes(dir / "scene.ter.brvtmp", "half of a rewrite");
    ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"scene.ter", "scene.ter.bak"}));
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kConverted);
}

TEST_F(FolderOpsTest, RestorePutsEveryBackupBack) {
    WriteBytes(dir / "scene.ter", kConverted);
    WriteBytes(dir / "scene.ter.bak", kOriginal);
    WriteBytes(dir / "notes.txt", "new notes");
    WriteBytes(dir / "notes.txt.bak", "old notes");
    WriteBytes(dir / "gone.ter.bak", kOriginal);  // its terrain file was deleted meanwhile
    WriteBytes(dir / "y.bakup", "not a backup");
    WriteBytes(dir / "a.bak", "filtered");
    fs::create_directory(dir / "folder.bak");

    const BatchSummary summary = RestoreFolder(dir.Path(), host);

    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kOriginal);
    EXPECT_EQ(ReadBytes(dir / "notes.txt"), "old notes");
    EXPECT_EQ(ReadBytes(dir / "gone.ter"), kOriginal);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"a.bak", "folder.bak", "gone.ter",
                                                      "notes.txt", "scene.ter", "y.bakup"}));
    EXPECT_EQ(summary.restored, 3u);
    EXPECT_EQ(summary.skipped, 2u);
    EXPECT_EQ(host.Status(), "Finished");
}

TEST_F(FolderOpsTest, GoThenRestoreGivesBackTheOriginalFolder) {
    const auto files = SampleTerrain();
    WriteTerrain(dir, files);
    ProcessFolder(dir.Path(), false, host);
    RestoreFolder(dir.Path(), host);
    std::vector<std::string> names;
    for (const TerrainFile& file : files) {
        EXPECT_EQ(ReadBytes(dir / file.name), file.bytes) << file.name;
        names.push_back(file.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Listing(dir), names);
}

TEST_F(FolderOpsTest, ListTerrainFilesNamesWhatGoTakesUp) {
    WriteBytes(dir / "b.ter", "");
    WriteBytes(dir / "zz.ter", "");
    WriteBytes(dir / "zz.ter.bak", "");
    fs::create_directory(dir / "d.ter");
    auto names = ListTerrainFiles(dir.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, std::vector<std::string>{"zz.ter"});
}

#ifndef _WIN32
TEST_F(FolderOpsTest, PermissionsOfARewrittenFileAreKept) {
    WriteBytes(dir / "scene.ter", kOriginal);
    ASSERT_EQ(::chmod((dir / "scene.ter").c_str(), 0640), 0);
    ProcessFolder(dir.Path(), false, host);
    struct stat st;
    ASSERT_EQ(::stat((dir / "scene.ter").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kConverted);
}

TEST_F(FolderOpsTest, ReadOnlyFileIsLeftAsItIs) {
    WriteBytes(dir / "scene.ter", kOriginal);
    ASSERT_EQ(::chmod((dir / "scene.ter").c_str(), 0444), 0);
    const BatchSummary summary = ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), kOriginal);
    EXPECT_FALSE(FileExists(dir / "scene.ter.bak"));
    EXPECT_EQ(summary.unchanged, 1u);
}

TEST_F(FolderOpsTest, LinkedTerrainFileNeverWritesItsTarget) {
    CTempDir elsewhere;
    WriteBytes(elsewhere / "target.ter", kOriginal);
    fs::create_symlink(elsewhere / "target.ter", dir / "link.ter");
    ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(ReadBytes(elsewhere / "target.ter"), kOriginal);
    EXPECT_EQ(ReadBytes(dir / "link.ter"), kConverted);
    EXPECT_FALSE(fs::is_symlink(dir / "link.ter"));
    EXPECT_EQ(ReadBytes(dir / "link.ter.bak"), kOriginal);
}

TEST_F(FolderOpsTest, NamesWithSpacesDashesAndHighBytesAreOrdinary) {
    for (const std::string name : {"with space.ter", "-rf.ter",
                                   "Gr\xfc\xdf"
                                   "e.ter"}) {
        WriteBytes(dir / name, kOriginal);
    }
    const BatchSummary summary = ProcessFolder(dir.Path(), false, host);
    EXPECT_EQ(summary.converted, 3u);
    EXPECT_EQ(ReadBytes(dir / "-rf.ter"), kConverted);
    EXPECT_EQ(ReadBytes(dir / "Gr\xfc\xdf"
                              "e.ter.bak"),
              kOriginal);
}
#endif

}  // namespace
