#include <windows.h>

#include "platform/CodePage.h"

namespace platform {
namespace {

const LeadByteTable* QueryLeadBytes() {
    CPINFO info;
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return nullptr;
    static LeadByteTable table{};
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) table[b] = true;
    }
    return &table;
}

}  // namespace

const LeadByteTable* AnsiLeadBytes() {
    static const LeadByteTable* const table = QueryLeadBytes();
    return table;
}

}  // namespace platform
