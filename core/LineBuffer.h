#pragma once

#include <string>

/// One terrain file's text in memory: every line followed by exactly one CR.
using LineBuffer = std::string;

/// The line separator inside a LineBuffer.
inline constexpr char kLineSeparator = '\r';
