#pragma once

#include "ui/WindowsApp.h"

/// Brivanto.exe: runs the main dialog and ends when it closes.
class CBrivantoApp : public CWindowsApp {
public:
    bool InitInstance() override;
};
