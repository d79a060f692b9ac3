#pragma once

#include <array>

namespace platform {

using LeadByteTable = std::array<bool, 256>;

/// The lead bytes of the system's ANSI code page when it is a double-byte one (Windows), so
/// text searches can step over whole characters; nullptr for single-byte strings.
const LeadByteTable* AnsiLeadBytes();

}  // namespace platform
