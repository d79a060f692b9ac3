#pragma once

#include <string>

// A small dialog framework over the platform's dialog manager: the application object, modal
// dialogs built from templates with data exchange, and the command boundary that shows a file
// error escaping a handler. Portable: everything that touches a real window goes through
// CDialogWindow, which the Win32 layer implements (Framework_win32.cpp) and tests fake.

class CFileError;
class CModalDialog;

/// An icon from the program's resources; opaque outside the platform layer.
using IconHandle = void*;

/// Command ids the framework itself uses.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
/// The help command, raised by F1 in any dialog and handled by the application.
inline constexpr int kIdHelp = 57670;
/// Help topics of dialogs are this base plus the dialog's template id.
inline constexpr unsigned kHelpTopicBase = 0x20000;

enum class CMessageIcon { None, Stop };

/// What a dialog's code needs from its window on the screen.
class CDialogWindow {
public:
    virtual ~CDialogWindow() = default;

    virtual std::string GetItemText(int id) const = 0;
    virtual void SetItemText(int id, const std::string& text) = 0;
    /// 0 unchecked, 1 checked, 2 indeterminate.
    virtual int GetItemCheck(int id) const = 0;
    virtual void SetItemCheck(int id, int state) = 0;
    virtual void ShowItem(int id) = 0;

    virtual bool HasSystemMenu() const = 0;
    /// Appends a separator and then an item with command id and text to the system menu.
    virtual void AppendSystemMenuItem(int id, const std::string& text) = 0;
    virtual void SetIcon(IconHandle icon, bool big) = 0;

    /// Performs any pending repaint at once.
    virtual void UpdateNow() = 0;
    virtual bool IsMinimized() const = 0;
    /// Paints the minimized window: background, then icon centred in the client area.
    virtual void PaintMinimized(IconHandle icon) = 0;

    /// A modal message box owned by this window, with one OK button.
    virtual void ShowMessageBox(const std::string& text, const std::string& caption,
                                CMessageIcon icon) = 0;
    /// Runs child modally, owned by this window; its end result.
    virtual int RunModal(CModalDialog& child) = 0;
    /// Ends the modal loop with result once the running message handler returns.
    virtual void End(int result) = 0;
    /// Asks the help viewer for topic of helpFile.
    virtual void ShowHelp(const std::string& helpFile, unsigned topic) = 0;
};

/// One direction of a dialog's data exchange between its members and its controls.
class CDialogData {
public:
    CDialogData(CDialogWindow& window, bool save) : m_window(window), m_bSave(save) {}

    bool IsSaving() const { return m_bSave; }
    void Text(int id, std::string& value);
    /// A check state; values outside 0-2 are written as 0, to the member and the control.
    void Check(int id, int& value);

private:
    CDialogWindow& m_window;
    bool m_bSave;
};

/// The program's one application object. Its name, taken from the executable's file name,
/// captions every message box.
class CApplication {
public:
    /// Registers this object as the program's application (the last one constructed).
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    const std::string& GetAppName() const { return m_strAppName; }
    const std::string& GetHelpFilePath() const { return m_strHelpFilePath; }
    CModalDialog* GetMainWindow() const { return m_pMainWnd; }

    virtual bool InitInstance() = 0;
    virtual IconHandle LoadIconResource(int id) const = 0;
    /// A string resource; "" when there is none.
    virtual std::string LoadStringResource(int id) const = 0;

    /// Commands no dialog handled; true when this one did.
    virtual bool OnCommand(int id, CModalDialog& active);
    /// Shows the help topic of the active dialog.
    void OnHelp(CModalDialog& active);

protected:
    /// Takes the application's name and help file from the running module's path.
    void SetModulePath(const std::string& modulePath);

    CModalDialog* m_pMainWnd = nullptr;

private:
    std::string m_strAppName;
    std::string m_strHelpFilePath;
};

/// The application object; the program has exactly one.
CApplication& App();

/// The executable's file name without its folder and extension.
std::string AppNameFromModulePath(const std::string& modulePath);
/// The module path with its extension replaced by ".HLP".
std::string HelpFileFromModulePath(const std::string& modulePath);
/// The error box text for a file error, naming the file.
std::string FileErrorText(const CFileError& error);

/// A modal dialog made from a dialog template. Handlers run inside a command boundary: an
/// error escaping one is shown in an error box and the dialog stays open.
class CModalDialog {
public:
    explicit CModalDialog(int templateId) : m_nTemplateId(templateId) {}
    virtual ~CModalDialog() = default;
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;

    int GetTemplateId() const { return m_nTemplateId; }

    /// Creates the dialog from its template and runs it until it ends; owner is disabled
    /// meanwhile. Returns the end result, or -1 when the dialog could not be created.
    /// Defined by the platform layer.
    int DoModal(CModalDialog* owner = nullptr);

    /// UpdateData(false) copies the members into the controls, UpdateData(true) the controls
    /// into the members.
    void UpdateData(bool saveAndValidate);

    // Entry points for the platform's dialog procedure.
    /// Returns whether the dialog manager should set the initial focus.
    bool HandleInitDialog(CDialogWindow& window);
    void HandleCommand(int id);
    bool HandleSysCommand(unsigned command);
    bool HandlePaint();
    IconHandle HandleQueryDragIcon();
    void HandleDestroy() { m_pWindow = nullptr; }

    bool IsOpen() const { return m_pWindow != nullptr; }
    void ShowHelp(const std::string& helpFile, unsigned topic);

protected:
    /// Base initialisation: copies the members into the controls; true sets the default focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDialogData& /*data*/) {}
    /// Dispatches a command to its handler; false when the dialog has none.
    virtual bool OnCommand(int id);
    /// Reads the controls into the members and ends the dialog with kIdOk.
    virtual void OnOK();
    /// Ends the dialog with kIdCancel.
    virtual void OnCancel();
    /// True when handled; false leaves the command to the platform's default.
    virtual bool OnSysCommand(unsigned /*command*/) { return false; }
    /// True when painted; false leaves painting to the platform's default.
    virtual bool OnPaint() { return false; }
    virtual IconHandle OnQueryDragIcon() { return nullptr; }

    void EndDialog(int result);
    /// Ends the dialog with result when the running command returns, also when the command
    /// ends with an error (after its error box).
    void EndAfterCommand(int result);
    /// A message box owned by this dialog, captioned with the application's name.
    void ShowMessageBox(const std::string& text, CMessageIcon icon = CMessageIcon::None);
    CDialogWindow& Window();

private:
    template <class Handler>
    bool Guarded(Handler&& handler);
    void ReportFileError(const CFileError& error);

    int m_nTemplateId;
    CDialogWindow* m_pWindow = nullptr;
    int m_nEndAfterCommand = 0;
    bool m_bEndAfterCommand = false;
};
