// Saving an icon as a PNG picture.
#pragma once

#include <windows.h>

namespace huelabel {

// Writes the icon's picture, with its transparency, as a PNG file. Returns
// an HRESULT: S_OK, or why it failed.
HRESULT saveIconPng(HICON icon, const char* path);

} // namespace huelabel
