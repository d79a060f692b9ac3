// ConvertLines on arbitrary bytes, checked for the properties every output must have.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/TerConverter.h"

namespace {

std::vector<std::string_view> Lines(std::string_view buffer) {
    std::vector<std::string_view> lines;
    while (!buffer.empty()) {
        const std::size_t cr = buffer.find('\r');
        lines.push_back(buffer.substr(0, cr));
        if (cr == std::string_view::npos) break;
        buffer.remove_prefix(cr + 1);
    }
    return lines;
}

// The directive a texture line must get, worked out from the line's own rules: the first
// ".dds" after the line's start, no placeholder, a "v5kra_" marker, the suffixes cut.
std::string ExpectedDirective(std::string_view line) {
    const std::size_t dds = line.find(".dds");
    if (dds == std::string_view::npos || dds == 0) return "";
    if (line.find("empty.dds") != std::string_view::npos) return "";
    const std::size_t marker = line.find("v5kra_");
    if (marker == std::string_view::npos) return "";
    std::string_view tile = line.substr(marker + 6);
    for (std::string_view suffix : {"_LOW", ".partial", ".dds"})
        tile = tile.substr(0, tile.find(suffix));
    const auto info = TerConverter.ParseTileName(std::string(tile));
    return info ? TerConverter.LoadCenterLine(*info) : "";
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string converted = TerConverter.ConvertLines(input, false);
    const std::string removed = TerConverter.ConvertLines(input, true);

    if (TerConverter.ConvertLines(converted, false) != converted) Fail("convert is not idempotent");
    if (TerConverter.ConvertLines(removed, true) != removed) Fail("remove is not idempotent");
    if (!converted.empty() && converted.back() != '\r') Fail("last line has no separator");

    for (std::string_view line : Lines(removed)) {
        if (line.empty()) Fail("empty line after remove");
        if (line.find("LOAD_CENTER") != std::string_view::npos) Fail("directive left by remove");
    }
    const std::vector<std::string_view> lines = Lines(converted);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) Fail("empty line after convert");
        if (lines[i].find("LOAD_CENTER") != std::string_view::npos) {
            // Every directive left is one the conversion made, for the line after it.
            if (i + 1 == lines.size()) Fail("directive at the end");
            if (ExpectedDirective(lines[i + 1]) != lines[i])
                Fail("directive does not fit its line");
            if (lines[i + 1].find("LOAD_CENTER") != std::string_view::npos)
                Fail("directive before a directive");
        } else {
            const std::string expected = ExpectedDirective(lines[i]);
            if (!expected.empty() && (i == 0 || lines[i - 1] != expected))
                Fail("texture line without its directive");
        }
    }
    // Removing the directives of the converted text gives the removed text.
    if (TerConverter.ConvertLines(converted, true) != removed) Fail("remove after convert differs");
    return 0;
}
