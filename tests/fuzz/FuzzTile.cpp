// The tile path on arbitrary tile texts: a record or none, and a directive of the right shape.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/TerConverter.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "property broken: %s: %s\n", what, text.c_str());
    std::abort();
}

// -?digits*.8digits
bool IsCoordinate(const std::string& s) {
    std::size_t i = s.rfind('.');
    if (i == std::string::npos || s.size() - i != 9) return false;
    for (std::size_t j = i + 1; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9') return false;
    for (std::size_t j = s[0] == '-' ? 1 : 0; j < i; ++j)
        if (s[j] < '0' || s[j] > '9') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto info = TerConverter.ParseTileName(text);
    if (!info) return 0;
    const std::string line = TerConverter.LoadCenterLine(*info);
    if (line.empty()) return 0;
    if (info->span <= 0) Fail("directive for an empty block", text);
    std::string fields[5];
    std::size_t n = 0, start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            if (n == 5) Fail("too many fields", line);
            fields[n++] = line.substr(start, i - start);
            start = i + 1;
        }
    }
    if (n != 5 || fields[0] != "LOAD_CENTER") Fail("not a directive", line);
    if (!IsCoordinate(fields[1]) || !IsCoordinate(fields[2])) Fail("bad coordinate", line);
    if (fields[3].empty() || fields[3].find_first_not_of("0123456789") != std::string::npos)
        Fail("bad distance", line);
    if (fields[4] != std::to_string(static_cast<std::int64_t>(info->span) * 256))
        Fail("bad pixel count", line);
    // The record must be what its text says, parsed again.
    const auto again = TerConverter.ParseTileName(text);
    if (!again || TerConverter.LoadCenterLine(*again) != line) Fail("not deterministic", text);
    return 0;
}
