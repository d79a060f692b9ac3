#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "batch/BatchHost.h"

/// How the command line shows which file a folder operation is working on.
enum class ProgressStyle {
    Silent,   ///< nothing (--quiet); messages still appear
    Lines,    ///< one line per file, for logs and pipes
    InPlace,  ///< one terminal line, redrawn for every file
};

/// The command line's BatchHost: progress and messages on standard error.
class CCliHost : public BatchHost {
public:
    /// columns is the terminal's width (InPlace); 0 when unknown.
    CCliHost(std::ostream& err, ProgressStyle style, int columns);

    void SetStatus(std::string text) override;
    /// Shows "[current/total] status" once per file, when the operation has reported a new one.
    void RefreshControls() override;
    /// Writes text on a line of its own; an in-place progress line is kept above it.
    void ShowMessage(std::string text) override;
    void ReportProgress(std::size_t current, std::size_t total) override;

    /// Takes an in-place progress line off the terminal, so other output starts on a clean line.
    void ClearLine();

    const std::string& Status() const { return m_strStatus; }
    std::size_t Current() const { return m_nCurrent; }
    std::size_t Total() const { return m_nTotal; }

private:
    std::ostream& m_err;
    ProgressStyle m_style;
    std::size_t m_nColumns;
    std::string m_strStatus;
    std::size_t m_nCurrent = 0;
    std::size_t m_nTotal = 0;
    bool m_bPending = false;   // a file was reported and not shown yet
    std::size_t m_nShown = 0;  // characters of the in-place line now on the terminal
};
