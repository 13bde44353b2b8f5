#include <windows.h>
#include <shlwapi.h>

#include <huecore/folder.h>

namespace {

// The profile API copies at most size - 1 characters of a value.
constexpr DWORD VALUE_BUFFER = 512;
const char DESKTOP_INI[] = "desktop.ini";
const char KEY_CONFIRM_FILE_OP[] = "ConfirmFileOp";

} // namespace

const char* const CustomFolder::SHELL_CLASS_INFO = ".ShellClassInfo";

CustomFolder::CustomFolder(const char* folder) : folder_(folder != nullptr ? folder : "") {}
CustomFolder::CustomFolder(const CustomFolder& other) = default;
CustomFolder& CustomFolder::operator=(const CustomFolder& other) = default;
CustomFolder::~CustomFolder() = default;

std::string CustomFolder::getFolderName() const {
    return folder_;
}

std::string CustomFolder::getDesktopIni() const {
    // An empty path names no folder; joining it would name desktop.ini at
    // the root of the current drive.
    if (folder_.empty())
        return {};
    std::string path = folder_;
    if (path.back() != '\\')
        path += '\\';
    return path + DESKTOP_INI;
}

std::string CustomFolder::readClassInfoString(const char* key) const {
    const std::string ini = getDesktopIni();
    if (ini.empty() || key == nullptr)
        return {};
    char value[VALUE_BUFFER] = {};
    ::GetPrivateProfileStringA(SHELL_CLASS_INFO, key, "", value, VALUE_BUFFER, ini.c_str());
    return value;
}

bool CustomFolder::writeClassInfoString(const char* key, const char* value) const {
    const std::string ini = getDesktopIni();
    // A null key would remove the whole section.
    if (ini.empty() || key == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return ::WritePrivateProfileStringA(SHELL_CLASS_INFO, key, value, ini.c_str()) != FALSE;
}

bool CustomFolder::isCustomised() const {
    const DWORD attributes = ::GetFileAttributesA(folder_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    // The shell marks a customised folder read-only, or system where it is
    // set up to use that attribute (as Wine always does).
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool CustomFolder::suppressConfirmFileOp() const {
    return writeClassInfoString(KEY_CONFIRM_FILE_OP, "0");
}

bool CustomFolder::setSystem() const {
    if (folder_.empty())
        return false;
    return ::PathMakeSystemFolderA(folder_.c_str()) != FALSE;
}

bool CustomFolder::clearSystem() const {
    const DWORD attributes = ::GetFileAttributesA(folder_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD cleared = attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    return ::SetFileAttributesA(folder_.c_str(), cleared) != FALSE;
}

bool CustomFolder::isReadOnly() const {
    const DWORD attributes = ::GetFileAttributesA(folder_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}
