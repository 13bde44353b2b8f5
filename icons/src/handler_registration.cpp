// Installing and removing the product's icon handler for a file type.
#include <windows.h>

#include <hueicons/filetype.h>

#include <hue/handles.h>

#include <vector>

std::string FileTypeInfo::getIconHandler(const std::string& suffix) {
    std::string value = getRegClassString((extension + suffix).c_str(), nullptr);
    if (!value.empty()) {
        onClassKey = false; // a registration found under the extension is replaced there
    } else {
        // Without a type name there is no class key to look in (the suffix
        // alone would name a key at the root of the classes).
        const std::string typeName = getTypeName();
        if (!typeName.empty())
            value = getRegClassString((typeName + suffix).c_str(), nullptr);
    }
    // Byte for byte: a value differing in letter case is foreign.
    return value == guidHueshell ? std::string() : value;
}

std::string FileTypeInfo::getIconHandler() {
    const std::string current = getIconHandler(ICON_HANDLER);
    return !current.empty() ? current : getIconHandler(ICON_HANDLER_OLD);
}

std::string FileTypeInfo::getIconHandlerKey() const {
    const std::string key = onClassKey ? getTypeName() : std::string();
    return key.empty() ? extension : key;
}

bool FileTypeInfo::enable() {
    // A path without an extension has no class key to register under.
    if (extension.empty())
        return false;
    const std::string previous = getIconHandler();
    if (!previous.empty() && !setRegClassString((getIconHandlerKey() + ICON_HANDLER_OLD).c_str(),
                                                nullptr, previous.c_str()))
        return false;
    return setRegClassString((getIconHandlerKey() + ICON_HANDLER).c_str(), nullptr, guidHueshell);
}

bool FileTypeInfo::enabled() const {
    return getRegClassString((getIconHandlerKey() + ICON_HANDLER).c_str(), nullptr) == guidHueshell;
}

bool FileTypeInfo::disable() {
    if (extension.empty())
        return false;
    bool result = false;
    const std::string saved = getIconHandler(ICON_HANDLER_OLD);
    if (!saved.empty()) {
        result =
            setRegClassString((getIconHandlerKey() + ICON_HANDLER).c_str(), nullptr, saved.c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (extension + ICON_HANDLER_OLD).c_str());
        const std::string typeName = getTypeName();
        if (!typeName.empty())
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (typeName + ICON_HANDLER_OLD).c_str());
    }
    if (getIconHandler(ICON_HANDLER).empty() &&
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (getIconHandlerKey() + ICON_HANDLER).c_str()) ==
            ERROR_SUCCESS)
        result = true;
    removeEmptyKey(getIconHandlerKey() + SHELLEX);
    return result;
}

void FileTypeInfo::removeEmptyKey(const std::string& key) {
    bool empty = false;
    {
        hue::UniqueRegKey opened;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_ALL_ACCESS, opened.put()) !=
            ERROR_SUCCESS)
            return;
        // Registry names are at most 16383 characters.
        std::vector<char> name(16384);
        DWORD length = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExA(opened.get(), 0, name.data(), &length, nullptr, nullptr, nullptr,
                            nullptr) == ERROR_NO_MORE_ITEMS) {
            length = static_cast<DWORD>(name.size());
            empty = ::RegEnumValueA(opened.get(), 0, name.data(), &length, nullptr, nullptr,
                                    nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
        }
    }
    if (empty)
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
}
