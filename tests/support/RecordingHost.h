#pragma once

#include <string>
#include <vector>

#include "batch/BatchHost.h"

/// A BatchHost that writes down every call, as "status NAME", "refresh", "message TEXT" and
/// "progress I/N".
class CRecordingHost : public BatchHost {
public:
    void SetStatus(std::string text) override {
        m_strStatus = text;
        calls.push_back("status " + text);
    }
    void RefreshControls() override { calls.push_back("refresh"); }
    void ShowMessage(std::string text) override {
        messages.push_back(text);
        statusAtMessage.push_back(m_strStatus);
        calls.push_back("message " + text);
    }
    void ReportProgress(std::size_t current, std::size_t total) override {
        calls.push_back("progress " + std::to_string(current) + "/" + std::to_string(total));
    }

    const std::string& Status() const { return m_strStatus; }

    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::vector<std::string> statusAtMessage;  ///< the status each message was shown under

private:
    std::string m_strStatus;
};
