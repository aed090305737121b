#include "app/AppWin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return ShowMainSetup(instance);
}
