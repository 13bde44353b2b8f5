// Reading the label that a folder carries.
#include <windows.h>

#include <huecore/folder.h>
#include <huetest/files.h>

#include <gtest/gtest.h>

#include <cstring>

using huetest::TempFolder;

TEST(GetLabel, ReadsTheKindFromTheLabelKey) {
    const struct {
        const char* section; // null: no desktop.ini
        LabelType type;
    } cases[] = {
        {nullptr, LabelNone},
        {"", LabelNone},
        {"huemark=4", LabelCool},
        {"huemark=", LabelNone},
        {"huemark=3 later", LabelInProgress},
        {"huemark=  7", LabelProject1},
        {"huemark=+2", LabelHot},
        {"huemark=abc", LabelNone},
        {"huemark=9", LabelNone},
        {"huemark=-1", LabelNone},
        {"huemark=99999999999", LabelNone},
        // The icon settings are not consulted.
        {"IconFile=huemark-1.ico\r\nIconIndex=0", LabelNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section ? c.section : "(no desktop.ini)");
        TempFolder dir;
        if (c.section)
            huetest::writeFile(dir.file("desktop.ini"),
                               std::string("[.ShellClassInfo]\r\n") + c.section + "\r\n");
        FLabel label;
        FolderLabelReader(dir.path().c_str()).getLabel(label);
        EXPECT_EQ(label.type, c.type);
        EXPECT_EQ(huetest::fileExists(dir.file("desktop.ini")), c.section != nullptr);
    }
}

TEST(GetLabel, ResetsEveryOtherField) {
    TempFolder dir;
    const FolderLabelReader folder(dir.path().c_str());
    ASSERT_TRUE(folder.writeClassInfoString("huemark", "2"));
    FLabel label;
    label.size = 1;
    label.version = 9;
    label.data = 7;
    label.type = LabelCool;
    label.extra[0] = 1;
    label.extra[1] = 2;
    label.extra[2] = 3;
    label.reserved = 4;
    folder.getLabel(label);
    FLabel expected;
    expected.type = LabelHot;
    EXPECT_EQ(std::memcmp(&label, &expected, sizeof label), 0);
}

TEST(GetLabel, ReadsThroughEveryBase) {
    TempFolder dir;
    const FolderLabelReader reader(dir.path().c_str());
    const CustomIconFolder& asIconFolder = reader;
    ASSERT_TRUE(asIconFolder.setIcon("a.ico", 1));
    ASSERT_TRUE(reader.writeClassInfoString("huemark", "6"));
    FolderLabelReader copy(reader);
    FLabel label;
    copy.getLabel(label);
    EXPECT_EQ(label.labelType(), LabelPrivate);
    EXPECT_EQ(copy.getIconFile(), "a.ico");
}
