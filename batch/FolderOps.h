#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "batch/BatchHost.h"

/// What one folder operation did, for hosts that report figures.
struct BatchSummary {
    std::size_t converted = 0;  ///< terrain files rewritten ("Go")
    std::size_t backedUp = 0;   ///< backups made ("Go")
    std::size_t restored = 0;   ///< backups put back ("Restore Files")
    std::size_t skipped = 0;    ///< entries passed over: hidden or short names, folders
    std::size_t unchanged = 0;  ///< files left as they were: unreadable, read-only, unwritable
};

/// "Go": converts every terrain file of folder (ConvertLines with remove), keeping a one-time
/// backup name.ter.bak of each. Each file is rewritten through a temporary file, so it is
/// always either its old or its new content. A file error ends the batch at that file and
/// propagates as CFileError naming the terrain file.
BatchSummary ProcessFolder(std::string folder, bool remove, BatchHost& host);

/// "Restore Files": puts every backup name.bak of folder back in place of name.
BatchSummary RestoreFolder(std::string folder, BatchHost& host);

/// The names of folder's terrain files that "Go" takes up, in the platform's order.
std::vector<std::string> ListTerrainFiles(const std::string& folder);

/// The status texts and messages the folder operations use.
namespace batch_text {
inline constexpr const char* kFinished = "Finished";
inline constexpr const char* kNoTerFile = "no .ter File found";
inline constexpr const char* kBackupFailed = "Original konnte nicht gesichert werden";
inline constexpr const char* kUnreadable = "Could not be read, left unchanged:";
}  // namespace batch_text
