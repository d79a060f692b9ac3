#pragma once

#include <string>

#include "batch/BatchHost.h"
#include "ui/Framework.h"

/// The main dialog: the folder to work on, "Go", "Restore Files", the removal check box and
/// the status label. The folder operations report to it as their BatchHost.
class CBrivantoDlg : public CModalDialog, public BatchHost {
public:
    CBrivantoDlg();

    std::string m_strStatus;
    std::string m_strPath;
    int m_bRemove = 0;
    IconHandle m_hIcon;

    void SetStatus(std::string text) override;
    void RefreshControls() override;
    void ShowMessage(std::string text) override;

protected:
    void DoDataExchange(CDialogData& data) override;
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnCancel() override;
    bool OnSysCommand(unsigned command) override;
    bool OnPaint() override;
    IconHandle OnQueryDragIcon() override;

    void OnSelect();
    void OnGo();
    void OnRestoreFiles();
    void OnRemoveToggle();
};
