#include "core/TerConverter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

#include "core/TextSearch.h"

const CTerConverter TerConverter;

namespace {

// The directive's constants, exactly as the existing scenery was computed with: the 15-digit
// pi, not the library's, and its reciprocal rounded the same way.
constexpr double kPi = 3.14159265358979;
constexpr double kInvPi = 0.318309886183791;
constexpr double kDegToRad = kPi / 180;
static_assert(kDegToRad == 0.017453292519943278);
constexpr double kEarthRadius = 6378137;
constexpr std::int32_t kTilePixels = 256;
constexpr std::size_t kCoordinateDecimals = 8;
constexpr double kCoordinateScale = 1e8;  // 10^kCoordinateDecimals

constexpr std::string_view kDirective = "LOAD_CENTER";
constexpr std::string_view kTexture = ".dds";
constexpr std::string_view kPlaceholder = "empty.dds";
constexpr std::string_view kTileMarker = "v5kra_";
constexpr std::string_view kSuffixes[] = {"_LOW", ".partial", ".dds"};

// Latitude of the edge below tile row k, rows counted from the south (inverse Mercator).
// k + k is taken in 64 bits so no row overflows.
double RowLatitude(std::int64_t k, double n) {
    const double u = (static_cast<double>(k + k) / n - 1) * kPi;
    return std::atan2(std::sinh(u), 1.0) * kInvPi * 180;
}

double ColLongitude(std::int64_t k, double n) { return (360 / n) * static_cast<double>(k) - 180; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The integer value of a text read the usual decimal way: leading white space, an optional
// sign, the digits up to the first other character; no digits give 0. nullopt on overflow.
std::optional<std::int32_t> IntegerValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// |x| * 10^decimals rounded half away from zero, worked out on the 17-significant-digit decimal
// form of |x|, as decimal digits without leading zeros ("0" for zero).
std::string ScaledDigits(double magnitude, int decimals) {
    if (magnitude == 0) return "0";
    char form[32];
    const auto result =
        std::to_chars(form, form + sizeof form, magnitude, std::chars_format::scientific, 16);
    // form is "d.dddddddddddddddde[+-]xx": 17 digits and the exponent of the first.
    std::string digits;
    digits.reserve(17);
    const char* p = form;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);

    const int keep = exponent + decimals + 1;  // digits at or above 10^-decimals
    if (keep <= 0) return keep == 0 && digits[0] >= '5' ? "1" : "0";
    if (keep >= static_cast<int>(digits.size())) {
        digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
        return digits;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    return digits;
}

std::string NonFinite(double x) {
    if (std::isnan(x)) return "nan";
    return x < 0 ? "-inf" : "inf";
}

// Appends the scaled digits of a coordinate (|x| * 10^8, rounded) with the point before the
// last eight; nothing stands before the point when the integer part is 0.
void AppendScaled(std::string& out, const char* digits, std::size_t count) {
    if (count <= kCoordinateDecimals) {
        out += '.';
        out.append(kCoordinateDecimals - count, '0');
        out.append(digits, count);
        return;
    }
    out.append(digits, count - kCoordinateDecimals);
    out += '.';
    out.append(digits + count - kCoordinateDecimals, kCoordinateDecimals);
}

void AppendCoordinate(std::string& out, double x) {
    if (!std::isfinite(x)) {
        out += NonFinite(x);
        return;
    }
    if (std::signbit(x)) out += '-';
    const double magnitude = std::fabs(x);
    // Below 1024, y = |x| * 10^8 is within 2^-17 of the exact product, and the 17-digit form
    // of |x| is within 5e-6 of it after scaling. Unless y lies within 1e-4 of a half, the
    // exact product, the 17-digit form and y all round to the same whole number, so y can be
    // rounded directly. (floor(y) and y - floor(y) are exact below 2^52.)
    if (magnitude < 1024) {
        const double y = magnitude * kCoordinateScale;
        const double whole = std::floor(y);
        const double fraction = y - whole;
        if (std::fabs(fraction - 0.5) > 1e-4) {
            char digits[24];
            const auto scaled = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            const auto result = std::to_chars(digits, digits + sizeof digits, scaled);
            AppendScaled(out, digits, static_cast<std::size_t>(result.ptr - digits));
            return;
        }
    }
    const std::string digits = ScaledDigits(magnitude, kCoordinateDecimals);
    AppendScaled(out, digits.data(), digits.size());
}

void AppendWhole(std::string& out, double x) {
    if (!std::isfinite(x)) {
        out += NonFinite(x);
        return;
    }
    const double magnitude = std::fabs(x);
    // Below 10^15 every half n + 0.5 has at most 17 significant digits, so the 17-digit form
    // of a value lies on the same side of it as the value itself: plain rounding agrees.
    if (magnitude < 1e15) {
        char text[24];
        const auto result = std::to_chars(text, text + sizeof text,
                                          static_cast<std::int64_t>(std::round(magnitude)));
        out.append(text, result.ptr);
        return;
    }
    out += ScaledDigits(magnitude, 0);
}

std::optional<TileInfo> ParseTile(std::string_view s, const platform::LeadByteTable* lead) {
    std::int32_t fields[3];
    for (std::int32_t& field : fields) {
        const std::size_t p = FindText(s, "_", lead);
        const auto value = IntegerValue(s.substr(0, p == std::string_view::npos ? 0 : p));
        if (!value) return std::nullopt;
        field = *value;
        if (p != std::string_view::npos) s.remove_prefix(p + 1);
    }
    const auto row = IntegerValue(s);
    if (!row) return std::nullopt;

    TileInfo info;
    info.span = fields[0];
    info.zoom = fields[1];
    info.col = fields[2];
    info.row = *row;
    const double n = std::ldexp(1.0, info.zoom);  // 2^zoom, exactly
    info.lat = RowLatitude(info.row, n);
    info.lon = ColLongitude(info.col, n);
    return info;
}

// Appends the directive for the block, without a line end. Returns false, leaving out as it
// was, when the block has no sound directive.
bool AppendLoadCenter(std::string& out, const TileInfo& info) {
    // A block of no tiles has no centre, and sums outside 32 bits name no tile.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (info.span <= 0 || info.span > kMax / kTilePixels) return false;
    const std::int64_t northRow = std::int64_t{info.span} + info.row;
    const std::int64_t eastCol = std::int64_t{info.span} + info.col;
    if (northRow > kMax || eastCol > kMax) return false;

    const double n = std::ldexp(1.0, info.zoom);
    const double latN = RowLatitude(northRow, n);
    const double lonE = ColLongitude(eastCol, n);
    const double centerLat = info.lat + (latN - info.lat) * 0.5;
    const double centerLon = info.lon + (lonE - info.lon) * 0.5;
    const std::int32_t pixels = info.span * kTilePixels;

    const double f = kDegToRad;
    double cosAngle =
        std::cos(centerLon * f - info.lon * f) * std::cos(centerLat * f) * std::cos(info.lat * f) +
        std::sin(centerLat * f) * std::sin(info.lat * f);
    // Rounding can push the cosine of a tiny angle just past 1, outside acos's domain.
    if (cosAngle > 1) cosAngle = 1;
    if (cosAngle < -1) cosAngle = -1;
    const double distance = std::acos(cosAngle) * kEarthRadius;
    if (!std::isfinite(centerLat) || !std::isfinite(centerLon) || !std::isfinite(distance))
        return false;

    out += kDirective;
    out += ' ';
    AppendCoordinate(out, centerLat);
    out += ' ';
    AppendCoordinate(out, centerLon);
    out += ' ';
    AppendWhole(out, distance);
    out += ' ';
    AppendWhole(out, pixels);
    return true;
}

}  // namespace

std::optional<TileInfo> CTerConverter::ParseTileName(std::string name) const {
    return ParseTile(name, platform::AnsiLeadBytes());
}

std::string CTerConverter::LoadCenterLine(const TileInfo& info) const {
    std::string line;
    AppendLoadCenter(line, info);
    return line;
}

std::string CTerConverter::FormatCoordinate(double x) const {
    std::string text;
    AppendCoordinate(text, x);
    return text;
}

std::string CTerConverter::FormatWhole(double x) const {
    std::string text;
    AppendWhole(text, x);
    return text;
}

LineBuffer CTerConverter::ConvertLines(LineBuffer lines, bool remove) const {
    const platform::LeadByteTable* lead = platform::AnsiLeadBytes();
    LineBuffer out;
    out.reserve(lines.size() + lines.size() / 4);
    const std::string_view input = lines;
    std::size_t pos = 0;
    while (pos < input.size()) {
        std::size_t end = input.find(kLineSeparator, pos);
        if (end == std::string_view::npos) end = input.size();
        std::string_view line = input.substr(pos, end - pos);
        pos = end + 1;

        if (FindText(line, kDirective, lead) != std::string_view::npos) continue;
        if (line.empty()) continue;

        if (!remove) {
            const std::size_t dds = FindText(line, kTexture, lead);
            const bool texture = dds != std::string_view::npos && dds >= 1 &&
                                 FindText(line, kPlaceholder, lead) == std::string_view::npos;
            const std::size_t marker =
                texture ? FindText(line, kTileMarker, lead) : std::string_view::npos;
            // A texture without the marker names no tile block: it gets no directive.
            if (marker != std::string_view::npos) {
                std::string_view tile = line.substr(marker + kTileMarker.size());
                for (std::string_view suffix : kSuffixes) {
                    tile = tile.substr(0, FindText(tile, suffix, lead));
                }
                if (const auto info = ParseTile(tile, lead)) {
                    if (AppendLoadCenter(out, *info)) out += kLineSeparator;
                }
            }
        }
        out += line;
        out += kLineSeparator;
    }
    return out;
}
