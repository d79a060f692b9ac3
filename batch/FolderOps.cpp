#include "batch/FolderOps.h"

#include <utility>

#include "core/TerConverter.h"
#include "core/TerFileIO.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kTerrainExtension = ".ter";
constexpr const char* kBackupExtension = ".bak";
// A rewrite goes to name.ter.brvtmp first. The name ends neither in .ter nor in .bak, so
// neither operation ever takes a leftover of a killed run for one of its files.
constexpr const char* kTempExtension = ".brvtmp";
constexpr std::size_t kMaxListedNames = 20;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (Fold(name[name.size() - suffix.size() + i]) != Fold(suffix[i])) return false;
    }
    return true;
}

// Names the folder operations never take up: hidden ones, "a.ter"-like ones and the
// shortest.
bool PassesNameFilter(const std::string& name) {
    return name.size() >= 3 && name[0] != '.' && name[1] != '.';
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + platform::kPathSeparator + name;
}

struct FolderScan {
    std::vector<std::string> names;      // the files to take up, in the platform's order
    std::vector<std::string> leftovers;  // temporary files of an interrupted run
    std::size_t skipped = 0;
};

// Lists the whole folder before anything in it changes, so a run never meets files it made.
// An empty folder path names no folder: nothing on disk is searched.
FolderScan ScanFolder(const std::string& folder, const std::string& extension) {
    FolderScan scan;
    std::vector<platform::DirEntry> entries;
    if (folder.empty() || !platform::FindFiles(folder, "*", entries)) return scan;
    const std::string temp = std::string(kTerrainExtension) + kTempExtension;
    for (platform::DirEntry& entry : entries) {
        if (!entry.isDirectory && EndsWithIgnoringCase(entry.name, temp)) {
            scan.leftovers.push_back(std::move(entry.name));
        } else if (EndsWithIgnoringCase(entry.name, extension)) {
            if (entry.isDirectory || !PassesNameFilter(entry.name)) {
                ++scan.skipped;
            } else {
                scan.names.push_back(std::move(entry.name));
            }
        }
    }
    return scan;
}

std::string UnreadableMessage(const std::vector<std::string>& names) {
    std::string text = batch_text::kUnreadable;
    for (std::size_t i = 0; i < names.size() && i < kMaxListedNames; ++i) text += "\n" + names[i];
    if (names.size() > kMaxListedNames)
        text += "\nand " + std::to_string(names.size() - kMaxListedNames) + " more";
    return text;
}

// Writes the converted text next to the terrain file. Returns false when the temporary file
// cannot be created. On a write or close error it is removed again and the error names the
// terrain file, which is untouched.
bool WriteTemporary(const std::string& full, const std::string& temp, LineBuffer lines) {
    try {
        return !TerFileIO.WriteTerFile(temp, std::move(lines));
    } catch (const CFileError& error) {
        platform::RemoveFile(temp);
        throw CFileError(error.GetCause(), full);
    }
}

// Shows the file an operation takes up next, before any work on it, and returns its path.
std::string BeginFile(BatchHost& host, const std::string& folder, const std::string& name,
                      std::size_t current, std::size_t total) {
    host.ReportProgress(current, total);
    host.SetStatus(name);
    std::string full = Join(folder, name);
    host.RefreshControls();
    return full;
}

struct FileResult {
    bool readable = false;
    bool converted = false;
    bool backedUp = false;
};

FileResult ConvertFile(const std::string& full, bool remove, BatchHost& host) {
    FileResult result;
    platform::FileMode mode;
    std::optional<LineBuffer> lines = TerFileIO.ReadTerFile(full, mode);
    if (!lines) return result;
    result.readable = true;
    // A file its owner marked read-only is left as it is, as one that cannot be written.
    if (mode.readOnly) return result;

    const std::string temp = full + kTempExtension;
    if (!WriteTemporary(full, temp, TerConverter.ConvertLines(std::move(*lines), remove)))
        return result;
    platform::SetPermissions(temp, mode);

    // The backup is made once and never replaced. Making it is tried first, as that is what
    // most files need; only when it fails is an existing backup looked for, and one that
    // cannot be opened counts as none.
    const std::string backup = full + kBackupExtension;
    const platform::BackupKind kind = platform::CreateBackup(full, backup);
    if (kind == platform::BackupKind::Failed && !TerFileIO.BackupExists(backup))
        host.ShowMessage(batch_text::kBackupFailed);
    result.backedUp = kind != platform::BackupKind::Failed;
    result.converted = platform::PutInPlace(temp, full);
    if (!result.converted) {
        platform::RemoveFile(temp);
        // Without hard links the original went to the backup's name: bring it back.
        if (kind == platform::BackupKind::Renamed && platform::RenameNoReplace(backup, full))
            result.backedUp = false;
    }
    return result;
}

}  // namespace

std::vector<std::string> ListTerrainFiles(const std::string& folder) {
    return ScanFolder(folder, kTerrainExtension).names;
}

BatchSummary ProcessFolder(std::string folder, bool remove, BatchHost& host) {
    BatchSummary summary;
    FolderScan scan = ScanFolder(folder, kTerrainExtension);
    summary.skipped = scan.skipped;
    for (const std::string& name : scan.leftovers) platform::RemoveFile(Join(folder, name));

    std::vector<std::string> unreadable;
    for (std::size_t i = 0; i < scan.names.size(); ++i) {
        const std::string& name = scan.names[i];
        const std::string full = BeginFile(host, folder, name, i + 1, scan.names.size());
        const FileResult result = ConvertFile(full, remove, host);
        if (!result.readable) unreadable.push_back(name);
        ++(result.converted ? summary.converted : summary.unchanged);
        if (result.backedUp) ++summary.backedUp;
    }
    if (!unreadable.empty()) host.ShowMessage(UnreadableMessage(unreadable));
    host.SetStatus(scan.names.empty() ? batch_text::kNoTerFile : batch_text::kFinished);
    host.RefreshControls();
    return summary;
}

BatchSummary RestoreFolder(std::string folder, BatchHost& host) {
    BatchSummary summary;
    const FolderScan scan = ScanFolder(folder, kBackupExtension);
    summary.skipped = scan.skipped;
    for (std::size_t i = 0; i < scan.names.size(); ++i) {
        const std::string& name = scan.names[i];
        const std::string full = BeginFile(host, folder, name, i + 1, scan.names.size());
        // One step, so that the file is never missing; a failure leaves both as they were.
        const std::string target = full.substr(0, full.size() - 4);
        platform::FileMode mode;
        const bool readOnly = platform::GetFileMode(target, mode) && mode.readOnly;
        if (!readOnly && platform::MoveOver(full, target)) {
            ++summary.restored;
        } else {
            ++summary.unchanged;
        }
    }
    host.SetStatus(batch_text::kFinished);
    host.RefreshControls();
    return summary;
}
