// Splitting a path into its parts, stepping over the double-byte characters
// of a code page whole. No registry or file system access.
#pragma once

#include <windows.h>

#include <string>

namespace hueicons {

struct PathParts {
    std::string drive;     // "C:" or empty
    std::string directory; // up to and with the last separator
    std::string name;      // the final component without its extension
    std::string extension; // from the final component's last dot, or empty
};

// Splits path: the final component follows the last backslash or slash
// (after an optional drive letter and colon); the extension is that
// component from its last dot on.
PathParts splitPath(const std::string& path, UINT codePage = CP_ACP);

// Compares two texts without regard to the case of single-byte letters;
// double-byte characters of the code page compare whole.
bool equalIgnoringCase(const std::string& a, const std::string& b, UINT codePage = CP_ACP);

} // namespace hueicons
