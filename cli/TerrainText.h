#pragma once

#include <string>
#include <string_view>

#include "core/LineBuffer.h"

// A terrain file's bytes handled in memory exactly as reading the file, converting it and
// writing it back handles them on disk, for filters that have no file of their own.

/// The buffer reading bytes from a terrain file gives: LF and CR LF end a line, a last line
/// without a line end counts too, a lone CR stays (and so separates lines in the buffer),
/// every line is cleaned by NormalizeLine and empty lines are dropped.
LineBuffer LinesFromText(std::string_view bytes);

/// The bytes writing lines to a terrain file gives: every line with a CR LF line end.
std::string TextFromLines(std::string_view lines);

/// The bytes a terrain file holding bytes holds after "Go" (or "Go" with removal).
std::string ConvertTerrainText(std::string_view bytes, bool remove);
