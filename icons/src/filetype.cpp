#include <windows.h>

#include <hueicons/filetype.h>

#include <hue/handles.h>

#include "path_parts.h"

#include <cstring>

// Registry values are read into a buffer of this many bytes; longer ones
// read as empty.
constexpr DWORD REG_VALUE_BUFFER = 260;

const char* const FileTypeInfo::guidHueshell = "{6B1D2E40-3C7A-4F19-9E25-7D04A8C3B516}";
const char* const FileTypeInfo::guidCtxMenu = "{A4F07C21-58D3-4B6E-8A19-2E6C90D5F473}";
const char* const FileTypeInfo::shell32dll = "SHELL32.DLL";
const char* const FileTypeInfo::DEFAULT_ICON = "\\DefaultIcon";
const char* const FileTypeInfo::ICON_HANDLER = "\\ShellEx\\IconHandler";
const char* const FileTypeInfo::ICON_HANDLER_OLD = "\\ShellEx\\IconHandlerOld";
const char* const FileTypeInfo::SHELLEX = "\\ShellEx";
const char* const FileTypeInfo::UNSUPPORTED_TYPES[17] = {
    ".lnk",
    ".ttf",
    ".exe",
    ".scf",
    ".bfc",
    ".aps",
    ".AudioCD",
    ".com",
    ".DeskLink",
    ".mydocs",
    ".p951",
    ".t101",
    ".ZFSendToTarget",
    ".cur",
    ".ico",
    ".ani",
    "",
};

int FileTypeInfo::numRef = 0;
HMODULE FileTypeInfo::userDll = nullptr;
FileTypeInfo::PrivateExtractIconsFunc FileTypeInfo::privateExtractIcons = nullptr;

FileTypeInfo::FileTypeInfo(const char* objectPath)
    : path(objectPath != nullptr ? objectPath : ""), iconIdx(0), onClassKey(true) {
    extension = hueicons::splitPath(path).extension;
    if (numRef == 0)
        initExtractIconsFunc();
    ++numRef;
    initIconLocation();
}

FileTypeInfo::FileTypeInfo(const FileTypeInfo& other)
    : path(other.path), extension(other.extension), iconFile(other.iconFile),
      iconIdx(other.iconIdx), onClassKey(other.onClassKey) {
    ++numRef;
}

FileTypeInfo& FileTypeInfo::operator=(const FileTypeInfo& other) = default;

FileTypeInfo::~FileTypeInfo() {
    if (--numRef == 0) {
        if (userDll != nullptr)
            ::FreeLibrary(userDll);
        userDll = nullptr;
        privateExtractIcons = nullptr;
    }
}

void FileTypeInfo::initExtractIconsFunc() {
    if (userDll == nullptr)
        userDll = ::LoadLibraryA("USER32.DLL");
    if (userDll == nullptr)
        return;
    privateExtractIcons = reinterpret_cast<PrivateExtractIconsFunc>(
        reinterpret_cast<void*>(::GetProcAddress(userDll, "PrivateExtractIconsA")));
}

std::string FileTypeInfo::getRegClassString(const char* subKey, const char* valueName) {
    hue::UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return {};
    char data[REG_VALUE_BUFFER];
    DWORD size = sizeof data;
    if (::RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                           &size) != ERROR_SUCCESS)
        return {};
    // The data may lack its terminating NUL: never read past the bytes the
    // registry returned.
    const std::size_t length = ::strnlen(data, size <= sizeof data ? size : sizeof data);
    return std::string(data, length);
}

bool FileTypeInfo::setRegClassString(const char* subKey, const char* valueName, const char* value) {
    hue::UniqueRegKey key;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

bool FileTypeInfo::isGuid(const char* text) {
    if (text == nullptr)
        return false;
    const std::size_t length = std::strlen(text);
    return length > 0 && text[0] == '{' && text[length - 1] == '}';
}

bool FileTypeInfo::supported() const {
    for (const char* unsupported : UNSUPPORTED_TYPES) {
        if (hueicons::equalIgnoringCase(extension, unsupported))
            return false;
    }
    return true;
}

bool FileTypeInfo::isFolder() const {
    // A failed query (all bits set) counts as a folder.
    return (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileTypeInfo::supportedIcons() const {
    return supported() && !isFolder();
}

std::string FileTypeInfo::getTypeName() const {
    return getRegClassString(extension.c_str(), nullptr);
}

std::string FileTypeInfo::iconFileName() const {
    return iconFile;
}

int FileTypeInfo::iconIndex() const {
    return iconIdx;
}
