#pragma once

namespace platform {

/// The three standard streams of the process.
enum class StdStream { Input, Output, Error };

/// True when stream is an interactive terminal (a console window on Windows), so a line may be
/// redrawn in place. Files, pipes and the null device are not terminals.
bool IsTerminal(StdStream stream);

/// The width in characters of the terminal behind stream; 0 when it is none or unknown.
int TerminalColumns(StdStream stream);

/// Makes stream pass bytes unchanged: no CR LF translation and no end at Ctrl-Z. Only Windows'
/// run time translates; elsewhere this does nothing.
void SetBinaryMode(StdStream stream);

}  // namespace platform
