#include "platform/CodePage.h"

namespace platform {

// Strings are single-byte on POSIX: every byte is a character of its own.
const LeadByteTable* AnsiLeadBytes() { return nullptr; }

}  // namespace platform
