#pragma once

#include "ui/Framework.h"
#include "ui/resource.h"

/// The about box, opened from the main dialog's system menu. Its OK button ends it.
class CAboutDlg : public CModalDialog {
public:
    CAboutDlg() : CModalDialog(IDD_ABOUTBOX) {}
};
