#include "ui/Framework.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "platform/FileError.h"

namespace {

CApplication* g_pApp = nullptr;

std::size_t FileNameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? 0 : slash + 1;
}

std::size_t ExtensionStart(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos || dot < FileNameStart(path) ? path.size() : dot;
}

}  // namespace

void CDialogData::Text(int id, std::string& value) {
    if (m_bSave)
        value = m_window.GetItemText(id);
    else
        m_window.SetItemText(id, value);
}

void CDialogData::Check(int id, int& value) {
    if (m_bSave) {
        value = m_window.GetItemCheck(id);
        return;
    }
    if (value < 0 || value > 2) value = 0;
    m_window.SetItemCheck(id, value);
}

CApplication::CApplication() { g_pApp = this; }

CApplication::~CApplication() {
    if (g_pApp == this) g_pApp = nullptr;
}

bool CApplication::OnCommand(int id, CModalDialog& active) {
    if (id != kIdHelp) return false;
    OnHelp(active);
    return true;
}

void CApplication::OnHelp(CModalDialog& active) {
    active.ShowHelp(m_strHelpFilePath,
                    kHelpTopicBase + static_cast<unsigned>(active.GetTemplateId()));
}

void CApplication::SetModulePath(const std::string& modulePath) {
    m_strAppName = AppNameFromModulePath(modulePath);
    m_strHelpFilePath = HelpFileFromModulePath(modulePath);
}

CApplication& App() {
    if (g_pApp == nullptr) throw std::logic_error("the program has no application object");
    return *g_pApp;
}

std::string AppNameFromModulePath(const std::string& modulePath) {
    const std::size_t start = FileNameStart(modulePath);
    return modulePath.substr(start, ExtensionStart(modulePath) - start);
}

std::string HelpFileFromModulePath(const std::string& modulePath) {
    return modulePath.substr(0, ExtensionStart(modulePath)) + ".HLP";
}

std::string FileErrorText(const CFileError& error) {
    const std::string pattern =
        error.GetCause() == CFileError::Cause::DiskFull
            ? "Beim Zugriff auf %1 wurde ein voller Datentr\xE4ger gemeldet."
            : "Ein unbekannter Fehler ist beim Zugriff auf %1 aufgetreten.";
    std::string text = pattern;
    text.replace(text.find("%1"), 2, error.GetFileName());
    return text;
}

void CModalDialog::UpdateData(bool saveAndValidate) {
    CDialogData data(Window(), saveAndValidate);
    DoDataExchange(data);
}

template <class Handler>
bool CModalDialog::Guarded(Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const CFileError& error) {
        ReportFileError(error);
    } catch (const std::bad_alloc&) {
        ShowMessageBox("Nicht gen\xFCgend Arbeitsspeicher, um den Befehl auszuf\xFChren.",
                       CMessageIcon::Stop);
    } catch (const std::exception& error) {
        ShowMessageBox(error.what(), CMessageIcon::Stop);
    }
    return false;
}

void CModalDialog::ReportFileError(const CFileError& error) {
    ShowMessageBox(FileErrorText(error), CMessageIcon::Stop);
}

bool CModalDialog::HandleInitDialog(CDialogWindow& window) {
    m_pWindow = &window;
    bool focus = false;
    // An error ends the initialisation where it happened; no control gets the focus.
    Guarded([&] { focus = OnInitDialog(); });
    return focus;
}

void CModalDialog::HandleCommand(int id) {
    m_bEndAfterCommand = false;
    Guarded([&] {
        if (!OnCommand(id)) App().OnCommand(id, *this);
    });
    if (m_bEndAfterCommand && IsOpen()) {
        m_bEndAfterCommand = false;
        EndDialog(m_nEndAfterCommand);
    }
}

bool CModalDialog::HandleSysCommand(unsigned command) {
    bool handled = true;
    Guarded([&] { handled = OnSysCommand(command); });
    return handled;
}

bool CModalDialog::HandlePaint() {
    bool painted = true;
    Guarded([&] { painted = OnPaint(); });
    return painted;
}

IconHandle CModalDialog::HandleQueryDragIcon() { return OnQueryDragIcon(); }

void CModalDialog::ShowHelp(const std::string& helpFile, unsigned topic) {
    Window().ShowHelp(helpFile, topic);
}

bool CModalDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CModalDialog::OnCommand(int id) {
    switch (id) {
        case kIdOk:
            OnOK();
            return true;
        case kIdCancel:
            OnCancel();
            return true;
        default:
            return false;
    }
}

void CModalDialog::OnOK() {
    UpdateData(true);
    EndDialog(kIdOk);
}

void CModalDialog::OnCancel() { EndDialog(kIdCancel); }

void CModalDialog::EndDialog(int result) { Window().End(result); }

void CModalDialog::EndAfterCommand(int result) {
    m_nEndAfterCommand = result;
    m_bEndAfterCommand = true;
}

void CModalDialog::ShowMessageBox(const std::string& text, CMessageIcon icon) {
    Window().ShowMessageBox(text, App().GetAppName(), icon);
}

CDialogWindow& CModalDialog::Window() {
    if (m_pWindow == nullptr) throw std::logic_error("the dialog has no window");
    return *m_pWindow;
}
