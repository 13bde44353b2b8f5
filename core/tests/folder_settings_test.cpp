// The folder's settings file: its path, its keys and the folder's attributes.
#include <windows.h>

#include <huecore/folder.h>
#include <huetest/files.h>

#include <gtest/gtest.h>

#include <vector>

using huetest::TempFolder;

namespace {

using Keys = std::vector<std::string>;

// Opens the protected attribute operations to the tests.
class FolderProbe : public CustomFolder {
public:
    using CustomFolder::clearSystem;
    using CustomFolder::CustomFolder;
    using CustomFolder::isReadOnly;
    using CustomFolder::setSystem;
};

DWORD attributesOf(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

} // namespace

TEST(DesktopIniPath, JoinsTheFolderPathWithOneBackslash) {
    const struct {
        const char* folder;
        const char* ini;
    } cases[] = {
        {"C:\\Work", "C:\\Work\\desktop.ini"},
        {"C:\\Work\\", "C:\\Work\\desktop.ini"},
        {"C:\\", "C:\\desktop.ini"},
        {"Work", "Work\\desktop.ini"},
        // An empty path names no folder, not the root of the current drive.
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CustomFolder(c.folder).getDesktopIni(), c.ini) << "folder " << c.folder;
}

TEST(DesktopIniPath, KeepsTheFolderPathAsGiven) {
    EXPECT_EQ(CustomFolder("C:\\Work\\").getFolderName(), "C:\\Work\\");
    EXPECT_EQ(CustomFolder("c:/work").getFolderName(), "c:/work");
    EXPECT_EQ(CustomFolder(nullptr).getFolderName(), "");

    CustomFolder copy("C:\\A");
    copy = CustomFolder("C:\\B");
    EXPECT_EQ(CustomFolder(copy).getFolderName(), "C:\\B");
}

TEST(ClassInfo, ReadingAFolderWithoutSettingsGivesEmptyAndCreatesNothing) {
    TempFolder dir;
    const CustomFolder folder(dir.path().c_str());
    for (const char* key : {"IconFile", "IconIndex", "huemark", "ConfirmFileOp"})
        EXPECT_EQ(folder.readClassInfoString(key), "") << key;
    EXPECT_TRUE(huetest::listFolder(dir.path()).empty());
}

TEST(ClassInfo, EmptyValueReadsLikeAMissingKey) {
    TempFolder dir;
    huetest::writeFile(dir.file("desktop.ini"),
                       "[.ShellClassInfo]\r\nIconFile=\r\n[Other]\r\nIconIndex=4\r\n");
    const CustomFolder folder(dir.path().c_str());
    EXPECT_EQ(folder.readClassInfoString("IconFile"), "");
    EXPECT_EQ(folder.readClassInfoString("IconIndex"), "") << "another section is not read";
}

TEST(ClassInfo, WritingCreatesTheFileAndTheSection) {
    TempFolder dir;
    const CustomFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.writeClassInfoString("huemark", "3"));
    EXPECT_EQ(huetest::iniKeys(dir.file("desktop.ini"), ".ShellClassInfo"), Keys{"huemark"});
    EXPECT_EQ(folder.readClassInfoString("huemark"), "3");
    // A trailing backslash names the same file.
    const std::string withSlash = dir.path() + "\\";
    EXPECT_EQ(CustomFolder(withSlash.c_str()).readClassInfoString("huemark"), "3");
}

TEST(ClassInfo, NullValueRemovesTheKeyAndEmptyValueKeepsIt) {
    TempFolder dir;
    const CustomFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.writeClassInfoString("IconFile", "a.ico"));
    ASSERT_TRUE(folder.writeClassInfoString("IconIndex", "2"));

    ASSERT_TRUE(folder.writeClassInfoString("IconFile", nullptr));
    EXPECT_EQ(huetest::iniKeys(dir.file("desktop.ini"), ".ShellClassInfo"), Keys{"IconIndex"});

    ASSERT_TRUE(folder.writeClassInfoString("IconIndex", ""));
    EXPECT_EQ(huetest::iniKeys(dir.file("desktop.ini"), ".ShellClassInfo"), Keys{"IconIndex"});
    EXPECT_EQ(folder.readClassInfoString("IconIndex"), "");
}

