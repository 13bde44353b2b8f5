#include <windows.h>

#include "huetest/files.h"

#include <hue/handles.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <stdexcept>

namespace huetest {

namespace {

std::string lastErrorText(const char* what, const std::string& path) {
    const DWORD error = ::GetLastError();
    return std::string(what) + " " + path + ": error " + std::to_string(error);
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetTempPath failed");
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << temp << "huetest-" << ::GetCurrentProcessId() << '-' << counter++;
        if (::CreateDirectoryA(name.str().c_str(), nullptr)) {
            path_ = name.str();
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error(lastErrorText("CreateDirectory", name.str()));
    }
    throw std::runtime_error("no free temporary folder name");
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

std::string TempFolder::file(const std::string& name) const {
    return path_ + "\\" + name;
}

void removeTree(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATAA entry;
    hue::UniqueFind find(::FindFirstFileA((path + "\\*").c_str(), &entry));
    if (find) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(find.get(), &entry));
    }
    find.reset();
    ::RemoveDirectoryA(path.c_str());
}

bool fileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::string& path) {
    hue::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw std::runtime_error(lastErrorText("open", path));
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    hue::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw std::runtime_error(lastErrorText("create", path));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size())
        throw std::runtime_error(lastErrorText("write", path));
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    hue::UniqueFind find(::FindFirstFileA((path + "\\*").c_str(), &entry));
    if (!find)
        return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find.get(), &entry));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> iniKeys(const std::string& path, const std::string& section) {
    std::istringstream lines(readFile(path));
    std::vector<std::string> keys;
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[') {
            inSection = _stricmp(line.c_str(), ("[" + section + "]").c_str()) == 0;
            continue;
        }
        if (inSection)
            keys.push_back(trim(line.substr(0, line.find('='))));
    }
    return keys;
}

} // namespace huetest
