#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/TerConverter.h"

namespace {

// Lines as a LineBuffer: each followed by CR.
std::string Buffer(std::initializer_list<const char*> lines) {
    std::string buffer;
    for (const char* line : lines) buffer += std::string(line) + '\r';
    return buffer;
}

struct TileCase {
    const char* text;
    std::int32_t span, zoom;
    double lat, lon;
    std::int32_t row, col;
    const char* directive;
};

// clang-format off
const TileCase kTiles[] = {
    {"8_16_34560_42640",  8, 16, 47.5765257137, 9.84375, 42640, 34560,
     "LOAD_CENTER 47.59134438 9.86572266 2333 2048"},
    {"4_15_17280_21320",  4, 15, 47.5765257137, 9.84375, 21320, 17280,
     "LOAD_CENTER 47.59134438 9.86572266 2333 1024"},
    {"16_17_69120_85300", 16, 17, 47.6135697539, 9.84375, 85300, 69120,
     "LOAD_CENTER 47.62837793 9.86572266 2331 4096"},
};
// clang-format on

TEST(ParseTileName, WorkedExamplesGiveTheirRecordsAndDirectives) {
    for (const TileCase& c : kTiles) {
        SCOPED_TRACE(c.text);
        const auto info = TerConverter.ParseTileName(c.text);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->span, c.span);
        EXPECT_EQ(info->zoom, c.zoom);
        EXPECT_NEAR(info->lat, c.lat, 1e-10);
        EXPECT_DOUBLE_EQ(info->lon, c.lon);
        EXPECT_EQ(info->row, c.row);
        EXPECT_EQ(info->col, c.col);
        EXPECT_EQ(TerConverter.LoadCenterLine(*info), c.directive);
    }
}

struct FieldCase {
    const char* text;
    std::int32_t span, zoom, col, row;
};

// clang-format off
const FieldCase kFields[] = {
    {"8_16_34560",        8, 16, 0, 34560},  // a missing separator leaves the rest for the row
    {"8_16",              8, 0, 0, 16},
    {"",                  0, 0, 0, 0},
    {"x_y_z_w",           0, 0, 0, 0},       // non-numeric fields read as 0
    {"-5_+3_ 7_\t9",     -5, 3, 7, 9},       // signs and leading white space
    {"8x_16y_1z_2tail",   8, 16, 1, 2},      // trailing text after the digits is ignored
    {"8_16_1_2_3",        8, 16, 1, 2},      // the row stops at the next non-digit
    {"2147483647_-2147483648_0_0", 2147483647, -2147483648, 0, 0},
};
// clang-format on

TEST(ParseTileName, ReadsEachFieldTheUsualDecimalWay) {
    for (const FieldCase& c : kFields) {
        SCOPED_TRACE(c.text);
        const auto info = TerConverter.ParseTileName(c.text);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->span, c.span);
        EXPECT_EQ(info->zoom, c.zoom);
        EXPECT_EQ(info->col, c.col);
        EXPECT_EQ(info->row, c.row);
    }
}

TEST(ParseTileName, MissingColumnPutsTheWesternEdgeAt180West) {
    const auto info = TerConverter.ParseTileName("8_16_34560");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->lon, -180.0);
}

TEST(ParseTileName, NegativeZoomGivesAFractionalWorld) {
    // zoom -1: n = 0.5, so column 1 lies 720 degrees east of 180 W.
    const auto info = TerConverter.ParseTileName("1_-1_1_0");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->lon, 540.0);
}

TEST(ParseTileName, NumbersOutside32BitsGiveNoRecord) {
    for (const char* text : {"2147483648_16_0_0", "8_-2147483649_0_0", "8_16_99999999999_0",
                             "8_16_0_2147483648", "8_16_0_123456789012345678901234567890"}) {
        EXPECT_FALSE(TerConverter.ParseTileName(text).has_value()) << text;
    }
}

TEST(LoadCenterLine, BlocksWithoutASoundDirectiveGiveNone) {
    const auto base = *TerConverter.ParseTileName("8_16_34560_42640");
    struct Case {
        const char* what;
        TileInfo info;
    };
    TileInfo zeroSpan = base, negativeSpan = base, hugeSpan = base, rowOverflow = base,
             colOverflow = base, noWorld = base;
    zeroSpan.span = 0;
    negativeSpan.span = -8;
    hugeSpan.span = std::numeric_limits<std::int32_t>::max() / 256 + 1;  // pixels overflow
    rowOverflow.row = std::numeric_limits<std::int32_t>::max() - 7;
    colOverflow.col = std::numeric_limits<std::int32_t>::max();
    noWorld.zoom = -2000;  // n = 0: the centre is not a number
    noWorld.lat = noWorld.lon = 0;
    for (const Case& c : {Case{"span 0", zeroSpan}, Case{"negative span", negativeSpan},
                          Case{"pixel overflow", hugeSpan}, Case{"row overflow", rowOverflow},
                          Case{"column overflow", colOverflow}, Case{"zoom -2000", noWorld}}) {
        EXPECT_EQ(TerConverter.LoadCenterLine(c.info), "") << c.what;
    }
}

