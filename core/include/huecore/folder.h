// Folders and their desktop.ini settings: the folder's section of settings,
// its custom icon with a backup of the earlier one, and its label.
#pragma once

#include <huecore/export.h>
#include <huecore/label.h>

#include <string>

// One folder of the file system and the [.ShellClassInfo] section of its
// desktop.ini. The folder path, kept exactly as given, is the whole state:
// nothing read from disk is cached, and every operation but construction,
// assignment and destruction is const (it changes files, not the object).
class HUECORE_API CustomFolder {
public:
    // A null folder is taken as the empty path, which names no folder.
    explicit CustomFolder(const char* folder);
    CustomFolder(const CustomFolder& other);
    CustomFolder& operator=(const CustomFolder& other);
    virtual ~CustomFolder();

    // The folder path as given.
    std::string getFolderName() const;
    // The path of the folder's desktop.ini; empty for an empty folder path.
    std::string getDesktopIni() const;

    // The value of key in [.ShellClassInfo] (at most 511 characters); empty
    // when the file, section or key is missing.
    std::string readClassInfoString(const char* key) const;
    // Sets key to value; a null value removes the key. True on success.
    bool writeClassInfoString(const char* key, const char* value) const;

    // Whether the folder carries the attribute by which the shell recognises
    // a customised folder (read-only, or system where the shell marks folders
    // that way). False when the folder's attributes cannot be read.
    bool isCustomised() const;
    // Writes ConfirmFileOp=0: no confirmation when the folder is moved or
    // deleted.
    bool suppressConfirmFileOp() const;

protected:
    static const char* const SHELL_CLASS_INFO;

    // Marks the folder as customised through the shell.
    bool setSystem() const;
    // Removes the read-only and system attributes of the folder; the others
    // stay.
    bool clearSystem() const;
    // Whether the folder has the read-only attribute; false when its
    // attributes cannot be read.
    bool isReadOnly() const;

private:
    std::string folder_;
};

// The folder's custom icon (IconFile, IconIndex), set with a backup of the
// setting in force before (IconFileBackup, IconIndexBackup) and removed with
// that backup restored.
class HUECORE_API CustomIconFolder : public CustomFolder {
public:
    explicit CustomIconFolder(const char* folder);
    CustomIconFolder(const CustomIconFolder& other);
    CustomIconFolder& operator=(const CustomIconFolder& other);
    ~CustomIconFolder() override;

    std::string getIconFile() const;
    int getIconIndex() const;
    std::string getIconFileBackup() const;
    int getIconIndexBackup() const;
    // IconFile is not empty.
    bool isIconSet() const;
    // IconFileBackup is not empty (an empty backup counts as none).
    bool isBackupPresent() const;

    // Makes file, index the folder's icon, backing up the current setting
    // unless a backup is present; hides desktop.ini and marks the folder.
    // True when the icon keys, ConfirmFileOp and the mark were written.
    bool setIcon(const char* file, int index) const;
    // Restores the backed-up icon setting (or removes the icon setting) and
    // drops the backup. Deletes the replaced icon file only when it is a
    // label icon that the engine generated in this folder.
    bool removeIcon() const;

protected:
    // setIcon without the backup: writes the icon keys and ConfirmFileOp,
    // hides desktop.ini and marks the folder.
    bool applyIcon(const char* file, int index) const;

private:
    static const char* const KEY_ICON_FILE;
    static const char* const KEY_ICON_INDEX;
    static const char* const KEY_ICON_FILE_BACKUP;
    static const char* const KEY_ICON_INDEX_BACKUP;

    int readIndex(const char* key) const;
    bool removeIconKeys() const;
};

// Reads the label a folder carries (the huemark key of its desktop.ini).
class HUECORE_API FolderLabelReader : public CustomIconFolder {
public:
    explicit FolderLabelReader(const char* folder);
    FolderLabelReader(const FolderLabelReader& other);
    FolderLabelReader& operator=(const FolderLabelReader& other);
    ~FolderLabelReader() override;

    // Resets label and fills in the folder's label kind; a missing, empty,
    // non-numeric or unknown kind reads as LabelNone.
    void getLabel(FLabel& label) const;

protected:
    static const char* const KEY_LABEL;
};

// Gives a folder a label and takes it away: a tinted copy of the folder's
// icon in the label's colour, stored as a hidden file in the folder, becomes
// the folder's icon, and the label kind is recorded in desktop.ini.
class HUECORE_API FolderLabeller : public FolderLabelReader {
public:
    explicit FolderLabeller(const char* folder);
    FolderLabeller(const FolderLabeller& other);
    FolderLabeller& operator=(const FolderLabeller& other);
    ~FolderLabeller() override;

    // Labels the folder with label.type; LabelNone clears the label. A
    // folder that carries a label already gets the new one in its place,
    // tinted from its original icon. Returns false, changing nothing, for a
    // kind outside the catalogue, a path that names no folder or an icon
    // file that cannot be written; then GetLastError tells why. Loading the
    // base icon fails with winerror (or std::bad_alloc) before anything is
    // changed.
    bool setLabel(const FLabel& label) const;
    // Restores the icon setting the folder had before its label, deletes the
    // generated icon and removes the label kind.
    bool clearLabel() const;

private:
    // The pattern of generated icon names; %s is a new unique identifier.
    static const char* const LABEL_FILE_NAME;
    static std::string generateIconName();
};
