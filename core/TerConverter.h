#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/LineBuffer.h"

/// A square block of web-map tiles, as a texture's file name gives it.
struct TileInfo {
    std::int32_t span = 0;  ///< tiles along each side
    std::int32_t zoom = 0;  ///< the world is 2^zoom tiles wide and high
    double lat = 0;         ///< latitude of the southern edge, degrees
    double lon = 0;         ///< longitude of the western edge, degrees
    std::int32_t row = 0;   ///< tile row, counted northwards from the bottom of the map
    std::int32_t col = 0;   ///< tile column, counted eastwards from 180 degrees west
};

/// The terrain conversion: tile names, texture geometry and the LOAD_CENTER rewrite. Stateless;
/// used through the one global instance TerConverter.
class CTerConverter {
public:
    /// Reads "span_zoom_column_row" and computes the southern and western edges. A missing or
    /// non-numeric field reads as 0. nullopt when a number does not fit 32 bits.
    std::optional<TileInfo> ParseTileName(std::string name) const;

    /// "LOAD_CENTER lat lon distance pixels" for the texture, without a line end; empty when the
    /// block has no sound directive (span of 0 or less, integer overflow, non-finite result).
    std::string LoadCenterLine(const TileInfo& info) const;

    /// x with exactly 8 decimals, rounded half away from zero on its 17-digit decimal form; no
    /// digit before the point when the integer part is 0 (".05000000", "-.50000000").
    std::string FormatCoordinate(double x) const;

    /// |x| rounded half away from zero, as decimal digits without a sign.
    std::string FormatWhole(double x) const;

    /// Drops every LOAD_CENTER line and, unless remove is set, puts a fresh directive before
    /// every texture line. Linear in the size of lines.
    LineBuffer ConvertLines(LineBuffer lines, bool remove) const;
};

extern const CTerConverter TerConverter;
