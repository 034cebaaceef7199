// The program's entry: no command line, no settings, nothing stored.
#include <windows.h>

#include "app/startup_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        return tavimo::win32::RunTavimo(instance, show);
    } catch (...) {
        return 1;
    }
}
