#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FakeWindow.h"
#include "platform/FileError.h"
#include "ui/Framework.h"

namespace {

using Calls = std::vector<std::string>;

TEST(ModulePathTest, NameAndHelpFileComeFromTheExecutablesPath) {
    struct Case {
        const char* path;
        const char* name;
        const char* helpFile;
    };
    // clang-format off
    const Case cases[] = {
        {"C:\\Tools\\Brivanto.exe",      "Brivanto",  "C:\\Tools\\Brivanto.HLP"},
        {"C:\\Tools\\Brivanto.EXE",      "Brivanto",  "C:\\Tools\\Brivanto.HLP"},
        {"C:\\my.tools\\Brivanto",       "Brivanto",  "C:\\my.tools\\Brivanto.HLP"},
        {"C:\\Tools\\x.y.exe",           "x.y",       "C:\\Tools\\x.y.HLP"},
        {"Brivanto.exe",                 "Brivanto",  "Brivanto.HLP"},
        {"/opt/brivanto/Brivanto.exe",   "Brivanto",  "/opt/brivanto/Brivanto.HLP"},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(AppNameFromModulePath(c.path), c.name) << c.path;
        EXPECT_EQ(HelpFileFromModulePath(c.path), c.helpFile) << c.path;
    }
}

TEST(FileErrorTextTest, NamesTheFileInTheTextOfItsCause) {
    const CFileError readError(CFileError::Cause::General, "C:\\Scenery\\a1.ter");
    const CFileError writeError(CFileError::Cause::DiskFull, "C:\\Scenery\\a1.ter");
    EXPECT_EQ(FileErrorText(readError), "Ein unbekannter Fehler ist beim Zugriff auf " +
                                            readError.GetFileName() + " aufgetreten.");
    EXPECT_EQ(FileErrorText(writeError), "Beim Zugriff auf " + writeError.GetFileName() +
                                             " wurde ein voller Datentr\xE4ger gemeldet.");
}

// A dialog whose handlers are set by each test.
class CProbeDialog : public CModalDialog {
public:
    CProbeDialog() : CModalDialog(7) {}

    std::string m_strText;
    int m_nCheck = 0;
    std::function<void()> onCommand10;
    std::function<void()> onCancel;
    bool initialFocus = true;

protected:
    void DoDataExchange(CDialogData& data) override {
        data.Text(1, m_strText);
        data.Check(2, m_nCheck);
    }
    bool OnInitDialog() override {
        CModalDialog::OnInitDialog();
        return initialFocus;
    }
    bool OnCommand(int id) override {
        if (id == 10 && onCommand10) {
            onCommand10();
            return true;
        }
        return CModalDialog::OnCommand(id);
    }
    void OnCancel() override {
        if (onCancel)
            onCancel();
        else
            CModalDialog::OnCancel();
    }

public:
    void EndLater(int result) { EndAfterCommand(result); }
};

class ModalDialogTest : public ::testing::Test {
protected:
    CTestApp app;
    CFakeWindow window;
    CProbeDialog dialog;
};

TEST_F(ModalDialogTest, UpdateDataCopiesBothWays) {
    dialog.m_strText = "C:\\Scenery";
    dialog.m_nCheck = 1;
    EXPECT_TRUE(dialog.HandleInitDialog(window));
    EXPECT_EQ(window.texts[1], "C:\\Scenery");
    EXPECT_EQ(window.checks[2], 1);

    window.texts[1] = "typed";
    window.checks[2] = 2;
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.m_strText, "typed");
    EXPECT_EQ(dialog.m_nCheck, 2);
}

TEST_F(ModalDialogTest, CheckStateOutsideItsRangeIsWrittenAsZero) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    // clang-format off
    const struct { int member; int written; } cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {1000, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        dialog.m_nCheck = c.member;
        window.checks[2] = 9;
        dialog.UpdateData(false);
        EXPECT_EQ(window.checks[2], c.written) << c.member;
        EXPECT_EQ(dialog.m_nCheck, c.written) << c.member;
    }
}

