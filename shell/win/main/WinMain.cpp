// Entry point of the application.
#include <windows.h>

#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // The screens that attach to the main window set their entries of tl5::StartHooks() here, before
    // the start.
    tl5win::InstallMainWindow();
    return tl5::RunApplication(instance, commandLine);
}
