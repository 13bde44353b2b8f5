#include <windows.h>
#include <shlwapi.h>

#include "paths.h"

#include <vector>

namespace huecore {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + '\\' + name;
}

std::string resolveIconPath(const std::string& folder, const std::string& iconFile) {
    std::string path = iconFile;
    const DWORD needed = ::ExpandEnvironmentStringsA(iconFile.c_str(), nullptr, 0);
    if (needed > 0) {
        std::vector<char> expanded(needed);
        if (::ExpandEnvironmentStringsA(iconFile.c_str(), expanded.data(), needed) == needed)
            path = expanded.data();
    }
    if (!path.empty() && ::PathIsRelativeA(path.c_str()))
        path = joinPath(folder, path);
    return path;
}

bool pathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace huecore
