// File types as the shell registers them under HKEY_CLASSES_ROOT: a type's
// extension and name, its icon, and the product's icon handler for it.
#pragma once

#include <windows.h>

#include <hueicons/export.h>

#include <string>

// The file type of one file system object. Built from the object's path;
// every query reads the registry anew. Records must be built and destroyed on
// one thread at a time (they share the process-wide extraction routine).
class HUEICONS_API FileTypeInfo {
public:
    // Class identifiers of the product's shell extensions, as registry text.
    static const char* const guidHueshell; // the icon handler
    static const char* const guidCtxMenu;  // the context-menu handler

    // path must not be null; the object need not exist.
    explicit FileTypeInfo(const char* path);
    FileTypeInfo(const FileTypeInfo& other);
    FileTypeInfo& operator=(const FileTypeInfo& other);
    ~FileTypeInfo();

    // False for the types the library does not handle (links, programs,
    // icons, cursors, fonts, names without an extension, ...).
    bool supported() const;
    // supported() and the path is an existing object that is no folder.
    bool supportedIcons() const;
    // The path's directory attribute; a path that cannot be queried counts
    // as a folder.
    bool isFolder() const;
    // The default value of HKEY_CLASSES_ROOT\<extension>, or empty.
    std::string getTypeName() const;

    // Where the type's icon comes from: a file holding icons, "SHELL32.DLL",
    // or the class identifier of the type's own icon handler; and which icon.
    std::string iconFileName() const;
    int iconIndex() const;
    // Extracts the type's icon at two sizes packed in `sizes` (small in the
    // low 16 bits, large in the high 16 bits); the caller owns and destroys
    // the icons (null where none was made). True when they were extracted
    // from a file by this library; false when the type's own icon handler
    // delivered them itself, or when nothing was extracted. COM must be
    // initialised on the calling thread for the handler route.
    bool extractIcon(DWORD sizes, HICON& large, HICON& small) const;

    // Installs the product's icon handler for the type, saving the type's
    // own handler. True when the product's handler was written.
    bool enable();
    // Removes the product's handler and puts the saved one back. True when a
    // saved handler was put back or the product's handler key was deleted.
    bool disable();
    // Whether the product's handler is registered under the handler key.
    bool enabled() const;

private:
    friend struct FileTypeInfoInspector; // the tests' view of the shared state

    using PrivateExtractIconsFunc = UINT(WINAPI*)(LPCSTR file, int index, int width, int height,
                                                  HICON* icons, UINT* ids, UINT count, UINT flags);

    static const char* const shell32dll;
    static const char* const DEFAULT_ICON;
    static const char* const ICON_HANDLER;
    static const char* const ICON_HANDLER_OLD;
    static const char* const SHELLEX;
    static const char* const UNSUPPORTED_TYPES[17];

    // Live records, and USER32's extraction routine loaded for them.
    static int numRef;
    static HMODULE userDll;
    static PrivateExtractIconsFunc privateExtractIcons;

    // A string value below HKEY_CLASSES_ROOT (null valueName: the default
    // value); empty when it cannot be read or is longer than 259 characters.
    static std::string getRegClassString(const char* subKey, const char* valueName);
    // Writes a REG_SZ value below HKEY_CLASSES_ROOT, creating the key.
    static bool setRegClassString(const char* subKey, const char* valueName, const char* value);
    // Whether text looks like a class identifier: "{...}".
    static bool isGuid(const char* text);
    static void initExtractIconsFunc();
    // Deletes HKEY_CLASSES_ROOT\key when it has no subkey and no value.
    static void removeEmptyKey(const std::string& key);

    // The foreign (not the product's) handler under suffix, or empty.
    std::string getIconHandler(const std::string& suffix);
    // The foreign handler in force, else the saved one, else empty.
    std::string getIconHandler();
    // The class key under which the product's registration lives.
    std::string getIconHandlerKey() const;
    void initIconLocation();
    // The default value of <type name>\DefaultIcon, or empty.
    std::string getDefaultIcon() const;
    // Looks for file's name along the system search path; on success file
    // becomes the full path found.
    static bool searchPath(std::string& file);

    std::string path;
    std::string extension;
    std::string iconFile;
    int iconIdx;
    bool onClassKey;
};
