#include "huetest/registry.h"

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>

namespace huetest {

namespace {

const char SCRATCH_PARENT[] = "Software\\HuelineZezeTests";

void dumpKey(HKEY key, const std::string& path, std::vector<std::string>& lines) {
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name;
        BYTE data[4096];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        std::string text;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            text.assign(reinterpret_cast<char*>(data), dataLength);
        } else {
            for (DWORD b = 0; b < dataLength; ++b) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02x", data[b]);
                text += hex;
            }
        }
        // A string's stored NUL shows as \0.
        std::string shown;
        for (const char c : text)
            shown += c == '\0' ? std::string("\\0") : std::string(1, c);
        lines.push_back(path + "|" + name + "|" + std::to_string(type) + "|" + shown);
    }
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::string child = path.empty() ? name : path + "\\" + name;
        lines.push_back(child);
        hue::UniqueRegKey sub;
        if (::RegOpenKeyExA(key, name, 0, KEY_READ, sub.put()) == ERROR_SUCCESS)
            dumpKey(sub.get(), child, lines);
    }
}

} // namespace

ScratchClassesRoot::ScratchClassesRoot() {
    static std::atomic<unsigned> counter{0};
    name_ = std::string(SCRATCH_PARENT) + "\\" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key_.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch registry key");
    if (::RegOverridePredefKey(HKEY_CLASSES_ROOT, key_.get()) != ERROR_SUCCESS) {
        key_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
        throw std::runtime_error("cannot redirect HKEY_CLASSES_ROOT");
    }
}

ScratchClassesRoot::~ScratchClassesRoot() {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    key_.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, SCRATCH_PARENT); // only when no other test uses it
}

void setClassValue(const std::string& subKey, const std::string& value, const char* valueName) {
    hue::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS)
        << subKey;
    ASSERT_EQ(::RegSetValueExA(key.get(), valueName, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS)
        << subKey;
}

void createClassKey(const std::string& subKey) {
    hue::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS)
        << subKey;
}

std::vector<std::string> dumpClasses() {
    std::vector<std::string> lines;
    dumpKey(HKEY_CLASSES_ROOT, "", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace huetest
