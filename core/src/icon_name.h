// Names of the label icons that the engine generates inside a folder.
#pragma once

#include <string>

namespace huecore {

// The pattern of generated icon names; %s is a unique identifier.
extern const char* const LABEL_ICON_PATTERN;

// Whether name is a bare file name (no folder part) that the engine makes
// from LABEL_ICON_PATTERN: "huemark-" and ".ico" (letter case ignored, as
// the file system ignores it) around a GUID in its 36-character string form
// or an unsigned decimal number.
bool isGeneratedIconName(const std::string& name);

} // namespace huecore