TEST_F(ModalDialogTest, OkReadsTheControlsAndEndsCancelOnlyEnds) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    window.texts[1] = "typed";
    dialog.HandleCommand(kIdOk);
    EXPECT_EQ(dialog.m_strText, "typed");
    EXPECT_EQ(window.endResult, kIdOk);

    CFakeWindow other;
    CProbeDialog cancelled;
    cancelled.HandleInitDialog(other);
    other.texts[1] = "typed";
    cancelled.HandleCommand(kIdCancel);
    EXPECT_EQ(cancelled.m_strText, "");
    EXPECT_EQ(other.endResult, kIdCancel);
}

TEST_F(ModalDialogTest, ErrorEscapingAHandlerIsShownAndTheDialogStaysOpen) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    const CFileError diskFull(CFileError::Cause::DiskFull, "C:\\x\\a1.ter");
    struct Case {
        std::function<void()> fault;
        std::string box;
    };
    const Case cases[] = {
        {[&] { throw diskFull; }, "box stop Brivanto: " + FileErrorText(diskFull)},
        {[] { throw CFileError(CFileError::Cause::General, "C:\\x\\b.ter"); },
         "box stop Brivanto: " +
             FileErrorText(CFileError(CFileError::Cause::General, "C:\\x\\b.ter"))},
        {[] { throw std::runtime_error("kaputt"); }, "box stop Brivanto: kaputt"},
    };
    for (const Case& c : cases) {
        window.calls.clear();
        dialog.onCommand10 = c.fault;
        dialog.HandleCommand(10);
        EXPECT_EQ(window.calls, Calls{c.box});
        EXPECT_EQ(window.endResult, 0);
    }
}

TEST_F(ModalDialogTest, ErrorInInitialisationSetsNoFocus) {
    dialog.onCommand10 = nullptr;
    struct CFailingInit : CProbeDialog {
        bool OnInitDialog() override {
            CProbeDialog::OnInitDialog();
            throw CFileError(CFileError::Cause::General, "C:\\x\\LastPath.cfg");
        }
    } failing;
    EXPECT_FALSE(failing.HandleInitDialog(window));
    EXPECT_EQ(window.CallsStartingWith("box stop Brivanto: Ein unbekannter Fehler").size(), 1u);
    EXPECT_EQ(window.endResult, 0);
}

TEST_F(ModalDialogTest, EndAfterCommandEndsAlsoWhenTheCommandFails) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    dialog.onCancel = [&] {
        dialog.EndLater(kIdCancel);
        throw CFileError(CFileError::Cause::DiskFull, "C:\\x\\LastPath.cfg");
    };
    window.calls.clear();
    dialog.HandleCommand(kIdCancel);
    ASSERT_EQ(window.calls.size(), 2u);
    EXPECT_EQ(window.calls[0].rfind("box stop Brivanto: Beim Zugriff auf ", 0), 0u);
    EXPECT_EQ(window.calls[1], "end 2");

    // The request lasts for one command only.
    CFakeWindow other;
    CProbeDialog next;
    next.HandleInitDialog(other);
    next.onCommand10 = [&] { next.EndLater(kIdCancel); };
    next.HandleCommand(10);
    EXPECT_EQ(other.endResult, kIdCancel);
    other.endResult = 0;
    next.onCommand10 = [] {};
    next.HandleCommand(10);
    EXPECT_EQ(other.endResult, 0);
}

TEST_F(ModalDialogTest, HelpCommandAsksForTheDialogsTopic) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    window.calls.clear();
    dialog.HandleCommand(kIdHelp);
    EXPECT_EQ(window.calls,
              Calls{"help C:\\Programs\\Brivanto.HLP " + std::to_string(0x20000 + 7)});
}

TEST_F(ModalDialogTest, CommandWithoutHandlerDoesNothing) {
    ASSERT_TRUE(dialog.HandleInitDialog(window));
    window.calls.clear();
    dialog.HandleCommand(4711);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_FALSE(dialog.HandleSysCommand(0xF060));
    EXPECT_FALSE(dialog.HandlePaint());
}

}  // namespace
