// Entry point of the application.
#include <windows.h>

#include "shell/win/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return tl5win::RunApplication(instance, commandLine);
}
