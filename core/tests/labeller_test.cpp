// Labelling and unlabelling real folders.
#include <windows.h>

#include <huecore/folder.h>
#include <huecore/imaging.h>
#include <huetest/files.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <sstream>

using huetest::TempFolder;

namespace {

using Names = std::vector<std::string>;
using Values = std::map<std::string, std::string>;

const char SECTION[] = ".ShellClassInfo";

std::string systemFile(const char* name) {
    char dir[MAX_PATH + 1] = {};
    EXPECT_NE(::GetSystemDirectoryA(dir, sizeof dir), 0u);
    return std::string(dir) + "\\" + name;
}

FLabel labelOf(LabelType type) {
    FLabel label;
    label.type = type;
    return label;
}

// What the labeller must write: the icon tinted half way toward the colour.
std::string tinted(Icon&& icon, LabelType type) {
    icon.tint(Swatchbook::labelColor(type), 128);
    std::ostringstream out;
    icon.write(out);
    return out.str();
}

bool isGeneratedName(const std::string& name) {
    // "huemark-" + GUID (8-4-4-4-12 hex digits) + ".ico"
    if (name.size() != 8 + 36 + 4 || name.rfind("huemark-", 0) != 0 || name.substr(44) != ".ico")
        return false;
    for (std::size_t i = 8; i < 44; ++i) {
        const bool hyphen = i == 16 || i == 21 || i == 26 || i == 31;
        if (hyphen ? name[i] != '-' : !std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

// The generated icon files lying in a folder.
Names generatedIcons(const TempFolder& dir) {
    Names icons;
    for (const auto& name : huetest::listFolder(dir.path()))
        if (name.rfind("huemark-", 0) == 0 || name.find(".tmp") != std::string::npos)
            icons.push_back(name);
    return icons;
}

Values sectionValues(const TempFolder& dir) {
    Values values;
    const CustomFolder folder(dir.path().c_str());
    if (!huetest::fileExists(dir.file("desktop.ini")))
        return values;
    for (const auto& key : huetest::iniKeys(dir.file("desktop.ini"), SECTION))
        values[key] = folder.readClassInfoString(key.c_str());
    return values;
}

bool isHidden(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

void writeSection(const TempFolder& dir, const std::string& lines) {
    huetest::writeFile(dir.file("desktop.ini"), std::string("[") + SECTION + "]\r\n" + lines);
}

// An .ico file made by the tests from an icon group of the system.
std::string makeIcoFile(const TempFolder& dir, const char* name, int position) {
    std::ostringstream out;
    Icon(systemFile("shell32.dll").c_str(), position).write(out);
    const std::string path = dir.file(name);
    huetest::writeFile(path, out.str());
    return path;
}

} // namespace

TEST(SetLabel, FallsBackToTheSystemFolderIcon) {
    TempFolder dir;
    const FolderLabeller folder(dir.path().c_str());
    ASSERT_TRUE(folder.setLabel(labelOf(LabelHot)));

    const Names icons = generatedIcons(dir);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_TRUE(isGeneratedName(icons[0])) << icons[0];
    EXPECT_TRUE(isHidden(dir.file(icons[0])));
    EXPECT_EQ(huetest::readFile(dir.file(icons[0])),
              tinted(Icon(systemFile("shell32.dll").c_str(), 3), LabelHot));

    EXPECT_EQ(huetest::iniKeys(dir.file("desktop.ini"), SECTION),
              (Names{"huemark", "IconFileBackup", "IconIndexBackup", "IconFile", "IconIndex",
                     "ConfirmFileOp"}));
    EXPECT_EQ(sectionValues(dir), (Values{{"huemark", "2"},
                                          {"IconFileBackup", ""},
                                          {"IconIndexBackup", "0"},
                                          {"IconFile", icons[0]},
                                          {"IconIndex", "0"},
                                          {"ConfirmFileOp", "0"}}));
    EXPECT_TRUE(isHidden(dir.file("desktop.ini")));
    EXPECT_TRUE(folder.isCustomised());
    FLabel label;
    folder.getLabel(label);
    EXPECT_EQ(label.type, LabelHot);
}

// The icon the label is made from, for each kind of icon setting.
TEST(SetLabel, TintsTheFoldersOwnIcon) {
    TempFolder icons;
    const std::string ico = makeIcoFile(icons, "mine.ico", 1);
    const std::string shell32 = systemFile("shell32.dll");
    const struct {
        const char* what;
        std::string iconFile;
        int iconIndex;
        std::function<Icon()> expected;
    } cases[] = {
        {"an absolute .ico file", ico, 0, [&] { return Icon(ico.c_str()); }},
        {"a program file at position 2", shell32, 2, [&] { return Icon(shell32.c_str(), 2); }},
        {"a file that does not exist", icons.file("gone.ico"), 0,
         [&] { return Icon(shell32.c_str(), 3); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        writeSection(dir, "IconFile=" + c.iconFile +
                              "\r\nIconIndex=" + std::to_string(c.iconIndex) + "\r\n");
        const FolderLabeller folder(dir.path().c_str());
        ASSERT_TRUE(folder.setLabel(labelOf(LabelCool)));
        const Names generated = generatedIcons(dir);
        ASSERT_EQ(generated.size(), 1u);
        EXPECT_EQ(huetest::readFile(dir.file(generated[0])), tinted(c.expected(), LabelCool));
        EXPECT_EQ(folder.getIconFileBackup(), c.iconFile);
        EXPECT_EQ(folder.getIconIndexBackup(), c.iconIndex);

        ASSERT_TRUE(folder.clearLabel());
        EXPECT_EQ(sectionValues(dir), (Values{{"IconFile", c.iconFile},
                                              {"IconIndex", std::to_string(c.iconIndex)},
                                              {"ConfirmFileOp", "0"}}));
        EXPECT_TRUE(generatedIcons(dir).empty());
    }
}

TEST(SetLabel, RelativeIconFileIsReadInsideTheFolder) {
    TempFolder dir;
    const std::string own = makeIcoFile(dir, "folder.ico", 1);
    writeSection(dir, "IconFile=folder.ico\r\nIconIndex=0\r\n");
    const FolderLabeller folder(dir.path().c_str());
    ASSERT_TRUE(folder.setLabel(labelOf(LabelPrivate)));
    const Names generated = generatedIcons(dir);
    ASSERT_EQ(generated.size(), 1u);
    EXPECT_EQ(huetest::readFile(dir.file(generated[0])), tinted(Icon(own.c_str()), LabelPrivate));
    ASSERT_TRUE(folder.clearLabel());
    EXPECT_EQ(folder.getIconFile(), "folder.ico");
    EXPECT_TRUE(huetest::fileExists(own)) << "the user's own icon stays";
}

TEST(SetLabel, NegativeIndexRaisesWinerrorAndChangesNothing) {
    TempFolder dir;
    const std::string before =
        "[.ShellClassInfo]\r\nIconFile=" + systemFile("shell32.dll") + "\r\nIconIndex=-1\r\n";
    huetest::writeFile(dir.file("desktop.ini"), before);
    try {
        FolderLabeller(dir.path().c_str()).setLabel(labelOf(LabelHot));
        FAIL() << "no winerror";
    } catch (const winerror& e) {
        EXPECT_EQ(e.code, static_cast<unsigned long>(ERROR_NOT_FOUND));
    }
    EXPECT_EQ(huetest::readFile(dir.file("desktop.ini")), before);
    EXPECT_EQ(huetest::listFolder(dir.path()), Names{"desktop.ini"});
}

TEST(SetLabel, RefusesWhatItCannotLabelAndChangesNothing) {
    TempFolder dir;
    const std::string file = dir.file("file.txt");
    huetest::writeFile(file, "text");

    const struct {
        const char* what;
        std::string folder;
        LabelType type;
    } cases[] = {
        {"a kind after the catalogue", dir.path(), static_cast<LabelType>(9)},
        {"a negative kind", dir.path(), static_cast<LabelType>(-1)},
        {"a path that names nothing", dir.file("missing"), LabelHot},
        {"a path that names a file", file, LabelHot},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Names before = huetest::listFolder(dir.path());
        ::SetLastError(0);
        EXPECT_FALSE(FolderLabeller(c.folder.c_str()).setLabel(labelOf(c.type)));
        EXPECT_NE(::GetLastError(), 0u) << "the reason is told";
        EXPECT_EQ(huetest::listFolder(dir.path()), before);
    }
}

TEST(SetLabel, EachLabelGetsAFileOfItsOwn) {
    TempFolder a, b;
    ASSERT_TRUE(FolderLabeller(a.path().c_str()).setLabel(labelOf(LabelEssential)));
    ASSERT_TRUE(FolderLabeller(b.path().c_str()).setLabel(labelOf(LabelEssential)));
    const Names first = generatedIcons(a), second = generatedIcons(b);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0], second[0]);
}

// Relabelling replaces the label: one generated icon at a time, tinted from
// the folder's original icon, and clearing puts the original back.
TEST(SetLabel, RelabelThenClearRestoresTheOriginal) {
    TempFolder icons;
    const std::string ico = makeIcoFile(icons, "mine.ico", 1);
    const std::string shell32 = systemFile("shell32.dll");
    const struct {
        const char* what;
        std::string section;
        std::function<Icon()> original;
        Values afterClear;
    } cases[] = {
        {"no icon",
         "",
         [&] { return Icon(shell32.c_str(), 3); },
         {{"IconFileBackup", ""}, {"IconIndexBackup", "0"}, {"ConfirmFileOp", "0"}}},
        {"an icon file",
         "IconFile=" + ico + "\r\nIconIndex=0\r\n",
         [&] { return Icon(ico.c_str()); },
         {{"IconFile", ico}, {"IconIndex", "0"}, {"ConfirmFileOp", "0"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        if (!c.section.empty())
            writeSection(dir, c.section);
        const FolderLabeller folder(dir.path().c_str());
        for (const LabelType type : {LabelHot, LabelCool, LabelProject2}) {
            SCOPED_TRACE(type);
            ASSERT_TRUE(folder.setLabel(labelOf(type)));
            const Names generated = generatedIcons(dir);
            ASSERT_EQ(generated.size(), 1u) << "the earlier label icon is gone";
            EXPECT_EQ(folder.getIconFile(), generated[0]);
            EXPECT_EQ(huetest::readFile(dir.file(generated[0])), tinted(c.original(), type));
            FLabel label;
            folder.getLabel(label);
            EXPECT_EQ(label.type, type);
        }
        ASSERT_TRUE(folder.clearLabel());
        EXPECT_EQ(sectionValues(dir), c.afterClear);
        EXPECT_TRUE(generatedIcons(dir).empty());
    }
}

TEST(SetLabel, NoneClearsTheLabel) {
    TempFolder dir;
    const FolderLabeller folder(dir.path().c_str());
    writeSection(dir, "IconFile=C:\\Icons\\x.ico\r\nIconIndex=5\r\n");
    // The base does not exist: the label is made from the system's icon.
    ASSERT_TRUE(folder.setLabel(labelOf(LabelInProgress)));
    ASSERT_TRUE(folder.setLabel(labelOf(LabelNone)));
    EXPECT_EQ(
        sectionValues(dir),
        (Values{{"IconFile", "C:\\Icons\\x.ico"}, {"IconIndex", "5"}, {"ConfirmFileOp", "0"}}));
    EXPECT_EQ(huetest::listFolder(dir.path()), Names{"desktop.ini"});
    FLabel label;
    folder.getLabel(label);
    EXPECT_EQ(label.type, LabelNone);
}
