#include <string_view>

#include <gtest/gtest.h>

#include "core/TextSearch.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

platform::LeadByteTable ShiftJisLeadBytes() {
    platform::LeadByteTable table{};
    for (int b = 0x81; b <= 0x9F; ++b) table[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) table[b] = true;
    return table;
}

TEST(FindText, SingleByteStringsFindEveryPosition) {
    EXPECT_EQ(FindText("abc.dds", ".dds", nullptr), 3u);
    EXPECT_EQ(FindText("abc", ".dds", nullptr), npos);
    EXPECT_EQ(FindText("\x83_x", "_", nullptr), 1u);
}

TEST(FindText, DoubleByteSearchNeverMatchesTheSecondHalfOfACharacter) {
    const platform::LeadByteTable sjis = ShiftJisLeadBytes();
    // 0x83 0x5F is one character whose second byte is '_'; the real '_' comes after it.
    EXPECT_EQ(FindText("\x83_x_", "_", &sjis), 3u);
    EXPECT_EQ(FindText("\x83_", "_", &sjis), npos);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(FindText("ab\x83", "\x83", &sjis), 2u);
    // Searches starting at a character boundary still find ASCII text as before.
    EXPECT_EQ(FindText("\x93\xfa.dds", ".dds", &sjis), 2u);
}

}  // namespace
