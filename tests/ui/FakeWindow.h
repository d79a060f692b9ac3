#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/Framework.h"

/// A dialog window without a screen: controls are values, and every other operation is written
/// down in calls, as "menu 16 TEXT", "icon big", "show 1002", "box stop CAPTION: TEXT",
/// "modal 100", "end 2", "help FILE 131174", "update", "paint".
class CFakeWindow : public CDialogWindow {
public:
    std::string GetItemText(int id) const override;
    void SetItemText(int id, const std::string& text) override;
    int GetItemCheck(int id) const override;
    void SetItemCheck(int id, int state) override;
    void ShowItem(int id) override;
    bool HasSystemMenu() const override { return hasSystemMenu; }
    void AppendSystemMenuItem(int id, const std::string& text) override;
    void SetIcon(IconHandle icon, bool big) override;
    void UpdateNow() override { calls.push_back("update"); }
    bool IsMinimized() const override { return minimized; }
    void PaintMinimized(IconHandle icon) override;
    void ShowMessageBox(const std::string& text, const std::string& caption,
                        CMessageIcon icon) override;
    int RunModal(CModalDialog& child) override;
    void End(int result) override;
    void ShowHelp(const std::string& helpFile, unsigned topic) override;

    /// The calls whose text starts with prefix.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

    std::map<int, std::string> texts;
    std::map<int, int> checks;
    std::vector<std::string> calls;
    std::vector<IconHandle> icons;  ///< the icons set, painted or drawn, in order
    bool hasSystemMenu = true;
    bool minimized = false;
    int endResult = 0;  ///< 0 while the dialog runs
};

/// The application object of the tests: named as if it ran as C:\Programs\Brivanto.exe, with
/// the string resources of Brivanto.exe.
class CTestApp : public CApplication {
public:
    CTestApp();
    bool InitInstance() override { return false; }
    IconHandle LoadIconResource(int id) const override;
    std::string LoadStringResource(int id) const override;

    std::map<int, std::string> strings;
};

/// A distinct non-null icon handle for resource id.
IconHandle TestIcon(int id);
