#pragma once

#include "ui/Framework.h"

/// The application object of a Windows program: resources come from the executable, and
/// WinMain (in the framework) runs the one instance.
class CWindowsApp : public CApplication {
public:
    IconHandle LoadIconResource(int id) const override;
    std::string LoadStringResource(int id) const override;

    /// Takes the name from the running module, then runs InitInstance; the exit code.
    int Run();
};
