// Drives the real Brivanto.exe as a person would, through its windows' messages: starts it
// from a folder of its own beside a LastPath.cfg, finds the dialog and works its controls.
// Every wait is bounded; a failure says what was expected and what was there.
//
//   brivanto_gui_test BRIVANTO_EXE [--shots FOLDER]
//
// With --shots, the driver stops twice, with the main dialog and with the about box open:
// it writes FOLDER\main.ready (then about.ready) holding the window's screen rectangle and
// waits for main.done (about.done), so a script can take the pictures meanwhile.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeout = 90000;    // a cold start under an emulator takes long
constexpr DWORD kCommandTimeout = 60000;  // a button's handler, a box to appear or go
constexpr int kPathId = 1000, kSelectId = 1001, kStatusId = 1002, kGoId = 1003, kRestoreId = 1004,
              kRemoveId = 1005, kAboutCommand = 16;
const char* const kAboutCaption =
    "Info \xFC"
    "ber Brivanto";

int g_failures = 0;

void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    ++g_failures;
}

void Expect(bool ok, const std::string& what) {
    if (!ok) Fail(what);
}

void ExpectEqual(const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual != expected) Fail(what + ": expected \"" + expected + "\", got \"" + actual + "\"");
}

void Step(const std::string& what) {
    std::printf("-- %s\n", what.c_str());
    std::fflush(stdout);
}

// A fault that leaves nothing sensible to do: give up, after the caller's clean-up.
struct Fatal {
    std::string what;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw Fatal{"cannot write " + path};
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr)) throw Fatal{"cannot create " + path};
}

// A Unix path from the test runner names the same file on Wine's Z: drive.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

template <class Condition>
bool WaitFor(Condition condition, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeout) return false;
        // Our own window (the help viewer's stand-in) answers meanwhile.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    }
}

// Stands in for the help viewer: the system hands help requests to the window of class
// "MS_WINHELP" as WM_COPYDATA of a WINHELP record (size, command, data, reserved, offset of
// the file name, offset of more data; the name follows).
struct HelpRequest {
    unsigned command;
    unsigned topic;
    std::string file;
};
std::vector<HelpRequest> g_helpRequests;

LRESULT CALLBACK HelpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const auto* bytes = static_cast<const unsigned char*>(data->lpData);
    if (data->cbData < 16) return FALSE;
    auto word = [&](std::size_t at) {
        return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8);
    };
    HelpRequest request{word(2), word(4) | word(6) << 16, ""};
    for (std::size_t i = word(12); i < data->cbData && bytes[i] != 0; ++i)
        request.file += static_cast<char>(bytes[i]);
    g_helpRequests.push_back(request);
    return TRUE;
}

void StartHelpViewer() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HelpViewerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&windowClass);
    if (!CreateWindowExA(0, "MS_WINHELP", "help requests", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         windowClass.hInstance, nullptr))
        throw Fatal{"cannot create the help viewer's window"};
}

void ExpectHelpRequest(const std::string& helpFile, unsigned topic, const std::string& what) {
    if (!WaitFor([] { return !g_helpRequests.empty(); }, kCommandTimeout))
        return Fail(what + ": no help request arrived");
    const HelpRequest request = g_helpRequests.front();
    g_helpRequests.clear();
    Expect(request.command == HELP_CONTEXT, what + ": not a request for a help topic");
    Expect(request.topic == topic, what + ": topic " + std::to_string(request.topic) +
                                       " instead of " + std::to_string(topic));
    ExpectEqual(request.file, helpFile, what + ": help file");
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kCommandTimeout,
                             &length))
        throw Fatal{"the window does not answer WM_GETTEXTLENGTH"};
    std::vector<char> text(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kCommandTimeout, &copied))
        throw Fatal{"the window does not answer WM_GETTEXT"};
    return std::string(text.data(), copied);
}

// A visible top-level dialog window ("#32770") of process with caption (any caption for
// nullptr), other than except.
HWND FindDialog(DWORD process, const char* caption, HWND except = nullptr) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && window != except && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// The text of a message box: its static control 0xFFFF.
std::string BoxText(HWND box) {
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : "<no text>";
}

struct Frame {
    std::string folder;    // the temporary folder of the whole run
    std::string program;   // the copy of Brivanto.exe
    std::string lastPath;  // LastPath.cfg beside it
};

