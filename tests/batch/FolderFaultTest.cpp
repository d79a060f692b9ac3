#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/FolderOps.h"
#include "platform/FaultInjection.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "support/RecordingHost.h"
#include "support/Scenery.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

namespace {

using platform::FaultOp;

struct FaultKind {
    const char* what;
    FaultOp op;
    bool endsTheBatch;  // a file error; otherwise the batch goes on
};

// clang-format off
const FaultKind kFaults[] = {
    {"open",   FaultOp::Open,   false},
    {"read",   FaultOp::Read,   true},
    {"write",  FaultOp::Write,  true},
    {"close",  FaultOp::Close,  true},
    {"rename", FaultOp::Rename, false},
};
// clang-format on

bool NamesATerrainFile(const CTempDir& dir, const std::vector<TerrainFile>& files,
                       const std::string& path) {
    for (const TerrainFile& file : files) {
        if (path == platform::FullPath(dir / file.name)) return true;
    }
    return false;
}

// Fails the n-th call of each kind of operation in turn, for every n until a run goes
// through untouched; after each, nothing may be lost and a following run completes the
// folder exactly.
TEST(FolderFaults, NoFaultLosesAByteOrLeavesATemporaryFile) {
    const auto files = SampleTerrain();
    for (const FaultKind& fault : kFaults) {
        for (int n = 1; n <= 16; ++n) {
            SCOPED_TRACE(std::string(fault.what) + " #" + std::to_string(n));
            CTempDir dir;
            WriteTerrain(dir, files);
            CRecordingHost host;
            platform::FailNthCall(fault.op, n);
            bool ended = false;
            try {
                ProcessFolder(dir.Path(), false, host);
            } catch (const CFileError& error) {
                ended = true;
                EXPECT_TRUE(fault.endsTheBatch);
                EXPECT_TRUE(NamesATerrainFile(dir, files, error.GetFileName()))
                    << error.GetFileName();
                EXPECT_NE(host.Status(), "Finished");
            }
            platform::ClearFaults();
            if (!ended) {
                EXPECT_EQ(host.Status(), "Finished");
            }

            std::string failure;
            CountConverted(dir, files, false, failure);
            EXPECT_EQ(failure, "");

            // A refused backup is shown, and that file is converted in place regardless.
            std::set<std::string> convertedInPlace;
            for (std::size_t i = 0; i < host.messages.size(); ++i) {
                if (host.messages[i] == "Original konnte nicht gesichert werden")
                    convertedInPlace.insert(host.statusAtMessage[i]);
            }
            CRecordingHost again;
            ProcessFolder(dir.Path(), false, again);
            EXPECT_EQ(CountConverted(dir, files, false, failure, convertedInPlace), 3);
            EXPECT_EQ(failure, "");
        }
    }
}

TEST(FolderFaults, FaultsOnASecondRunKeepTheFirstBackups) {
    const auto files = SampleTerrain();
    for (const FaultKind& fault : kFaults) {
        for (int n = 1; n <= 12; ++n) {
            SCOPED_TRACE(std::string(fault.what) + " #" + std::to_string(n));
            CTempDir dir;
            WriteTerrain(dir, files);
            CRecordingHost host;
            ProcessFolder(dir.Path(), false, host);
            platform::FailNthCall(fault.op, n);
            try {
                ProcessFolder(dir.Path(), true, host);
            } catch (const CFileError&) {
                EXPECT_TRUE(fault.endsTheBatch);
            }
            platform::ClearFaults();
            for (const TerrainFile& file : files) {
                const std::string now = ReadBytes(dir / file.name);
                EXPECT_TRUE(now == ConvertedBytes(file.bytes, false) ||
                            now == ConvertedBytes(file.bytes, true))
                    << file.name;
                EXPECT_EQ(ReadBytes(dir / (file.name + ".bak")), file.bytes) << file.name;
            }
            for (const std::string& name : Listing(dir)) {
                EXPECT_EQ(name.find(".brvtmp"), std::string::npos) << name;
            }
        }
    }
}

TEST(FolderFaults, FailedRestoreLeavesBothFiles) {
    CTempDir dir;
    WriteBytes(dir / "scene.ter", "converted\r\n");
    WriteBytes(dir / "scene.ter.bak", "original\r\n");
    CRecordingHost host;
    platform::FailNthCall(FaultOp::Rename, 1);
    const BatchSummary summary = RestoreFolder(dir.Path(), host);
    platform::ClearFaults();
    EXPECT_EQ(ReadBytes(dir / "scene.ter"), "converted\r\n");
    EXPECT_EQ(ReadBytes(dir / "scene.ter.bak"), "original\r\n");
    EXPECT_EQ(summary.unchanged, 1u);
    EXPECT_EQ(host.Status(), "Finished");
}

#ifndef _WIN32
// A real write error: the file size limit makes the kernel refuse the rewrite's bytes.
TEST(FolderFaults, RealWriteErrorEndsTheBatchAndKeepsTheFile) {
    CTempDir dir;
    const std::string big =
        "TEXTURE_FILE img/v5kra_8_16_34560_42640.dds\r\n" + std::string(3000, 'x') + "\r\n";
    WriteBytes(dir / "big.ter", big);
    CRecordingHost host;

    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 2048;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool diskFull = false;
    std::string path;
    try {
        ProcessFolder(dir.Path(), false, host);
    } catch (const CFileError& error) {
        diskFull = error.GetCause() == CFileError::Cause::DiskFull;
        path = error.GetFileName();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(diskFull);
    EXPECT_EQ(path, dir / "big.ter");
    EXPECT_EQ(ReadBytes(dir / "big.ter"), big);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"big.ter"});
    EXPECT_EQ(host.Status(), "big.ter");
}
#endif

}  // namespace
