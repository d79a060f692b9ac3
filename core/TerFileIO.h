#pragma once

#include <optional>
#include <string>

#include "core/LineBuffer.h"
#include "platform/NativeFile.h"

/// Terrain files between disk and LineBuffer. Stateless; used through the one global instance
/// TerFileIO. Read, write and close errors on an opened file throw CFileError.
class CTerFileIO {
public:
    /// The file's lines, each cleaned by NormalizeLine and ended by CR; empty lines dropped.
    /// CR LF and LF both end a line. nullopt when the file cannot be opened; callers that do not
    /// care take that as an empty buffer.
    std::optional<LineBuffer> ReadTerFile(std::string path) const;
    /// The same, telling the mode of the file read (for a rewrite that keeps it).
    std::optional<LineBuffer> ReadTerFile(std::string path, platform::FileMode& mode) const;

    /// Creates or truncates path and writes every line of lines with a CR LF line end (a last
    /// line without its CR too). Returns true when the file cannot be opened for writing, false
    /// when it was written.
    bool WriteTerFile(std::string path, LineBuffer lines) const;

    /// True when path can be opened for reading.
    bool BackupExists(std::string path) const;

    /// line with every backspace (code 8) replaced by a space.
    std::string NormalizeLine(std::string line) const;

    /// Shows the shell's folder browser; the chosen folder's path, or "" when the user cancels
    /// or picks a folder that has no file-system path.
    std::string BrowseForFolder() const;
};

extern const CTerFileIO TerFileIO;