class CRunningDialog {
public:
    CRunningDialog(const Frame& frame, const std::string& what) : m_what(what) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + frame.program + "\"";
        const std::string folder = frame.program.substr(0, frame.program.rfind('\\'));
        if (!CreateProcessA(frame.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.c_str(), &startup, &m_process))
            throw Fatal{"cannot start " + frame.program};
        if (!WaitFor([&] { return (m_hDlg = FindDialog(m_process.dwProcessId, "Brivanto")); },
                     kStartTimeout))
            throw Fatal{what + ": no dialog \"Brivanto\" within " +
                        std::to_string(kStartTimeout / 1000) + " s"};
    }
    ~CRunningDialog() {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            Fail(m_what + ": Brivanto was still running and had to be ended");
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, kCommandTimeout);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    CRunningDialog(const CRunningDialog&) = delete;
    CRunningDialog& operator=(const CRunningDialog&) = delete;

    HWND Dialog() const { return m_hDlg; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HWND Item(int id) const {
        const HWND item = GetDlgItem(m_hDlg, id);
        if (!item) throw Fatal{"the dialog has no control " + std::to_string(id)};
        return item;
    }
    std::string Text(int id) const { return WindowText(Item(id)); }
    void Type(int id, const std::string& text) const {
        DWORD_PTR ignored;
        if (!SendMessageTimeoutA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                 SMTO_ABORTIFHUNG, kCommandTimeout, &ignored))
            throw Fatal{"cannot type into control " + std::to_string(id)};
    }
    int Check(int id) const {
        DWORD_PTR state = 0;
        if (!SendMessageTimeoutA(Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kCommandTimeout,
                                 &state))
            throw Fatal{"the check box does not answer"};
        return static_cast<int>(state);
    }
    // A click whose handler returns without opening a window: returns when it has run.
    void Click(int id) const {
        DWORD_PTR ignored;
        if (!SendMessageTimeoutA(m_hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(Item(id)), SMTO_NORMAL, kCommandTimeout,
                                 &ignored))
            throw Fatal{"button " + std::to_string(id) + " did not finish within " +
                        std::to_string(kCommandTimeout / 1000) + " s"};
    }
    // A click whose handler may open a modal window: returns at once.
    void PostClick(int id) const {
        PostMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    void PostKey(int id, WPARAM key) const {
        PostMessageA(Item(id), WM_KEYDOWN, key, 1);
        PostMessageA(Item(id), WM_KEYUP, key, 1 | (3u << 30));
    }
    HWND WaitForWindow(const char* caption) const {
        HWND box = nullptr;
        WaitFor(
            [&] { return (box = FindDialog(m_process.dwProcessId, caption, m_hDlg)) != nullptr; },
            kCommandTimeout);
        if (!box)
            throw Fatal{m_what + ": no window \"" + (caption ? caption : "*") + "\" appeared"};
        return box;
    }
    bool WaitForExit() const {
        return WaitForSingleObject(m_process.hProcess, kCommandTimeout) == WAIT_OBJECT_0;
    }

private:
    std::string m_what;
    PROCESS_INFORMATION m_process{};
    HWND m_hDlg = nullptr;
};

void CloseBox(HWND box, const std::string& what) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitFor([&] { return !IsWindow(box); }, kCommandTimeout))
        throw Fatal{what + " did not close"};
}

// Lets a script take a picture of window: announces its rectangle, waits for the go-ahead.
void Pose(const std::string& shots, const std::string& name, HWND window) {
    if (shots.empty()) return;
    RECT r;
    GetWindowRect(window, &r);
    const std::string done = shots + "\\" + name + ".done";
    DeleteFileA(done.c_str());
    std::ostringstream rect;
    rect << r.left << " " << r.top << " " << (r.right - r.left) << " " << (r.bottom - r.top)
         << "\n";
    WriteFile(shots + "\\" + name + ".ready", rect.str());
    if (!WaitFor([&] { return Exists(done); }, kCommandTimeout))
        Fail("no picture of " + name + " was taken");
}