TEST(ClassInfo, LongValueReadsBackCutTo511Characters) {
    TempFolder dir;
    const CustomFolder folder(dir.path().c_str());
    const std::string value(600, 'v');
    ASSERT_TRUE(folder.writeClassInfoString("IconFile", value.c_str()));
    EXPECT_EQ(folder.readClassInfoString("IconFile"), value.substr(0, 511));
}

TEST(ClassInfo, WritingFailsWhereThereIsNoFolder) {
    TempFolder dir;
    const std::string missing = dir.file("missing\\deeper");
    EXPECT_FALSE(CustomFolder(missing.c_str()).writeClassInfoString("huemark", "1"));
    EXPECT_FALSE(CustomFolder("").writeClassInfoString("huemark", "1"));
    EXPECT_FALSE(CustomFolder(dir.path().c_str()).writeClassInfoString(nullptr, "1"));
    EXPECT_TRUE(huetest::listFolder(dir.path()).empty());
}

TEST(ClassInfo, SuppressConfirmFileOpWritesZero) {
    TempFolder dir;
    const CustomFolder folder(dir.path().c_str());
    ASSERT_TRUE(folder.suppressConfirmFileOp());
    EXPECT_EQ(folder.readClassInfoString("ConfirmFileOp"), "0");
}

TEST(Attributes, ClearSystemKeepsEveryOtherAttribute) {
    TempFolder dir;
    const std::string path = dir.file("marked");
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                       FILE_ATTRIBUTE_SYSTEM));
    const FolderProbe folder(path.c_str());
    ASSERT_TRUE(folder.clearSystem());
    const DWORD after = attributesOf(path);
    EXPECT_EQ(after & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM), 0u);
    EXPECT_NE(after & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_NE(after & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_FALSE(folder.isCustomised());
}

TEST(Attributes, SetSystemMarksTheFolderAsCustomised) {
    TempFolder dir;
    const FolderProbe folder(dir.path().c_str());
    EXPECT_FALSE(folder.isCustomised());
    ASSERT_TRUE(folder.setSystem());
    EXPECT_TRUE(folder.isCustomised());
    ASSERT_TRUE(folder.clearSystem());
    EXPECT_FALSE(folder.isCustomised());
}

TEST(Attributes, PathsThatCannotBeReadAreNeitherCustomisedNorReadOnly) {
    TempFolder dir;
    for (const std::string& path : {dir.file("missing"), std::string()}) {
        const FolderProbe folder(path.c_str());
        EXPECT_FALSE(folder.isCustomised()) << path;
        EXPECT_FALSE(folder.isReadOnly()) << path;
        EXPECT_FALSE(folder.clearSystem()) << path;
        EXPECT_FALSE(folder.setSystem()) << path;
    }
}

TEST(Attributes, ReadOnlyAttributeCountsAsCustomised) {
    // Wine cannot make a directory read-only; a read-only file carries the
    // same attribute bit through the same test.
    TempFolder dir;
    const std::string path = dir.file("plain.txt");
    huetest::writeFile(path, "x");
    const FolderProbe file(path.c_str());
    EXPECT_FALSE(file.isReadOnly());
    EXPECT_FALSE(file.isCustomised());
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(file.isReadOnly());
    EXPECT_TRUE(file.isCustomised());
}

TEST(Attributes, ReadOnlyFolderIsCustomised) {
    TempFolder dir;
    ::SetFileAttributesA(dir.path().c_str(), FILE_ATTRIBUTE_READONLY);
    if ((attributesOf(dir.path()) & FILE_ATTRIBUTE_READONLY) == 0)
        GTEST_SKIP() << "this platform cannot give a directory the read-only attribute";
    const FolderProbe folder(dir.path().c_str());
    EXPECT_TRUE(folder.isReadOnly());
    EXPECT_TRUE(folder.isCustomised());
}
