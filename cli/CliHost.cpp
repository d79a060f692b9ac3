#include "cli/CliHost.h"

#include <ostream>
#include <utility>

CCliHost::CCliHost(std::ostream& err, ProgressStyle style, int columns)
    : m_err(err), m_style(style), m_nColumns(columns > 0 ? static_cast<std::size_t>(columns) : 0) {}

void CCliHost::SetStatus(std::string text) { m_strStatus = std::move(text); }

void CCliHost::ReportProgress(std::size_t current, std::size_t total) {
    m_nCurrent = current;
    m_nTotal = total;
    m_bPending = true;
}

void CCliHost::RefreshControls() {
    if (!m_bPending) return;
    m_bPending = false;
    std::string line =
        "[" + std::to_string(m_nCurrent) + "/" + std::to_string(m_nTotal) + "] " + m_strStatus;
    switch (m_style) {
        case ProgressStyle::Silent:
            return;
        case ProgressStyle::Lines:
            m_err << line << '\n';
            break;
        case ProgressStyle::InPlace:
            // A line as wide as the terminal would wrap, and the next redraw would start one
            // line too low.
            if (m_nColumns > 1 && line.size() > m_nColumns - 1) line.resize(m_nColumns - 1);
            m_err << '\r' << line;
            if (m_nShown > line.size()) m_err << std::string(m_nShown - line.size(), ' ');
            m_nShown = line.size();
            break;
    }
    m_err.flush();
}

void CCliHost::ShowMessage(std::string text) {
    if (m_nShown > 0) {
        m_err << '\n';
        m_nShown = 0;
    }
    m_err << text << '\n';
    m_err.flush();
}

void CCliHost::ClearLine() {
    if (m_nShown == 0) return;
    m_err << '\r' << std::string(m_nShown, ' ') << '\r';
    m_nShown = 0;
    m_err.flush();
}