const std::string kTexture = "texture img/v5kra_8_16_34560_42640.dds";
const std::string kDirective = "LOAD_CENTER 47.59134438 9.86572266 2333 2048";
const std::string kOriginal = "name A\r\n" + kTexture + "\r\n";
const std::string kConverted = "name A\r\n" + kDirective + "\r\n" + kTexture + "\r\n";

// The window the template made: styles, controls in tab order, place on the screen.
void ExpectMainDialogLayout(HWND dialog) {
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    const LONG wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    Expect((style & wanted) == wanted,
           "the dialog is not a popup with caption, system menu and "
           "modal frame");
    Expect((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0,
           "the dialog has a minimize or "
           "maximize box");
    Expect((exStyle & WS_EX_APPWINDOW) != 0, "the dialog is not an application window");

    // clang-format off
    const struct { int id; const char* text; LONG kind; bool tabStop; } controls[] = {
        {IDCANCEL,   "Exit",                    BS_PUSHBUTTON, true},
        {kPathId,    nullptr,                   -1,            true},
        {kSelectId,  "Select",                  BS_PUSHBUTTON, true},
        {kStatusId,  "",                        SS_LEFT,       false},
        {kGoId,      "Go",                      BS_PUSHBUTTON, true},
        {-1,         "Path with .ter files",    SS_LEFT,       false},
        {kRestoreId, "Restore Files",           BS_PUSHBUTTON, true},
        {kRemoveId,  "Remove texturemapping ",  BS_CHECKBOX,   false},
    };
    // clang-format on
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const auto& c : controls) {
        const std::string name = "control " + std::to_string(c.id);
        if (!child) return Fail(name + " is missing");
        // The label has no id of its own (-1, or 0xFFFF in a 16-bit field).
        Expect((GetDlgCtrlID(child) & 0xFFFF) == (c.id & 0xFFFF),
               name + " is not next in tab order: found " + std::to_string(GetDlgCtrlID(child)));
        const LONG childStyle = GetWindowLongA(child, GWL_STYLE);
        if (c.text) ExpectEqual(WindowText(child), c.text, name + " text");
        if (c.kind >= 0) Expect((childStyle & 0x0F) == c.kind, name + " is of another kind");
        Expect(((childStyle & WS_TABSTOP) != 0) == c.tabStop, name + " tab stop");
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Expect(child == nullptr, "the dialog has more controls than its template");

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT r;
    GetWindowRect(dialog, &r);
    const RECT& work = monitor.rcWork;
    Expect(std::abs((r.left + r.right) - (work.left + work.right)) <= 2 &&
               std::abs((r.top + r.bottom) - (work.top + work.bottom)) <= 2,
           "the dialog is not centred in the work area");
}

void SessionThroughEveryButton(const Frame& frame, const std::string& shots) {
    const std::string scenery = frame.folder + "\\Allg\xE4u";
    const std::string other = frame.folder + "\\Other";
    const std::string broken = frame.folder + "\\Broken";
    MakeFolder(scenery);
    MakeFolder(other);
    MakeFolder(broken);
    WriteFile(scenery + "\\a1.ter", kOriginal);
    WriteFile(scenery + "\\a2.ter", kOriginal);
    WriteFile(other + "\\o1.ter", kOriginal);
    WriteFile(broken + "\\b1.ter", kOriginal);
    MakeFolder(broken + "\\b1.ter.bak");  // the backup cannot be made
    WriteFile(frame.lastPath, scenery);

    CRunningDialog app(frame, "session");
    Step("the dialog shows the stored folder and an empty status");
    ExpectEqual(app.Text(kPathId), scenery, "path field at start");
    ExpectEqual(app.Text(kStatusId), "", "status at start");
    Expect(app.Check(kRemoveId) == 0, "check box at start is not cleared");
    ExpectMainDialogLayout(app.Dialog());
    const std::string helpFile = frame.program.substr(0, frame.program.rfind('.')) + ".HLP";
    if (shots.empty()) {
        Step("F1 asks the help viewer for the main dialog's topic");
        app.PostKey(kPathId, VK_F1);
        ExpectHelpRequest(helpFile, 0x20000 + 102, "F1 in the main dialog");
    }
    Pose(shots, "main", app.Dialog());

    Step("Go converts the folder");
    app.Click(kGoId);
    ExpectEqual(app.Text(kStatusId), "Finished", "status after Go");
    ExpectEqual(app.Text(kPathId), scenery, "path field after Go");
    ExpectEqual(ReadFile(scenery + "\\a1.ter"), kConverted, "a1.ter after Go");
    ExpectEqual(ReadFile(scenery + "\\a2.ter"), kConverted, "a2.ter after Go");
    ExpectEqual(ReadFile(scenery + "\\a1.ter.bak"), kOriginal, "a1.ter.bak after Go");

    Step("the check box toggles and toggles back, taking over the typed folder");
    app.Type(kPathId, other);
    app.Click(kRemoveId);
    Expect(app.Check(kRemoveId) == 1, "check box after one click is not checked");
    ExpectEqual(app.Text(kPathId), other, "path field after the click");
    app.Click(kRemoveId);
    Expect(app.Check(kRemoveId) == 0, "check box after two clicks is not cleared");
    app.Click(kGoId);  // works on the folder the check box took over
    ExpectEqual(ReadFile(other + "\\o1.ter"), kConverted, "o1.ter after Go on the typed folder");

    Step("Select opens the folder browser without an owner; cancelling it empties the path");
    app.PostClick(kSelectId);
    const HWND browser = app.WaitForWindow(nullptr);
    Expect(GetWindow(browser, GW_OWNER) == nullptr, "the folder browser has an owner");
    Expect(IsWindowEnabled(app.Dialog()) != FALSE, "the folder browser blocks the main dialog");
    PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Expect(WaitFor([&] { return !IsWindow(browser); }, kCommandTimeout),
           "the folder browser did not close");
    Expect(WaitFor([&] { return app.Text(kPathId).empty(); }, kCommandTimeout),
           "the path field is not empty after the browser was cancelled: " + app.Text(kPathId));

    Step("Restore Files puts the backups back");
    app.Type(kPathId, scenery);
    app.Click(kRestoreId);
    ExpectEqual(app.Text(kStatusId), "Finished", "status after Restore Files");
    ExpectEqual(ReadFile(scenery + "\\a1.ter"), kOriginal, "a1.ter after Restore Files");
    Expect(!Exists(scenery + "\\a1.ter.bak"), "a1.ter.bak is still there after Restore Files");

    Step("a backup that cannot be made is reported");
    app.Type(kPathId, broken);
    app.PostClick(kGoId);
    const HWND box = app.WaitForWindow("Brivanto");
    ExpectEqual(BoxText(box), "Original konnte nicht gesichert werden", "backup message");
    Expect(GetWindow(box, GW_OWNER) == app.Dialog(), "the message box is not owned by the dialog");
    CloseBox(box, "the backup message");
    Expect(WaitFor([&] { return app.Text(kStatusId) == "Finished"; }, kCommandTimeout),
           "status after the failed backup is not \"Finished\"");

    Step("the system menu opens the about box");
    PostMessageA(app.Dialog(), WM_SYSCOMMAND, kAboutCommand, 0);
    const HWND about = app.WaitForWindow(kAboutCaption);
    Expect(GetWindow(about, GW_OWNER) == app.Dialog(), "the about box is not owned by the dialog");
    Expect(IsWindowEnabled(app.Dialog()) == FALSE,
           "the main dialog is not blocked by the about box");
    bool versionShown = false;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        versionShown = versionShown || WindowText(child) == "Brivanto Version 1.0";
    Expect(versionShown, "the about box does not say \"Brivanto Version 1.0\"");
    Pose(shots, "about", about);
    if (shots.empty()) {
        PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_F1, 1);
        ExpectHelpRequest(helpFile, 0x20000 + 100, "F1 in the about box");
    }
    CloseBox(about, "the about box");
    Expect(WaitFor([&] { return IsWindowEnabled(app.Dialog()) != FALSE; }, kCommandTimeout),
           "the main dialog stays blocked after the about box");

    Step("Exit stores the typed folder and ends the program");
    const std::string typed = frame.folder + "\\typed for Exit";
    app.Type(kPathId, typed);
    app.PostClick(IDCANCEL);
    Expect(app.WaitForExit(), "the program did not end after Exit");
    ExpectEqual(ReadFile(frame.lastPath), typed, "LastPath.cfg after Exit");
}

