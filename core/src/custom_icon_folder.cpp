#include <windows.h>

#include <huecore/folder.h>

#include "icon_name.h"
#include "numbers.h"
#include "paths.h"

const char* const CustomIconFolder::KEY_ICON_FILE = "IconFile";
const char* const CustomIconFolder::KEY_ICON_INDEX = "IconIndex";
const char* const CustomIconFolder::KEY_ICON_FILE_BACKUP = "IconFileBackup";
const char* const CustomIconFolder::KEY_ICON_INDEX_BACKUP = "IconIndexBackup";

CustomIconFolder::CustomIconFolder(const char* folder) : CustomFolder(folder) {}
CustomIconFolder::CustomIconFolder(const CustomIconFolder& other) = default;
CustomIconFolder& CustomIconFolder::operator=(const CustomIconFolder& other) = default;
CustomIconFolder::~CustomIconFolder() = default;

std::string CustomIconFolder::getIconFile() const {
    return readClassInfoString(KEY_ICON_FILE);
}

int CustomIconFolder::getIconIndex() const {
    return readIndex(KEY_ICON_INDEX);
}

std::string CustomIconFolder::getIconFileBackup() const {
    return readClassInfoString(KEY_ICON_FILE_BACKUP);
}

int CustomIconFolder::getIconIndexBackup() const {
    return readIndex(KEY_ICON_INDEX_BACKUP);
}

bool CustomIconFolder::isIconSet() const {
    return !getIconFile().empty();
}

bool CustomIconFolder::isBackupPresent() const {
    return !getIconFileBackup().empty();
}

int CustomIconFolder::readIndex(const char* key) const {
    return huecore::parseInt(readClassInfoString(key));
}

bool CustomIconFolder::setIcon(const char* file, int index) const {
    if (file == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }

    // Every step runs whatever the outcome of the steps before it.
    if (!isBackupPresent()) {
        // The current setting, possibly empty, becomes the backup.
        const std::string current = getIconFile();
        const int currentIndex = getIconIndex();
        writeClassInfoString(KEY_ICON_FILE_BACKUP, current.c_str());
        writeClassInfoString(KEY_ICON_INDEX_BACKUP, huecore::formatInt(currentIndex).c_str());
    }
    return applyIcon(file, index);
}

bool CustomIconFolder::applyIcon(const char* file, int index) const {
    if (file == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const bool fileWritten = writeClassInfoString(KEY_ICON_FILE, file);
    const bool indexWritten =
        writeClassInfoString(KEY_ICON_INDEX, huecore::formatInt(index).c_str());
    const bool confirmWritten = suppressConfirmFileOp();

    // The shell reads desktop.ini only when it is hidden and the folder is
    // marked; a failure to hide it is not reported.
    const std::string ini = getDesktopIni();
    const DWORD attributes = ::GetFileAttributesA(ini.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesA(ini.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    const bool marked = setSystem();

    return fileWritten && indexWritten && confirmWritten && marked;
}

bool CustomIconFolder::removeIconKeys() const {
    const bool fileRemoved = writeClassInfoString(KEY_ICON_FILE, nullptr);
    const bool indexRemoved = writeClassInfoString(KEY_ICON_INDEX, nullptr);
    return fileRemoved && indexRemoved;
}

bool CustomIconFolder::removeIcon() const {
    const std::string current = getIconFile();
    const int currentIndex = getIconIndex();

    bool result;
    if (isBackupPresent()) {
        const std::string backup = getIconFileBackup();
        const int backupIndex = getIconIndexBackup();
        if (backup == current && backupIndex == currentIndex)
            result = removeIconKeys();
        else
            result = setIcon(backup.c_str(), backupIndex); // takes no new backup
        writeClassInfoString(KEY_ICON_FILE_BACKUP, nullptr);
        writeClassInfoString(KEY_ICON_INDEX_BACKUP, nullptr);
    } else {
        result = removeIconKeys();
    }

    // The replaced icon file is deleted only when the engine generated it in
    // this folder (a file of the user's own is never touched), and only once
    // the settings no longer name it.
    if (result && huecore::isGeneratedIconName(current)) {
        ::DeleteFileA(huecore::joinPath(getFolderName(), current).c_str());
    }
    return result;
}
