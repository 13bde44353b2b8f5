// Uses the label engine as its callers do: through the public headers and
// the import library only.
#include <windows.h>

#include <huecore/folder.h>
#include <huecore/imaging.h>
#include <huecore/label.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string makeFolder() {
    char temp[MAX_PATH + 1] = {};
    EXPECT_NE(::GetTempPathA(sizeof temp, temp), 0u);
    const std::string path =
        std::string(temp) + "huecaller-" + std::to_string(::GetCurrentProcessId());
    EXPECT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    return path;
}

} // namespace

TEST(Caller, UsesEachExportedClass) {
    const std::string path = makeFolder();

    const CustomFolder folder(path.c_str());
    EXPECT_EQ(folder.getDesktopIni(), path + "\\desktop.ini");
    EXPECT_TRUE(folder.writeClassInfoString("huemark", "5"));

    // Destroyed through a pointer to the base, as the shell extensions do.
    std::unique_ptr<CustomIconFolder> icons = std::make_unique<FolderLabelReader>(path.c_str());
    EXPECT_TRUE(icons->setIcon("C:\\Icons\\x.ico", 5));
    EXPECT_EQ(icons->getIconFile(), "C:\\Icons\\x.ico");

    FLabel label;
    FolderLabelReader(path.c_str()).getLabel(label);
    EXPECT_EQ(label.labelType(), LabelPersonal);
    std::string text;
    EXPECT_TRUE(label.write(text));
    EXPECT_EQ(text, "1,0,5,0,0,0");
    EXPECT_STREQ(Swatchbook::labelName(label.labelType()), "Personal");
    EXPECT_EQ(Swatchbook::labelColor(label.labelType()), 0x00EA0000u);

    EXPECT_TRUE(icons->removeIcon());
    icons.reset();
    ::SetFileAttributesA((path + "\\desktop.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(::DeleteFileA((path + "\\desktop.ini").c_str()));
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(::RemoveDirectoryA(path.c_str()));
}

// The engine's exception reaches a caller in another module, which catches
// it by its type and reads its code and text.
TEST(Caller, CatchesWinerrorFromTheLibrary) {
    char system[MAX_PATH + 1] = {};
    ASSERT_NE(::GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string shell32 = std::string(system) + "\\shell32.dll";
    try {
        Icon icon(shell32.c_str(), -1);
        FAIL() << "no exception";
    } catch (const winerror& e) {
        EXPECT_EQ(e.code, static_cast<unsigned long>(ERROR_NOT_FOUND));
        EXPECT_STRNE(e.what(), "");
    }

    try {
        Icon icon("C:\\no\\such\\folder\\icon.ico");
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        // Caught by its standard base too.
        const auto* error = dynamic_cast<const winerror*>(&e);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->code, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    }

    Icon icon(shell32.c_str(), 3);
    EXPECT_GT(icon.imageCount(), 0);
}
