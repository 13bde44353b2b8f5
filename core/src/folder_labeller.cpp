#include <windows.h>
#include <objbase.h>
#include <rpc.h>
#include <shlwapi.h>

#include <huecore/folder.h>
#include <huecore/imaging.h>

#include <hue/handles.h>

#include "icon_name.h"
#include "numbers.h"
#include "paths.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace {

// Labels are tinted half way toward the label's colour.
constexpr unsigned char LABEL_STRENGTH = 128;
// The system's folder icon: the icon group at this position of shell32.dll.
constexpr int SYSTEM_FOLDER_ICON = 3;

struct IconLocation {
    std::string path;
    int index = 0;
};

// The icon to tint: the folder's own icon as the shell reads it, or the
// system's folder icon when the setting is empty or names nothing.
IconLocation baseIcon(const std::string& folder, const std::string& iconFile, int iconIndex) {
    IconLocation base{huecore::resolveIconPath(folder, iconFile), iconIndex};
    if (!base.path.empty() && huecore::pathExists(base.path))
        return base;
    char system[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return base;
    return {huecore::joinPath(system, "shell32.dll"), SYSTEM_FOLDER_ICON};
}

bool hasIcoExtension(const std::string& path) {
    const char* extension = ::PathFindExtensionA(path.c_str());
    return ::lstrcmpiA(extension, ".ico") == 0;
}

// Creates a new hidden file holding bytes. ERROR_SUCCESS, or the system's
// error of the call that failed (read at once, before the file is closed).
DWORD writeHiddenFile(const std::string& path, const std::string& bytes) {
    hue::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file)
        return ::GetLastError();
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return ::GetLastError();
    if (written != bytes.size())
        return ERROR_WRITE_FAULT;
    return ::CloseHandle(file.release()) ? ERROR_SUCCESS : ::GetLastError();
}

// Writes bytes under a temporary name and moves the file to path, so that
// path never names a half-written icon. On failure nothing is left behind
// and the system's error is the thread's last error.
bool writeNewFile(const std::string& path, const std::string& temporary, const std::string& bytes) {
    DWORD error = writeHiddenFile(temporary, bytes);
    if (error == ERROR_SUCCESS) {
        if (::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
            return true;
        error = ::GetLastError();
    }
    ::DeleteFileA(temporary.c_str());
    ::SetLastError(error);
    return false;
}

} // namespace

const char* const FolderLabeller::LABEL_FILE_NAME = huecore::LABEL_ICON_PATTERN;

FolderLabeller::FolderLabeller(const char* folder) : FolderLabelReader(folder) {}
FolderLabeller::FolderLabeller(const FolderLabeller& other) = default;
FolderLabeller& FolderLabeller::operator=(const FolderLabeller& other) = default;
FolderLabeller::~FolderLabeller() = default;

std::string FolderLabeller::generateIconName() {
    std::string id;
    GUID guid;
    RPC_CSTR text = nullptr;
    if (SUCCEEDED(::CoCreateGuid(&guid)) && ::UuidToStringA(&guid, &text) == RPC_S_OK) {
        id = reinterpret_cast<const char*>(text);
        ::RpcStringFreeA(&text);
    } else {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        id = std::to_string(static_cast<unsigned>(std::rand()));
    }
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, LABEL_FILE_NAME, id.c_str());
    return name;
}

bool FolderLabeller::setLabel(const FLabel& label) const {
    if (label.type == LabelNone)
        return clearLabel();
    if (label.type < LabelEssential || label.type > LabelProject2) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const std::string folder = getFolderName();
    if (!huecore::isDirectory(folder)) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }

    // A folder labelled before is relabelled from the icon it had before its
    // first label (the backup, possibly none), never from its label icon.
    const std::string current = getIconFile();
    const bool relabel = huecore::isGeneratedIconName(current);
    const IconLocation base = relabel ? baseIcon(folder, getIconFileBackup(), getIconIndexBackup())
                                      : baseIcon(folder, current, getIconIndex());
    if (base.path.empty()) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }

    // Loading fails with winerror before anything is changed.
    Icon icon =
        hasIcoExtension(base.path) ? Icon(base.path.c_str()) : Icon(base.path.c_str(), base.index);
    icon.tint(Swatchbook::labelColor(label.type), LABEL_STRENGTH);
    std::ostringstream bytes;
    icon.write(bytes);

    const std::string name = generateIconName();
    if (!writeNewFile(huecore::joinPath(folder, name),
                      huecore::joinPath(folder, "~" + name + ".tmp"), bytes.str()))
        return false;

    writeClassInfoString(KEY_LABEL, huecore::formatInt(label.type).c_str());
    const bool applied = relabel ? applyIcon(name.c_str(), 0) : setIcon(name.c_str(), 0);
    if (relabel && applied)
        ::DeleteFileA(huecore::joinPath(folder, current).c_str());
    return applied;
}

bool FolderLabeller::clearLabel() const {
    const bool removed = removeIcon();
    writeClassInfoString(KEY_LABEL, nullptr);
    return removed;
}
