#include "path_parts.h"

namespace hueicons {

namespace {

bool isLeadByte(UINT codePage, char c) {
    return ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE;
}

// The single-byte character in upper case, as the system's ANSI tables
// give it.
char upper(char c) {
    char text[2] = {c, '\0'};
    ::CharUpperBuffA(text, 1);
    return text[0];
}

} // namespace

PathParts splitPath(const std::string& path, UINT codePage) {
    PathParts parts;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !isLeadByte(codePage, path[0])) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    std::size_t nameStart = start;
    std::size_t lastDot = std::string::npos;
    for (std::size_t i = start; i < path.size(); ++i) {
        if (isLeadByte(codePage, path[i]) && i + 1 < path.size()) {
            ++i; // the trail byte is part of the character, never a separator
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') {
            nameStart = i + 1;
            lastDot = std::string::npos;
        } else if (path[i] == '.') {
            lastDot = i;
        }
    }
    parts.directory = path.substr(start, nameStart - start);
    if (lastDot == std::string::npos) {
        parts.name = path.substr(nameStart);
    } else {
        parts.name = path.substr(nameStart, lastDot - nameStart);
        parts.extension = path.substr(lastDot);
    }
    return parts;
}

bool equalIgnoringCase(const std::string& a, const std::string& b, UINT codePage) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(codePage, a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace hueicons
