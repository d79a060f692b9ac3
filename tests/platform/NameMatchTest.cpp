#include <gtest/gtest.h>

#include "platform/NameMatch.h"

namespace {

struct MatchCase {
    const char* name;
    const char* pattern;
    bool matches;
};

// clang-format off
const MatchCase kCases[] = {
    {"a.ter",        "*.ter", true},
    {"SCENE.TER",    "*.ter", true},    // case is ignored, as Windows does
    {"x.Ter",        "*.TER", true},
    {"x.terrain",    "*.ter", false},   // long names only: no short-name aliases here
    {"x.ter.bak",    "*.ter", false},
    {"x.ter.bak",    "*.bak", true},
    {".ter",         "*.ter", true},
    {"ter",          "*.ter", false},
    {"a.b.ter",      "*.ter", true},
    {"anything",     "*",     true},
    {"",             "*",     true},
    {"ab",           "a?",    true},
    {"a",            "a?",    false},
    {"aXbXc",        "*b*c",  true},
    {"aaaaaaaaab",   "*a*a*b", true},
    {"aaaaaaaaaa",   "*a*a*b", false},
};
// clang-format on

TEST(MatchesPattern, BehavesLikeTheWindowsSearchForLongNames) {
    for (const MatchCase& c : kCases) {
        EXPECT_EQ(platform::MatchesPattern(c.name, c.pattern), c.matches)
            << c.name << " ~ " << c.pattern;
    }
}

}  // namespace
