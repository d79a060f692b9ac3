#include "cli/TerrainText.h"

#include <algorithm>

#include "core/TerConverter.h"
#include "core/TerFileIO.h"

LineBuffer LinesFromText(std::string_view bytes) {
    LineBuffer lines;
    lines.reserve(bytes.size() + 1);
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        // Only a CR that stands right before the LF belongs to the line end.
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty()) continue;
        lines += TerFileIO.NormalizeLine(std::string(line));
        lines += kLineSeparator;
    }
    return lines;
}

std::string TextFromLines(std::string_view lines) {
    std::string text;
    text.reserve(lines.size() + lines.size() / 16 + 2);
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find(kLineSeparator), lines.size());
        text += lines.substr(0, end);
        text += "\r\n";
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    return text;
}

std::string ConvertTerrainText(std::string_view bytes, bool remove) {
    return TextFromLines(TerConverter.ConvertLines(LinesFromText(bytes), remove));
}
