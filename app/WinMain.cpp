#include <windows.h>

#include "app/Startup.h"
#include "framework/Runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR commandLine,
                    int showMode) {
    fw::RuntimeInit(instance, previousInstance, commandLine, showMode);
    fw::RuntimePerformInitializers(pindrel::Program());
    pindrel::_Main();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}
