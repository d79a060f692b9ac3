#include "ui/BrivantoDlg.h"

#include <utility>

#include "batch/FolderOps.h"
#include "core/TerFileIO.h"
#include "settings/LastPathStore.h"
#include "ui/AboutDlg.h"
#include "ui/resource.h"

CBrivantoDlg::CBrivantoDlg()
    : CModalDialog(IDD_MAIN), m_hIcon(App().LoadIconResource(IDR_MAINFRAME)) {}

void CBrivantoDlg::DoDataExchange(CDialogData& data) {
    data.Text(IDC_STATUS, m_strStatus);
    data.Text(IDC_PATH, m_strPath);
    data.Check(IDC_REMOVE, m_bRemove);
}

bool CBrivantoDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();

    if (Window().HasSystemMenu()) {
        const std::string about = App().LoadStringResource(IDS_ABOUTBOX);
        if (!about.empty()) Window().AppendSystemMenuItem(IDM_ABOUTBOX, about);
    }
    Window().SetIcon(m_hIcon, true);
    Window().SetIcon(m_hIcon, false);
    Window().ShowItem(IDC_STATUS);

    InitProgramDirectory();
    m_strPath = LastPathStore.LoadLastPath();
    m_bRemove = 0;
    UpdateData(false);
    return true;
}

bool CBrivantoDlg::OnCommand(int id) {
    switch (id) {
        case IDC_SELECT:
            OnSelect();
            return true;
        case IDC_GO:
            OnGo();
            return true;
        case IDC_RESTORE:
            OnRestoreFiles();
            return true;
        case IDC_REMOVE:
            OnRemoveToggle();
            return true;
        default:
            return CModalDialog::OnCommand(id);
    }
}

void CBrivantoDlg::OnSelect() {
    m_strPath = TerFileIO.BrowseForFolder();
    UpdateData(false);
}

// "Go", "Restore Files" and the cancel path work on the folder the field shows, also when
// it was typed rather than chosen.
void CBrivantoDlg::OnGo() {
    UpdateData(true);
    ProcessFolder(m_strPath, m_bRemove != 0, *this);
}

void CBrivantoDlg::OnRestoreFiles() {
    UpdateData(true);
    RestoreFolder(m_strPath, *this);
}

// The check box is not automatic: its mark changes here only.
void CBrivantoDlg::OnRemoveToggle() {
    UpdateData(true);
    m_bRemove = m_bRemove == 0 ? 1 : 0;
    UpdateData(false);
    Window().UpdateNow();
}

void CBrivantoDlg::OnCancel() {
    UpdateData(true);
    // Leaving never depends on the disk: a failed save is shown, and the dialog ends anyway.
    EndAfterCommand(kIdCancel);
    LastPathStore.SaveLastPath(m_strPath);
}

bool CBrivantoDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about;
    Window().RunModal(about);
    return true;
}

bool CBrivantoDlg::OnPaint() {
    if (!Window().IsMinimized()) return false;
    Window().PaintMinimized(m_hIcon);
    return true;
}

IconHandle CBrivantoDlg::OnQueryDragIcon() { return m_hIcon; }

void CBrivantoDlg::SetStatus(std::string text) { m_strStatus = std::move(text); }

void CBrivantoDlg::RefreshControls() { UpdateData(false); }

void CBrivantoDlg::ShowMessage(std::string text) { ShowMessageBox(text); }
