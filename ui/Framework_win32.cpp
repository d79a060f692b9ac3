// The Win32 half of the dialog framework: the dialog procedure, the window operations behind
// CDialogWindow, the application's resources and WinMain.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "ui/Framework.h"
#include "ui/WindowsApp.h"

namespace {

class CWin32DialogWindow final : public CDialogWindow {
public:
    HWND m_hWnd = nullptr;

    std::string GetItemText(int id) const override {
        const HWND item = GetDlgItem(m_hWnd, id);
        const int length = item ? GetWindowTextLengthA(item) : 0;
        if (length <= 0) return "";
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        const int copied = GetWindowTextA(item, text.data(), length + 1);
        return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    void SetItemText(int id, const std::string& text) override {
        SetDlgItemTextA(m_hWnd, id, text.c_str());
    }
    int GetItemCheck(int id) const override {
        return static_cast<int>(IsDlgButtonChecked(m_hWnd, id));
    }
    void SetItemCheck(int id, int state) override {
        CheckDlgButton(m_hWnd, id, static_cast<UINT>(state));
    }
    void ShowItem(int id) override { ShowWindow(GetDlgItem(m_hWnd, id), SW_SHOWNORMAL); }

    bool HasSystemMenu() const override { return GetSystemMenu(m_hWnd, FALSE) != nullptr; }
    void AppendSystemMenuItem(int id, const std::string& text) override {
        const HMENU menu = GetSystemMenu(m_hWnd, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
    }
    void SetIcon(IconHandle icon, bool big) override {
        SendMessageA(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(icon));
    }

    void UpdateNow() override { UpdateWindow(m_hWnd); }
    bool IsMinimized() const override { return IsIconic(m_hWnd) != FALSE; }
    void PaintMinimized(IconHandle icon) override {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(m_hWnd, &paint);
        SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        GetClientRect(m_hWnd, &client);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, static_cast<HICON>(icon));
        EndPaint(m_hWnd, &paint);
    }

    void ShowMessageBox(const std::string& text, const std::string& caption,
                        CMessageIcon icon) override {
        const UINT style = MB_OK | (icon == CMessageIcon::Stop ? MB_ICONSTOP : 0);
        MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), style);
    }
    int RunModal(CModalDialog& child) override;
    void End(int result) override { ::EndDialog(m_hWnd, result); }
    void ShowHelp(const std::string& helpFile, unsigned topic) override {
        WinHelpA(m_hWnd, helpFile.c_str(), HELP_CONTEXT, topic);
    }
};

// One modal run of a dialog: the object and the window it drives.
struct CDialogSession {
    CModalDialog* dialog;
    CWin32DialogWindow window;
};

// The main dialog is centred in the work area of its monitor, an owned one over its owner.
void CentreDialog(HWND dialog) {
    const HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    RECT area = work;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
    RECT own;
    GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool NoModifierKey() {
    return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* session = reinterpret_cast<CDialogSession*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        session->window.m_hWnd = hwnd;
        CentreDialog(hwnd);
        return session->dialog->HandleInitDialog(session->window) ? TRUE : FALSE;
    }
    auto* session = reinterpret_cast<CDialogSession*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (session == nullptr) return FALSE;
    CModalDialog& dialog = *session->dialog;
    switch (message) {
        case WM_COMMAND:
            // Menu and button commands (code 0) and accelerators (1); other notifications
            // are left alone.
            if (HIWORD(wParam) > 1) return FALSE;
            dialog.HandleCommand(LOWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            return dialog.HandleSysCommand(static_cast<unsigned>(wParam)) ? TRUE : FALSE;
        case WM_PAINT:
            return dialog.HandlePaint() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(dialog.HandleQueryDragIcon());
        case WM_DESTROY:
            dialog.HandleDestroy();
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

// F1 without a modifier key, pressed anywhere in one of our dialogs, is that dialog's help
// command. The dialog manager's modal loops show every message to this filter first.
HHOOK g_hHelpKeyFilter = nullptr;

LRESULT CALLBACK HelpKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == VK_F1 &&
        NoModifierKey()) {
        const HWND dialog = GetAncestor(message->hwnd, GA_ROOT);
        if (dialog != nullptr &&
            GetWindowLongPtrA(dialog, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(DialogProc)) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kIdHelp, 0), 0);
            return TRUE;
        }
    }
    return CallNextHookEx(g_hHelpKeyFilter, code, wParam, lParam);
}

int RunDialog(CModalDialog& dialog, HWND owner) {
    CDialogSession session{&dialog, {}};
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog.GetTemplateId()), owner,
                        DialogProc, reinterpret_cast<LPARAM>(&session));
    dialog.HandleDestroy();
    return static_cast<int>(result);
}

int CWin32DialogWindow::RunModal(CModalDialog& child) { return RunDialog(child, m_hWnd); }

}  // namespace

int CModalDialog::DoModal(CModalDialog* owner) {
    HWND ownerWindow = nullptr;
    if (owner != nullptr && owner->IsOpen())
        ownerWindow = static_cast<CWin32DialogWindow&>(owner->Window()).m_hWnd;
    return RunDialog(*this, ownerWindow);
}

IconHandle CWindowsApp::LoadIconResource(int id) const {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

std::string CWindowsApp::LoadStringResource(int id) const {
    char text[1024];
    const int length =
        LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

int CWindowsApp::Run() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    SetModulePath(std::string(path.begin(), path.end()));

    // Themed common controls (the manifest asks for version 6).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's folder browser wants COM in a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    g_hHelpKeyFilter =
        SetWindowsHookExA(WH_MSGFILTER, HelpKeyFilter, nullptr, GetCurrentThreadId());
    int exitCode = 0;
    if (InitInstance()) {
        // An application that keeps running after its initialisation has a message loop.
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    UnhookWindowsHookEx(g_hHelpKeyFilter);
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return static_cast<CWindowsApp&>(App()).Run();
}
