#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FakeWindow.h"
#include "platform/FaultInjection.h"
#include "settings/LastPathStore.h"
#include "support/TempDir.h"
#include "ui/BrivantoDlg.h"
#include "ui/resource.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kTexture = "texture img/v5kra_8_16_34560_42640.dds";
const std::string kDirective = "LOAD_CENTER 47.59134438 9.86572266 2333 2048";
const std::string kOriginal = "name A\r\n" + kTexture + "\r\n";
const std::string kConverted = "name A\r\n" + kDirective + "\r\n" + kTexture + "\r\n";
const std::string kWithoutDirective = "name A\r\n" + kTexture + "\r\n";

class BrivantoDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The dialog keeps LastPath.cfg beside the running program, as it does in use.
        InitProgramDirectory();
        lastPathFile = LastPathStore.FileName();
        std::remove(lastPathFile.c_str());
    }
    void TearDown() override {
        platform::ClearFaults();
        std::remove(lastPathFile.c_str());
    }

    // Opens the dialog on LastPath.cfg holding stored, then types typed into the path field.
    void Open(const std::string& stored, const std::string& typed) {
        WriteBytes(lastPathFile, stored);
        ASSERT_TRUE(dlg.HandleInitDialog(window));
        window.texts[IDC_PATH] = typed;
        window.calls.clear();
    }

    CTestApp app;
    CBrivantoDlg dlg;
    CFakeWindow window;
    CTempDir scenery;
    std::string lastPathFile;
};

TEST_F(BrivantoDlgTest, InitialisationRunsInOrderAndShowsTheStoredFolder) {
    const std::string stored = "C:\\Scenery\\Allg\xE4u";
    WriteBytes(lastPathFile, stored + "\r\nsecond line\r\n");
    window.texts[IDC_STATUS] = "Keine Datei in Arbeit";

    EXPECT_TRUE(dlg.HandleInitDialog(window));

    const Calls expected = {
        "text 1002 ",
        "text 1000 ",
        "check 1005 0",  // the base initialisation
        "menu 16 Inf&o \xFC"
        "ber Brivanto...",
        "icon big",
        "icon small",
        "show 1002",
        "text 1002 ",
        "text 1000 " + stored,
        "check 1005 0",
    };
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(dlg.m_hIcon, TestIcon(IDR_MAINFRAME));
    EXPECT_EQ(window.icons, (std::vector<IconHandle>{dlg.m_hIcon, dlg.m_hIcon}));
    EXPECT_EQ(dlg.m_strPath, stored);
    EXPECT_EQ(dlg.m_strStatus, "");
    EXPECT_EQ(dlg.m_bRemove, 0);
    EXPECT_EQ(window.endResult, 0);
}

TEST_F(BrivantoDlgTest, AboutItemNeedsASystemMenuAndItsText) {
    struct Case {
        bool hasMenu;
        std::string text;
        std::size_t items;
    };
    const Case cases[] = {{true, "Inf&o", 1}, {false, "Inf&o", 0}, {true, "", 0}};
    for (const Case& c : cases) {
        CFakeWindow w;
        w.hasSystemMenu = c.hasMenu;
        app.strings[IDS_ABOUTBOX] = c.text;
        CBrivantoDlg d;
        EXPECT_TRUE(d.HandleInitDialog(w));
        EXPECT_EQ(w.CallsStartingWith("menu ").size(), c.items) << c.hasMenu << c.text;
        EXPECT_EQ(w.CallsStartingWith("icon ").size(), 2u);
    }
}

TEST_F(BrivantoDlgTest, MissingOrEmptyLastPathGivesAnEmptyField) {
    EXPECT_TRUE(dlg.HandleInitDialog(window));
    EXPECT_EQ(window.texts[IDC_PATH], "");
    WriteBytes(lastPathFile, "");
    CFakeWindow other;
    CBrivantoDlg second;
    EXPECT_TRUE(second.HandleInitDialog(other));
    EXPECT_EQ(other.texts[IDC_PATH], "");
}

