#include "FakeWindow.h"

#include "ui/resource.h"

std::string CFakeWindow::GetItemText(int id) const {
    const auto it = texts.find(id);
    return it == texts.end() ? "" : it->second;
}

void CFakeWindow::SetItemText(int id, const std::string& text) {
    texts[id] = text;
    calls.push_back("text " + std::to_string(id) + " " + text);
}

int CFakeWindow::GetItemCheck(int id) const {
    const auto it = checks.find(id);
    return it == checks.end() ? 0 : it->second;
}

void CFakeWindow::SetItemCheck(int id, int state) {
    checks[id] = state;
    calls.push_back("check " + std::to_string(id) + " " + std::to_string(state));
}

void CFakeWindow::ShowItem(int id) { calls.push_back("show " + std::to_string(id)); }

void CFakeWindow::AppendSystemMenuItem(int id, const std::string& text) {
    calls.push_back("menu " + std::to_string(id) + " " + text);
}

void CFakeWindow::SetIcon(IconHandle icon, bool big) {
    icons.push_back(icon);
    calls.push_back(big ? "icon big" : "icon small");
}

void CFakeWindow::PaintMinimized(IconHandle icon) {
    icons.push_back(icon);
    calls.push_back("paint");
}

void CFakeWindow::ShowMessageBox(const std::string& text, const std::string& caption,
                                 CMessageIcon icon) {
    calls.push_back(std::string("box ") + (icon == CMessageIcon::Stop ? "stop " : "plain ") +
                    caption + ": " + text);
}

int CFakeWindow::RunModal(CModalDialog& child) {
    calls.push_back("modal " + std::to_string(child.GetTemplateId()));
    return kIdOk;
}

void CFakeWindow::End(int result) {
    endResult = result;
    calls.push_back("end " + std::to_string(result));
}

void CFakeWindow::ShowHelp(const std::string& helpFile, unsigned topic) {
    calls.push_back("help " + helpFile + " " + std::to_string(topic));
}

std::vector<std::string> CFakeWindow::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

CTestApp::CTestApp() {
    SetModulePath("C:\\Programs\\Brivanto.exe");
    strings[IDS_ABOUTBOX] =
        "Inf&o \xFC"
        "ber Brivanto...";
}

IconHandle CTestApp::LoadIconResource(int id) const { return TestIcon(id); }

std::string CTestApp::LoadStringResource(int id) const {
    const auto it = strings.find(id);
    return it == strings.end() ? "" : it->second;
}

IconHandle TestIcon(int id) {
    static char icons[1024];
    return &icons[id % 1024];
}
