#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/TerConverter.h"

namespace {

struct FormatCase {
    double x;
    const char* expected;
};

// clang-format off
const FormatCase kCoordinates[] = {
    {47.59134437880748, "47.59134438"},
    {9.86572265625,     "9.86572266"},
    {-0.5,              "-.50000000"},
    {0.05,              ".05000000"},
    {0.0,               ".00000000"},
    {-0.0,              "-.00000000"},   // the sign of a negative zero is kept
    {-1e-12,            "-.00000000"},   // a negative value that rounds to zero keeps its sign
    {5e-9,              ".00000001"},    // a half at the last place rounds away from zero
    {4.9999999e-9,      ".00000000"},
    {-5e-9,             "-.00000001"},
    {1.874553285,       "1.87455329"},   // exactly ...285 in 17 digits, though just below in binary
    {1.281796575,       "1.28179658"},
    {0.999999995,       "1.00000000"},   // the carry reaches the integer part
    {99.9999999951,     "100.00000000"},
    {-180.0,            "-180.00000000"},
    {179.99999999499,   "179.99999999"},  // just below a half: not rounded up
    {-1023.123456784,   "-1023.12345678"},
    {1023.999999995,    "1024.00000000"},
    {1024.000000005,    "1024.00000000"},   // 1024.0000000049999 in 17 digits
    {12345.678901234,   "12345.67890123"},
    {1e-300,            ".00000000"},
    {123456789012345678.0, "123456789012345680.00000000"},  // digits past the 17th are zeros
    {1e21,              "1000000000000000000000.00000000"},
};

const FormatCase kWholes[] = {
    {2333.4,   "2333"},
    {2332.5,   "2333"},   // halves away from zero
    {0.5,      "1"},
    {0.49999999999999994, "0"},
    {0.0,      "0"},
    {-0.0,     "0"},
    {-2.5,     "3"},      // no sign: the magnitude is written
    {2048.0,   "2048"},
    {9.5,      "10"},
    {1e-320,   "0"},
    {2147483392.0, "2147483392"},
    {1180591620717411303424.0, "1180591620717411300000"},  // 17 significant digits, then zeros
};
// clang-format on

TEST(FormatCoordinate, WritesEightDecimalsRoundedOnTheSeventeenDigitForm) {
    for (const FormatCase& c : kCoordinates) {
        EXPECT_EQ(TerConverter.FormatCoordinate(c.x), c.expected) << "x = " << c.x;
    }
}

TEST(FormatWhole, RoundsTheMagnitudeHalfAwayFromZero) {
    for (const FormatCase& c : kWholes) {
        EXPECT_EQ(TerConverter.FormatWhole(c.x), c.expected) << "x = " << c.x;
    }
}

TEST(NumberFormats, NonFiniteValuesAreNamedNotPrintedAsDigits) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(TerConverter.FormatCoordinate(inf), "inf");
    EXPECT_EQ(TerConverter.FormatCoordinate(-inf), "-inf");
    EXPECT_EQ(TerConverter.FormatCoordinate(std::nan("")), "nan");
    EXPECT_EQ(TerConverter.FormatWhole(-inf), "-inf");
}

TEST(NumberFormats, LargestFiniteValueIsWrittenInFull) {
    const std::string text = TerConverter.FormatCoordinate(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 9u);
    EXPECT_EQ(text.substr(0, 17), "17976931348623157");
    EXPECT_EQ(text.substr(309), ".00000000");
}

}  // namespace
