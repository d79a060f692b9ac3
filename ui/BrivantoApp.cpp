#include "ui/BrivantoApp.h"

#include "ui/BrivantoDlg.h"

CBrivantoApp theApp;

bool CBrivantoApp::InitInstance() {
    CBrivantoDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog was the program: no message loop of our own follows.
    return false;
}
