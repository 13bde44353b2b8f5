// The label engine's own module handle, kept by the DLL's entry point.
#pragma once

#include <windows.h>

namespace huecore {

// The module that holds the library's resources (its string table).
HINSTANCE libraryModule();
void setLibraryModule(HINSTANCE module);

} // namespace huecore
