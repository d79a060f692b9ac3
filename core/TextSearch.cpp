#include "core/TextSearch.h"

std::size_t FindDoubleByteText(std::string_view text, std::string_view needle,
                               const platform::LeadByteTable& leadBytes) {
    for (std::size_t i = 0; i + needle.size() <= text.size();) {
        if (text.compare(i, needle.size(), needle) == 0) return i;
        const bool lead = leadBytes[static_cast<unsigned char>(text[i])];
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    return std::string_view::npos;
}
