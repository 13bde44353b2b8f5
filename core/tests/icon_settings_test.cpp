// The folder's custom icon: setting it with a backup and removing it with the
// backup restored.
#include <windows.h>

#include <huecore/folder.h>
#include <huetest/files.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using huetest::TempFolder;

namespace {

using Keys = std::vector<std::string>;
using Values = std::map<std::string, std::string>;

const char SECTION[] = ".ShellClassInfo";
const char GENERATED[] = "huemark-0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.ico";

// The icon keys present in the folder's section, with their values.
Values iconKeys(const TempFolder& dir) {
    Values values;
    const CustomFolder folder(dir.path().c_str());
    for (const auto& key : huetest::iniKeys(dir.file("desktop.ini"), SECTION)) {
        if (key.rfind("Icon", 0) == 0)
            values[key] = folder.readClassInfoString(key.c_str());
    }
    return values;
}

void writeSection(const TempFolder& dir, const std::string& lines) {
    huetest::writeFile(dir.file("desktop.ini"), std::string("[") + SECTION + "]\r\n" + lines);
}

bool isHidden(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

} // namespace

TEST(SetIcon, OnAFolderWithoutSettingsWritesBackupThenIconInOrder) {
    TempFolder dir;
    const CustomIconFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.setIcon("a.ico", 2));

    EXPECT_EQ(
        huetest::iniKeys(dir.file("desktop.ini"), SECTION),
        (Keys{"IconFileBackup", "IconIndexBackup", "IconFile", "IconIndex", "ConfirmFileOp"}));
    EXPECT_EQ(iconKeys(dir), (Values{{"IconFileBackup", ""},
                                     {"IconIndexBackup", "0"},
                                     {"IconFile", "a.ico"},
                                     {"IconIndex", "2"}}));
    EXPECT_EQ(folder.readClassInfoString("ConfirmFileOp"), "0");
    EXPECT_TRUE(isHidden(dir.file("desktop.ini")));
    EXPECT_TRUE(folder.isCustomised());
    EXPECT_TRUE(folder.isIconSet());
    EXPECT_FALSE(folder.isBackupPresent()) << "an empty backup counts as none";
}

TEST(SetIcon, AnEmptyBackupIsReplacedByTheNextSetting) {
    TempFolder dir;
    const CustomIconFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.setIcon("a.ico", 2));
    ASSERT_TRUE(folder.setIcon("b.ico", 0));
    EXPECT_EQ(folder.getIconFileBackup(), "a.ico");
    EXPECT_EQ(folder.getIconIndexBackup(), 2);
    EXPECT_EQ(folder.getIconFile(), "b.ico");

    // From then on the backup stays.
    ASSERT_TRUE(folder.setIcon("c.ico", 1));
    EXPECT_EQ(folder.getIconFileBackup(), "a.ico");
    EXPECT_EQ(folder.getIconFile(), "c.ico");
}