TEST_F(BrivantoDlgTest, ReadErrorOnLastPathEndsTheInitialisation) {
    WriteBytes(lastPathFile, "C:\\Scenery");
    platform::FailNthCall(platform::FaultOp::Read, 1);

    EXPECT_FALSE(dlg.HandleInitDialog(window));

    const Calls boxes = window.CallsStartingWith("box ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("box stop Brivanto: Ein unbekannter Fehler ist beim Zugriff auf ", 0),
              0u);
    EXPECT_NE(boxes[0].find("LastPath.cfg aufgetreten."), std::string::npos);
    EXPECT_EQ(dlg.m_strPath, "");
    EXPECT_EQ(window.calls.back(), boxes[0]);  // nothing of the initialisation after it
    EXPECT_EQ(window.endResult, 0);
}

TEST_F(BrivantoDlgTest, GoConvertsTheTypedFolderAndEndsWithFinished) {
    WriteBytes(scenery / "a1.ter", kOriginal);
    Open("C:\\elsewhere", scenery.Path());

    dlg.HandleCommand(IDC_GO);

    EXPECT_EQ(ReadBytes(scenery / "a1.ter"), kConverted);
    EXPECT_EQ(ReadBytes(scenery / "a1.ter.bak"), kOriginal);
    EXPECT_EQ(dlg.m_strPath, scenery.Path());
    EXPECT_EQ(window.texts[IDC_PATH], scenery.Path());
    EXPECT_EQ(window.texts[IDC_STATUS], "Finished");
    // While it worked, the label showed the file.
    const Calls labels = window.CallsStartingWith("text 1002 ");
    EXPECT_EQ(labels, (Calls{"text 1002 a1.ter", "text 1002 Finished"}));
    EXPECT_TRUE(window.CallsStartingWith("box ").empty());
    EXPECT_EQ(window.endResult, 0);
}

TEST_F(BrivantoDlgTest, CheckBoxTogglesTakesOverTheTypedPathAndSteersGo) {
    WriteBytes(scenery / "a1.ter", kConverted);
    Open("C:\\elsewhere", scenery.Path());

    dlg.HandleCommand(IDC_REMOVE);
    EXPECT_EQ(dlg.m_bRemove, 1);
    EXPECT_EQ(window.checks[IDC_REMOVE], 1);
    EXPECT_EQ(dlg.m_strPath, scenery.Path());
    EXPECT_EQ(window.calls.back(), "update");

    dlg.HandleCommand(IDC_GO);
    EXPECT_EQ(ReadBytes(scenery / "a1.ter"), kWithoutDirective);

    window.texts[IDC_PATH] = "C:\\typed again";
    dlg.HandleCommand(IDC_REMOVE);
    EXPECT_EQ(dlg.m_bRemove, 0);
    EXPECT_EQ(window.checks[IDC_REMOVE], 0);
    EXPECT_EQ(dlg.m_strPath, "C:\\typed again");
}

TEST_F(BrivantoDlgTest, RestoreFilesPutsTheBackupsBack) {
    WriteBytes(scenery / "a1.ter", kOriginal);
    Open("", scenery.Path());
    dlg.HandleCommand(IDC_GO);
    ASSERT_EQ(ReadBytes(scenery / "a1.ter"), kConverted);

    dlg.HandleCommand(IDC_RESTORE);

    EXPECT_EQ(ReadBytes(scenery / "a1.ter"), kOriginal);
    EXPECT_FALSE(FileExists(scenery / "a1.ter.bak"));
    EXPECT_EQ(window.texts[IDC_STATUS], "Finished");
}

TEST_F(BrivantoDlgTest, FailedBackupIsShownInAPlainBoxAndTheFileStillConverts) {
    WriteBytes(scenery / "a1.ter", kOriginal);
    std::filesystem::create_directory(scenery / "a1.ter.bak");
    Open("", scenery.Path());

    dlg.HandleCommand(IDC_GO);

    EXPECT_EQ(window.CallsStartingWith("box "),
              Calls{"box plain Brivanto: Original konnte nicht gesichert werden"});
    EXPECT_EQ(window.texts[IDC_STATUS], "Finished");
    EXPECT_EQ(window.endResult, 0);
}