void EndingBy(const Frame& frame, const std::string& how, bool stores,
              void (*end)(const CRunningDialog&)) {
    const std::string stored = frame.folder + "\\stored";
    const std::string typed = frame.folder + "\\typed before " + how;
    WriteFile(frame.lastPath, stored);
    CRunningDialog app(frame, how);
    Step(how + (stores ? " stores the folder" : " ends without storing the folder"));
    ExpectEqual(app.Text(kPathId), stored, "path field at start");
    app.Type(kPathId, typed);
    end(app);
    Expect(app.WaitForExit(), "the program did not end after " + how);
    ExpectEqual(ReadFile(frame.lastPath), stores ? typed : stored, "LastPath.cfg after " + how);
}

std::string VersionString(const std::vector<char>& block, const std::string& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::string query = "\\StringFileInfo\\040704B0\\" + key;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length)) return "<missing>";
    const char* text = static_cast<const char*>(value);
    return length > 0 ? std::string(text, strnlen(text, length)) : "";
}

void VersionBlock(const std::string& program) {
    Step("the version block reads back");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    if (size == 0) return Fail("the program has no version block");
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(program.c_str(), 0, size, block.data()))
        return Fail("GetFileVersionInfoA failed");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return Fail("the version block has no fixed information");
    Expect(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0x00000001,
           "file version is not 1.0.0.1");
    Expect(fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0x00000001,
           "product version is not 1.0.0.1");
    Expect(fixed->dwFileOS == VOS__WINDOWS32, "file OS is not 32-bit Windows");
    Expect(fixed->dwFileType == VFT_APP, "file type is not an application");

    WORD* translation = nullptr;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 4)
        return Fail("the version block has no translation");
    Expect(translation[0] == 0x0407 && translation[1] == 1200,
           "translation is not German (0x407) with Unicode (1200)");

    // clang-format off
    const struct { const char* key; const char* value; } entries[] = {
        {"CompanyName",      ""},
        {"FileDescription",  "MFC-Anwendung Brivanto"},
        {"FileVersion",      "1, 0, 0, 1"},
        {"InternalName",     "Brivanto"},
        {"LegalTrademarks",  ""},
        {"OriginalFilename", "Brivanto.EXE"},
        {"ProductName",      "Anwendung Brivanto"},
        {"ProductVersion",   "1, 0, 0, 1"},
    };
    // clang-format on
    for (const auto& entry : entries)
        ExpectEqual(VersionString(block, entry.key), entry.value,
                    std::string("version ") + entry.key);
    Expect(VersionString(block, "LegalCopyright").rfind("Copyright", 0) == 0,
           "the version block has no copyright line");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--shots")) {
        std::fprintf(stderr, "usage: brivanto_gui_test BRIVANTO_EXE [--shots FOLDER]\n");
        return 2;
    }
    const std::string source = WindowsPath(argv[1]);
    const std::string shots = argc == 4 ? WindowsPath(argv[3]) : "";

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Frame frame;
    frame.folder = std::string(temp) + "brivanto-gui-" + std::to_string(GetCurrentProcessId());
    const std::string programFolder = frame.folder + "\\Programm";
    frame.program = programFolder + "\\Brivanto.exe";
    frame.lastPath = programFolder + "\\LastPath.cfg";

    try {
        RemoveTree(frame.folder);
        MakeFolder(frame.folder);
        MakeFolder(programFolder);
        if (!CopyFileA(source.c_str(), frame.program.c_str(), FALSE))
            throw Fatal{"cannot copy " + source};

        StartHelpViewer();
        VersionBlock(frame.program);
        SessionThroughEveryButton(frame, shots);
        if (shots.empty()) {
            EndingBy(frame, "Escape", true,
                     [](const CRunningDialog& app) { app.PostKey(kPathId, VK_ESCAPE); });
            EndingBy(frame, "the close box", true, [](const CRunningDialog& app) {
                PostMessageA(app.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
            });
            EndingBy(frame, "Enter in the path field", false,
                     [](const CRunningDialog& app) { app.PostKey(kPathId, VK_RETURN); });
        }
    } catch (const Fatal& fatal) {
        Fail(fatal.what);
    }
    RemoveTree(frame.folder);

    if (g_failures > 0) {
        std::printf("%d check(s) failed\n", g_failures);
        return 1;
    }
    std::printf("Brivanto.exe passed every step\n");
    return 0;
}