TEST(LoadCenterLine, LargestSoundSpanStillGetsADirective) {
    auto info = *TerConverter.ParseTileName("8388607_30_0_0");
    const std::string line = TerConverter.LoadCenterLine(info);
    EXPECT_EQ(line.substr(line.rfind(' ') + 1), "2147483392");
}

TEST(LoadCenterLine, TinyBlockNeverGivesANotANumberDistance) {
    // At zoom 40 one tile is far below a metre: the cosine rounds to 1 or just past it.
    const auto small = *TerConverter.ParseTileName("1_40_549755813_549755813");
    const std::string line = TerConverter.LoadCenterLine(small);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.substr(line.size() - 6), " 0 256");
}

struct ConvertCase {
    const char* what;
    std::string input;
    bool remove;
    std::string expected;
};

const char* const kDirective = "LOAD_CENTER 47.59134438 9.86572266 2333 2048";
const char* const kTexture = "texture img/v5kra_8_16_34560_42640.dds";

TEST(ConvertLines, RewritesDirectivesAsTheExamplesShow) {
    const char* low = "texture img/v5kra_8_16_34560_42640_LOW.dds";
    const char* partial = "texture img/v5kra_8_16_34560_42640.partial.dds";
    const char* trailing = "texture img/v5kra_8_16_34560_42640.dds 1 2 alpha";
    // clang-format off
    const ConvertCase cases[] = {
        {"texture line", Buffer({kTexture}), false, Buffer({kDirective, kTexture})},
        {"old directive replaced", Buffer({"LOAD_CENTER 1 2 3 4", kTexture}), false,
         Buffer({kDirective, kTexture})},
        {"_LOW suffix", Buffer({low}), false, Buffer({kDirective, low})},
        {".partial suffix", Buffer({partial}), false, Buffer({kDirective, partial})},
        {"text after .dds", Buffer({trailing}), false, Buffer({kDirective, trailing})},
        {"placeholder", Buffer({"texture img/empty.dds"}), false, Buffer({"texture img/empty.dds"})},
        {".dds at the start", Buffer({".dds v5kra_8_16_34560_42640"}), false,
         Buffer({".dds v5kra_8_16_34560_42640"})},
        {"texture without marker", Buffer({"LOAD_CENTER 1 2 3 4", "texture img/grass.dds"}), false,
         Buffer({"texture img/grass.dds"})},
        {"directive naming a texture vanishes", Buffer({"LOAD_CENTER x v5kra_8_16_34560_42640.dds"}),
         false, ""},
        {"remove", Buffer({"A", "LOAD_CENTER 1 2 3 4", kTexture}), true, Buffer({"A", kTexture})},
        {"empty lines are never written", "A\r\r\rB\r", false, Buffer({"A", "B"})},
        {"no final CR", std::string("A\r") + kTexture, false, Buffer({"A", kDirective, kTexture})},
        {"empty input", "", false, ""},
        {"empty input, remove", "", true, ""},
        {"tile that overflows gets no directive", Buffer({"t v5kra_8_16_34560_99999999999.dds"}),
         false, Buffer({"t v5kra_8_16_34560_99999999999.dds"})},
        {"span 0 gets no directive", Buffer({"t v5kra_0_16_34560_42640.dds"}), false,
         Buffer({"t v5kra_0_16_34560_42640.dds"})},
        {"NUL and Ctrl-Z are ordinary bytes", std::string("a\0b\x1a" "c\r", 6), false,
         std::string("a\0b\x1a" "c\r", 6)},
        {"case matters", Buffer({"load_center 1", "texture v5kra_8_16_34560_42640.DDS"}), false,
         Buffer({"load_center 1", "texture v5kra_8_16_34560_42640.DDS"})},
    };
    // clang-format on
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(TerConverter.ConvertLines(c.input, c.remove), c.expected) << c.what;
    }
}

TEST(ConvertLines, RunningAgainChangesNothing) {
    const std::string input =
        Buffer({"header 1", "LOAD_CENTER 9 9 9 9", kTexture, "texture img/empty.dds",
                "texture img/v5kra_16_17_69120_85300_LOW.partial.dds", "LOAD_CENTER stray"});
    const std::string once = TerConverter.ConvertLines(input, false);
    EXPECT_EQ(TerConverter.ConvertLines(once, false), once);
    const std::string removed = TerConverter.ConvertLines(once, true);
    EXPECT_EQ(removed, Buffer({"header 1", kTexture, "texture img/empty.dds",
                               "texture img/v5kra_16_17_69120_85300_LOW.partial.dds"}));
    EXPECT_EQ(TerConverter.ConvertLines(removed, false), once);
}

TEST(ConvertLines, LongInputIsHandledLineByLine) {
    // Many lines: the output grows by exactly one directive per texture line.
    std::string input;
    for (int i = 0; i < 20000; ++i) input += std::string(kTexture) + "\rplain line\r";
    const std::string out = TerConverter.ConvertLines(input, false);
    EXPECT_EQ(out.size(), input.size() + 20000 * (std::string(kDirective).size() + 1));
}

}  // namespace
