#pragma once

#include <string_view>

namespace platform {

/// Matches a file name against a search pattern as the Windows directory search does for
/// long names: '*' stands for any run of characters, '?' for exactly one, and ASCII letters
/// match without regard to case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace platform
