#include "core/TerFileIO.h"

#include <algorithm>
#include <string_view>

#include "platform/FolderBrowser.h"
#include "platform/TextFile.h"

const CTerFileIO TerFileIO;

std::optional<LineBuffer> CTerFileIO::ReadTerFile(std::string path) const {
    platform::FileMode ignored;
    return ReadTerFile(std::move(path), ignored);
}

std::optional<LineBuffer> CTerFileIO::ReadTerFile(std::string path,
                                                  platform::FileMode& mode) const {
    CTextFile file;
    if (!file.Open(path, CTextFile::Access::ReadShared, &mode)) return std::nullopt;
    LineBuffer lines;
    std::string line;
    while (file.ReadLine(line)) {
        if (line.empty()) continue;
        line = NormalizeLine(std::move(line));  // the line's buffer is reused for the next one
        lines += line;
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
    std::replace(line.begin(), line.end(), '\b', ' ');
    return line;
}

std::string CTerFileIO::BrowseForFolder() const {
    // The ANSI (Windows-1252) bytes of "Bitte wählen Sie das gewünschte Verzeichnis :".
    return platform::BrowseForFolder("Bitte w\xE4hlen Sie das gew\xFCnschte Verzeichnis :");
}
