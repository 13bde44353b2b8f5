// Where a type's icon comes from, and extracting it, on real files and the
// registry redirected to a scratch key per test.
#include <windows.h>

#include <hueicons/filetype.h>
#include <huetest/files.h>
#include <huetest/icon_fixtures.h>
#include <huetest/registry.h>

#include <hue/handles.h>

#include "test_server.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using huetest::ScratchClassesRoot;
using huetest::TempFolder;
using namespace testhandlers;

// The tests' view of the shared extraction routine.
struct FileTypeInfoInspector {
    static void* swapExtraction(void* routine) {
        void* previous = reinterpret_cast<void*>(FileTypeInfo::privateExtractIcons);
        FileTypeInfo::privateExtractIcons =
            reinterpret_cast<FileTypeInfo::PrivateExtractIconsFunc>(routine);
        return previous;
    }
};

namespace {

std::string systemFile(const char* name) {
    char dir[MAX_PATH] = {};
    ::GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct Extracted {
    bool fromFile;
    hue::UniqueIcon large, small;
};

Extracted extract(const FileTypeInfo& info, DWORD sizes) {
    HICON large = reinterpret_cast<HICON>(1), small = reinterpret_cast<HICON>(1);
    const bool fromFile = info.extractIcon(sizes, large, small);
    return {fromFile, hue::UniqueIcon(large), hue::UniqueIcon(small)};
}

using IconLocationTest = ComTest;

} // namespace

TEST(IconLocation, ReadsEachFormOfTheDefaultIcon) {
    TempFolder dir;
    const std::string document = dir.file("report.hue");
    huetest::writeFile(document, "x");
    const std::string icon = dir.file("doc.ico");
    huetest::writeFile(icon, "icon");
    ASSERT_TRUE(::CreateDirectoryA(dir.file("Program Files").c_str(), nullptr));
    const std::string app = dir.file("Program Files\\app.exe");
    huetest::writeFile(app, "app");
    ::SetEnvironmentVariableA("HUETEST_ICONS", dir.path().c_str());
    const std::string shell32 = systemFile("shell32.dll");

    const std::string none = "(no DefaultIcon key)";
    const struct {
        const char* what;
        std::string defaultIcon;
        std::string file;
        int index;
    } cases[] = {
        {"environment reference and a resource identifier",
         "%SystemRoot%\\system32\\shell32.dll,-152", shell32, -152},
        {"file in double quotes", "\"" + app + "\",0", app, 0},
        {"file alone", icon, icon, 0},
        {"file alone through an environment reference", "%HUETEST_ICONS%\\doc.ico", icon, 0},
        {"per-file icon", "%1", "SHELL32.DLL", 1},
        {"no default icon key", none, "SHELL32.DLL", 1},
        {"empty default icon", "", "SHELL32.DLL", 1},
        {"a bare system file on the search path", "shell32.dll,3", shell32, 3},
        {"a missing file", "C:\\missing.dll,4", "SHELL32.DLL", 0},
        {"only a comma", ",", "SHELL32.DLL", 0},
        {"a file and a comma", icon + ",", icon, 0},
        {"an index without digits", icon + ",x7", icon, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchClassesRoot classes;
        huetest::setClassValue(".hue", "huefile");
        if (c.defaultIcon != none)
            huetest::setClassValue("huefile\\DefaultIcon", c.defaultIcon);
        else
            huetest::createClassKey("huefile");
        const FileTypeInfo info(document.c_str());
        EXPECT_EQ(lower(info.iconFileName()), lower(c.file));
        EXPECT_EQ(info.iconIndex(), c.index);
    }
}

TEST(IconLocation, FallsBackToTheSystemLibrary) {
    TempFolder dir;
    const std::string plain = dir.file("noname.hue");
    const std::string program = dir.file("tool.exe");
    const std::string folder = dir.file("folder.hue");
    huetest::writeFile(plain, "x");
    huetest::writeFile(program, "x");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    const ScratchClassesRoot classes;
    huetest::createClassKey(".hue"); // no type name
    huetest::setClassValue(".exe", "exefile");
    huetest::setClassValue("exefile\\DefaultIcon", "%1");
    for (const std::string& path : {plain, program, folder, dir.file("missing.hue")}) {
        const FileTypeInfo info(path.c_str());
        EXPECT_EQ(info.iconFileName(), "SHELL32.DLL") << path;
        EXPECT_EQ(info.iconIndex(), 0) << path;
    }
}

TEST_F(IconLocationTest, ExtractsThroughTheTypesOwnHandlerOrAFile) {
    TempFolder dir;
    const std::string document = dir.file("report.hue");
    huetest::writeFile(document, "x");
    // An .ico file of two images, built by the test.
    const auto ico = huetest::icoFile(
        {{huetest::bitmapImage(16, 32), 16, 16}, {huetest::bitmapImage(32, 32), 32, 32}});
    huetest::writeFile(dir.file("own.ico"), std::string(ico.begin(), ico.end()));
    const std::string ownIcon = dir.file("own.ico") + ",0";

    const struct {
        const char* what;
        const char* handler; // null: the default icon below
        const char* defaultIcon;
        bool fromFile;
        int large, small;
    } cases[] = {
        {"a handler that extracts itself", EXTRACTS_ITSELF, nullptr, false, 32, 16},
        {"a handler that names a file", NAMES_FILE, nullptr, true, 32, 16},
        {"a handler that names a missing file", NAMES_MISSING, nullptr, false, 0, 0},
        {"a library named by the default icon", nullptr, "shell32.dll,3", true, 32, 16},
        {"an .ico file named by the default icon", nullptr, ownIcon.c_str(), true, 32, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchClassesRoot classes;
        huetest::setClassValue(".hue", "huefile");
        if (c.handler != nullptr)
            huetest::setClassValue("huefile\\ShellEx\\IconHandler", c.handler);
        else
            huetest::setClassValue("huefile\\DefaultIcon", c.defaultIcon);
        const FileTypeInfo info(document.c_str());
        if (c.handler != nullptr) {
            EXPECT_EQ(info.iconFileName(), c.handler);
        }
        const Extracted icons = extract(info, 0x00200010);
        EXPECT_EQ(icons.fromFile, c.fromFile);
        EXPECT_EQ(iconSize(icons.large.get()), c.large);
        EXPECT_EQ(iconSize(icons.small.get()), c.small);
    }
}

TEST(IconExtraction, WithoutPrivateExtractIconsGivesTheSystemSizes) {
    TempFolder dir;
    const std::string document = dir.file("report.hue");
    huetest::writeFile(document, "x");
    const ScratchClassesRoot classes;
    huetest::setClassValue(".hue", "huefile");
    huetest::setClassValue("huefile\\DefaultIcon", "shell32.dll,3");
    const FileTypeInfo info(document.c_str());

    void* routine = FileTypeInfoInspector::swapExtraction(nullptr);
    const Extracted icons = extract(info, 0x00300018);
    FileTypeInfoInspector::swapExtraction(routine);
    EXPECT_TRUE(icons.fromFile);
    EXPECT_EQ(iconSize(icons.large.get()), ::GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(iconSize(icons.small.get()), ::GetSystemMetrics(SM_CXSMICON));

    // What the platform's routine makes of the packed sizes.
    const Extracted sized = extract(info, 0x00300018);
    EXPECT_EQ(iconSize(sized.large.get()), 48);
    EXPECT_EQ(iconSize(sized.small.get()), 24);
}
