#pragma once

#include <cstddef>
#include <string_view>

#include "platform/CodePage.h"

/// Position of the first needle in text, or npos. With a lead-byte table the search starts only
/// at whole characters of a double-byte code page, so it never matches the second half of one.
std::size_t FindDoubleByteText(std::string_view text, std::string_view needle,
                               const platform::LeadByteTable& leadBytes);

inline std::size_t FindText(std::string_view text, std::string_view needle,
                            const platform::LeadByteTable* leadBytes) {
    return leadBytes == nullptr ? text.find(needle) : FindDoubleByteText(text, needle, *leadBytes);
}
