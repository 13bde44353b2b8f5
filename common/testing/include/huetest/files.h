// File and folder helpers for tests that work on real folders.
#pragma once

#include <string>
#include <vector>

namespace huetest {

// A new, empty folder under the system's temporary folder, removed with all
// its contents (whatever their attributes) when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::string& path() const { return path_; }
    // The path of `name` inside the folder.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// Removes a folder tree; files and folders with read-only, hidden or system
// attributes included.
void removeTree(const std::string& path);

bool fileExists(const std::string& path);
// The whole content of a file, or throws std::runtime_error.
std::string readFile(const std::string& path);
// Creates or replaces a file, or throws std::runtime_error.
void writeFile(const std::string& path, const std::string& bytes);
// The names of the files in a folder (not "." and ".."), sorted.
std::vector<std::string> listFolder(const std::string& path);

// The key names of one section of an INI file in file order, parsed from the
// file's bytes (not through the profile API).
std::vector<std::string> iniKeys(const std::string& path, const std::string& section);

} // namespace huetest