TEST_F(BrivantoDlgTest, WriteErrorDuringGoIsShownAndTheDialogStays) {
    WriteBytes(scenery / "a1.ter", kOriginal);
    Open("", scenery.Path());
    platform::FailNthCall(platform::FaultOp::Write, 1);

    dlg.HandleCommand(IDC_GO);

    const Calls boxes = window.CallsStartingWith("box ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("box stop Brivanto: Beim Zugriff auf ", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("a1.ter wurde ein voller Datentr\xE4ger gemeldet."), std::string::npos)
        << boxes[0];
    EXPECT_EQ(dlg.m_strStatus, "a1.ter");
    EXPECT_EQ(window.endResult, 0);

    // The next command works again.
    dlg.HandleCommand(IDC_GO);
    EXPECT_EQ(ReadBytes(scenery / "a1.ter"), kConverted);
}

TEST_F(BrivantoDlgTest, CancelStoresTheTypedFolderAndEnds) {
    const std::string typed = "D:\\Sz\xE9nerie\\Allg\xE4u";
    Open("C:\\Scenery", typed);

    dlg.HandleCommand(kIdCancel);

    EXPECT_EQ(ReadBytes(lastPathFile), typed);
    EXPECT_EQ(window.endResult, kIdCancel);
    EXPECT_TRUE(window.CallsStartingWith("box ").empty());
}

TEST_F(BrivantoDlgTest, CancelWithAnEmptyFieldEmptiesLastPath) {
    Open("C:\\Scenery", "");
    dlg.HandleCommand(kIdCancel);
    EXPECT_EQ(ReadBytes(lastPathFile), "");
    EXPECT_EQ(window.endResult, kIdCancel);
}

TEST_F(BrivantoDlgTest, FailedSaveOnCancelIsShownOnceAndTheDialogStillEnds) {
    Open("C:\\Scenery", "C:\\typed");
    platform::FailNthCall(platform::FaultOp::Write, 1);

    dlg.HandleCommand(kIdCancel);

    const Calls boxes = window.CallsStartingWith("box ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("box stop Brivanto: Beim Zugriff auf ", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("LastPath.cfg wurde ein voller"), std::string::npos) << boxes[0];
    EXPECT_EQ(window.calls.back(), "end 2");
}

TEST_F(BrivantoDlgTest, OkTakesTheFieldAndEndsWithoutStoringIt) {
    Open("C:\\Scenery", "C:\\typed");

    dlg.HandleCommand(kIdOk);

    EXPECT_EQ(dlg.m_strPath, "C:\\typed");
    EXPECT_EQ(window.endResult, kIdOk);
    EXPECT_EQ(ReadBytes(lastPathFile), "C:\\Scenery");
}

#ifndef _WIN32
// Only where the platform has no folder browser: it answers at once, as a cancel does.
TEST_F(BrivantoDlgTest, CancelledBrowserEmptiesThePath) {
    Open("C:\\Scenery", "C:\\typed");
    dlg.HandleCommand(IDC_SELECT);
    EXPECT_EQ(dlg.m_strPath, "");
    EXPECT_EQ(window.texts[IDC_PATH], "");
}
#endif

TEST_F(BrivantoDlgTest, SystemMenuOpensTheAboutBoxForItsItemOnly) {
    Open("", "");
    struct Case {
        unsigned command;
        bool handled;
    };
    // The low four bits belong to the system; SC_CLOSE and others take the default.
    const Case cases[] = {{0x0010, true},  {0x0013, true},  {0x001F, true},
                          {0x0020, false}, {0xF060, false}, {0x0000, false}};
    for (const Case& c : cases) {
        window.calls.clear();
        EXPECT_EQ(dlg.HandleSysCommand(c.command), c.handled) << c.command;
        EXPECT_EQ(window.calls, c.handled ? Calls{"modal 100"} : Calls{}) << c.command;
    }
}

TEST_F(BrivantoDlgTest, MinimizedDialogPaintsItsIconOtherwiseDefault) {
    Open("", "");
    EXPECT_FALSE(dlg.HandlePaint());
    EXPECT_TRUE(window.calls.empty());
    window.minimized = true;
    window.icons.clear();
    EXPECT_TRUE(dlg.HandlePaint());
    EXPECT_EQ(window.calls, Calls{"paint"});
    EXPECT_EQ(window.icons, std::vector<IconHandle>{dlg.m_hIcon});
    EXPECT_EQ(dlg.HandleQueryDragIcon(), dlg.m_hIcon);
}

TEST_F(BrivantoDlgTest, HelpAsksForTheMainDialogsTopic) {
    Open("", "");
    dlg.HandleCommand(kIdHelp);
    EXPECT_EQ(window.calls, Calls{"help C:\\Programs\\Brivanto.HLP 131174"});
}

}  // namespace
