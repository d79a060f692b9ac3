#include "core/TerFileIO.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/FolderBrowser.h"
#include "platform/TextFile.h"

const CTerFileIO TerFileIO;

namespace {

// A backspace in a terrain line becomes a space. Backspaces are rare: memchr steps over the
// text between them far faster than a test of every byte.
void NormalizeInPlace(std::string& text) {
    char* p = text.data();
    char* const end = text.data() + text.size();
    while ((p = static_cast<char*>(std::memchr(p, '\b', static_cast<std::size_t>(end - p))))) {
        *p++ = ' ';
    }
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
        lines += kLineSeparator;
    }
    file.Close();
    // The separator is no backspace, so the whole buffer is cleaned in one pass.
    NormalizeInPlace(lines);
    return lines;
}

bool CTerFileIO::WriteTerFile(std::string path, LineBuffer lines) const {
    CTextFile file;
    if (!file.Open(path, CTextFile::Access::WriteExclusive)) return true;
    std::string_view rest = lines;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(kLineSeparator), rest.size());
        file.WriteLine(rest.substr(0, end));
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
    NormalizeInPlace(line);
    return line;
}

std::string CTerFileIO::BrowseForFolder() const {
    // The ANSI (Windows-1252) bytes of "Bitte wählen Sie das gewünschte Verzeichnis :".
    return platform::BrowseForFolder("Bitte w\xE4hlen Sie das gew\xFCnschte Verzeichnis :");
}
