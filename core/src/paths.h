// Paths of files inside a folder.
#pragma once

#include <string>

namespace huecore {

// folder, one backslash, name.
std::string joinPath(const std::string& folder, const std::string& name);

// An IconFile text as the shell reads it: environment references expanded,
// and a relative path taken inside the folder.
std::string resolveIconPath(const std::string& folder, const std::string& iconFile);

bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);

} // namespace huecore