TEST(SetIcon, KeepsTheOtherAttributesOfDesktopIni) {
    TempFolder dir;
    writeSection(dir, "");
    ASSERT_TRUE(::SetFileAttributesA(dir.file("desktop.ini").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CustomIconFolder(dir.path().c_str()).setIcon("a.ico", 0));
    const DWORD attributes = ::GetFileAttributesA(dir.file("desktop.ini").c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
              static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
}

TEST(SetIcon, IndexesAreSignedDecimal) {
    TempFolder dir;
    const CustomIconFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.setIcon("x.dll", -3));
    EXPECT_EQ(folder.readClassInfoString("IconIndex"), "-3");
    EXPECT_EQ(folder.getIconIndex(), -3);

    // Missing, empty and non-numeric indexes read as 0.
    writeSection(dir, "IconIndex=\r\nIconIndexBackup=abc\r\n");
    EXPECT_EQ(folder.getIconIndex(), 0);
    EXPECT_EQ(folder.getIconIndexBackup(), 0);
}

TEST(SetIcon, FailsWhereThereIsNoFolder) {
    TempFolder dir;
    const std::string missing = dir.file("missing");
    EXPECT_FALSE(CustomIconFolder(missing.c_str()).setIcon("a.ico", 0));
    EXPECT_FALSE(CustomIconFolder(dir.path().c_str()).setIcon(nullptr, 0));
    EXPECT_TRUE(huetest::listFolder(dir.path()).empty());
}

// removeIcon from each state that a folder's icon settings can be in.
TEST(RemoveIcon, LeadsFromEachStateToTheNextOne) {
    const struct {
        const char* state;
        const char* section;
        Values after;
    } cases[] = {
        {"plain", "", {}},
        {"plain with empty backup keys",
         "IconFileBackup=\r\nIconIndexBackup=0\r\n",
         {{"IconFileBackup", ""}, {"IconIndexBackup", "0"}}},
        {"set with empty backup",
         "IconFileBackup=\r\nIconIndexBackup=0\r\nIconFile=a.ico\r\nIconIndex=2\r\n",
         {{"IconFileBackup", ""}, {"IconIndexBackup", "0"}}},
        {"set with a different backup",
         "IconFileBackup=C:\\Icons\\x.ico\r\nIconIndexBackup=5\r\nIconFile=b.ico\r\n"
         "IconIndex=0\r\n",
         {{"IconFile", "C:\\Icons\\x.ico"}, {"IconIndex", "5"}}},
        {"set with a backup of another index",
         "IconFileBackup=a.ico\r\nIconIndexBackup=1\r\nIconFile=a.ico\r\nIconIndex=2\r\n",
         {{"IconFile", "a.ico"}, {"IconIndex", "1"}}},
        {"set with a backup equal to the icon",
         "IconFileBackup=a.ico\r\nIconIndexBackup=2\r\nIconFile=a.ico\r\nIconIndex=2\r\n",
         {}},
        {"set with a backup differing in letter case only",
         "IconFileBackup=A.ico\r\nIconIndexBackup=2\r\nIconFile=a.ico\r\nIconIndex=2\r\n",
         {{"IconFile", "A.ico"}, {"IconIndex", "2"}}},
        {"restored", "IconFile=C:\\Icons\\x.ico\r\nIconIndex=5\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        TempFolder dir;
        writeSection(dir, std::string(c.section) + "ConfirmFileOp=0\r\n");
        const CustomIconFolder folder(dir.path().c_str());
        EXPECT_TRUE(folder.removeIcon());
        EXPECT_EQ(iconKeys(dir), c.after);
        EXPECT_EQ(folder.readClassInfoString("ConfirmFileOp"), "0");
        EXPECT_TRUE(huetest::fileExists(dir.file("desktop.ini")));
    }
}

TEST(RemoveIcon, RestoresTheIconThatSetIconReplaced) {
    TempFolder dir;
    writeSection(dir, "IconFile=C:\\Icons\\x.ico\r\nIconIndex=5\r\n");
    huetest::writeFile(dir.file(GENERATED), "icon");
    const CustomIconFolder folder(dir.path().c_str());

    ASSERT_TRUE(folder.setIcon(GENERATED, 0));
    EXPECT_EQ(iconKeys(dir), (Values{{"IconFile", GENERATED},
                                     {"IconIndex", "0"},
                                     {"IconFileBackup", "C:\\Icons\\x.ico"},
                                     {"IconIndexBackup", "5"}}));
    ASSERT_TRUE(folder.removeIcon());
    EXPECT_EQ(iconKeys(dir), (Values{{"IconFile", "C:\\Icons\\x.ico"}, {"IconIndex", "5"}}));
    EXPECT_FALSE(huetest::fileExists(dir.file(GENERATED)));
    EXPECT_EQ(huetest::listFolder(dir.path()), Keys{"desktop.ini"});
    EXPECT_TRUE(isHidden(dir.file("desktop.ini")));
    EXPECT_TRUE(folder.isCustomised()) << "the folder keeps its mark";
}

// Only a label icon that the engine generated in the folder is deleted; a
// file of the user's own survives whatever the settings name.
TEST(RemoveIcon, DeletesOnlyAGeneratedLabelIconInTheFolder) {
    const struct {
        const char* iconFile; // as IconFile names it
        const char* onDisk;   // the file made in the folder for it
        bool deleted;
    } cases[] = {
        {GENERATED, GENERATED, true},
        {"HUEMARK-0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.ICO", GENERATED, true},
        {"huemark-1234567.ico", "huemark-1234567.ico", true},
        {"folder.ico", "folder.ico", false},
        {"huemark-mine.ico", "huemark-mine.ico", false},
        {"huemark-.ico", "huemark-.ico", false},
        {"huemark-0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.ico.bak",
         "huemark-0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.ico.bak", false},
        {"sub\\huemark-1234567.ico", "sub\\huemark-1234567.ico", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iconFile);
        TempFolder dir;
        ::CreateDirectoryA(dir.file("sub").c_str(), nullptr);
        huetest::writeFile(dir.file(c.onDisk), "icon");
        writeSection(dir, std::string("IconFileBackup=C:\\Icons\\x.ico\r\nIconIndexBackup=5\r\n"
                                      "IconFile=") +
                              c.iconFile + "\r\nIconIndex=0\r\n");
        EXPECT_TRUE(CustomIconFolder(dir.path().c_str()).removeIcon());
        EXPECT_EQ(huetest::fileExists(dir.file(c.onDisk)), !c.deleted);
    }
}

TEST(RemoveIcon, AnAbsoluteIconPathDeletesNothing) {
    TempFolder dir;
    const std::string icon = dir.file(GENERATED);
    huetest::writeFile(icon, "icon");
    writeSection(dir, "IconFile=" + icon + "\r\nIconIndex=0\r\n");
    EXPECT_TRUE(CustomIconFolder(dir.path().c_str()).removeIcon());
    EXPECT_TRUE(huetest::fileExists(icon));
}

TEST(RemoveIcon, FolderPathWithTrailingBackslashFindsTheGeneratedIcon) {
    TempFolder dir;
    huetest::writeFile(dir.file(GENERATED), "icon");
    writeSection(dir, std::string("IconFile=") + GENERATED + "\r\nIconIndex=0\r\n");
    const std::string withSlash = dir.path() + "\\";
    EXPECT_TRUE(CustomIconFolder(withSlash.c_str()).removeIcon());
    EXPECT_FALSE(huetest::fileExists(dir.file(GENERATED)));
}
