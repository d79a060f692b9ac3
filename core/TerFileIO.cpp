#include "core/TerFileIO.h"

#include <algorithm>
#include <string_view>

#include "platform/FolderBrowser.h"
#include "platform/TextFile.h"

const CTerFileIO TerFileIO;

namespace {

// A backspace in a terrain line becomes a space.
void NormalizeInPlace(std::string::iterator begin, std::string::iterator end) {
    std::replace(begin, end, '\b', ' ');
}

}  // namespace

std::optional<LineBuffer> CTerFileIO::ReadTerFile(std::string path) const {
    platform::FileMode ignored;
    return ReadTerFile(std::move(path), ignored);
}

std::optional<LineBuffer> CTerFileIO::ReadTerFile(std::string path,
                                                  platform::FileMode& mode) const {
    CTextFile file;
    if (!file.Open(path, CTextFile::Access::ReadShared, &mode)) return std::nullopt;
    // Each line is read straight into the buffer, so a huge line is held once, not twice.
    LineBuffer lines;
    for (std::size_t start = 0; file.AppendLine(lines); start = lines.size()) {
        if (lines.size() == start) continue;  // an empty line is dropped
        NormalizeInPlace(lines.begin() + static_cast<std::ptrdiff_t>(start), lines.end());
        lines += kLineSeparator;
    }
    file.Close();
    return lines;
}

bool CTerFileIO::WriteTerFile(std::string path, LineBuffer lines) const {
    CTextFile file;
    if (!file.Open(path, CTextFile::Access::WriteExclusive)) return true;
    std::string_view rest = lines;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(kLineSeparator), rest.size());
        file.WriteText(rest.substr(0, end));
        file.WriteText("\n");
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    file.Close();
    return false;
}

bool CTerFileIO::BackupExists(std::string path) const {
    CTextFile file;
    const bool opened = file.Open(path, CTextFile::Access::ReadExclusive);
    file.Close();
    return opened;
}

std::string CTerFileIO::NormalizeLine(std::string line) const {
    NormalizeInPlace(line.begin(), line.end());
    return line;
}

std::string CTerFileIO::BrowseForFolder() const {
    // The ANSI (Windows-1252) bytes of "Bitte wählen Sie das gewünschte Verzeichnis :".
    return platform::BrowseForFolder("Bitte w\xE4hlen Sie das gew\xFCnschte Verzeichnis :");
}
