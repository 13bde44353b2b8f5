// Registry helpers for tests that work on the real registry, isolated.
#pragma once

#include <windows.h>

#include <hue/handles.h>

#include <string>
#include <vector>

namespace huetest {

// Redirects HKEY_CLASSES_ROOT of this process to a new, empty scratch key for
// as long as the object lives; the scratch key and all below it are deleted
// afterwards, and the real HKEY_CLASSES_ROOT is never touched.
class ScratchClassesRoot {
public:
    ScratchClassesRoot();
    ~ScratchClassesRoot();
    ScratchClassesRoot(const ScratchClassesRoot&) = delete;
    ScratchClassesRoot& operator=(const ScratchClassesRoot&) = delete;

private:
    std::string name_; // below HKEY_CURRENT_USER
    hue::UniqueRegKey key_;
};

// Sets the default (null valueName) or a named value below
// HKEY_CLASSES_ROOT as REG_SZ with its NUL, creating the key; fails the
// calling test when it cannot.
void setClassValue(const std::string& subKey, const std::string& value,
                   const char* valueName = nullptr);
void createClassKey(const std::string& subKey);

// Every key and value below HKEY_CLASSES_ROOT, one line each and sorted:
// "key" for a key, "key|name|type|data" for a value (data as text for
// strings, in hexadecimal otherwise).
std::vector<std::string> dumpClasses();

} // namespace huetest
