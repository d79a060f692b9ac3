#pragma once

#include <cstddef>
#include <string>

/// What a folder operation reports to: the dialog, the command line, a test's recorder.
class BatchHost {
public:
    virtual ~BatchHost() = default;

    /// Stores text as the status; it is shown at the next RefreshControls.
    virtual void SetStatus(std::string text) = 0;
    /// Shows the host's data now (status, folder, options), though no input is processed.
    virtual void RefreshControls() = 0;
    /// Shows text in a modal message and returns when the user has closed it.
    virtual void ShowMessage(std::string text) = 0;

    /// Before each file an operation takes up: its place (from 1) among total files. For
    /// progress displays; hosts without one ignore it.
    virtual void ReportProgress(std::size_t /*current*/, std::size_t /*total*/) {}
};
