// Entry point of huecore.dll.
#include <windows.h>

#include "module.h"

// Keeps the instance handle on every notification and always succeeds.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    huecore::setLibraryModule(instance);
    return TRUE;
}
