// Path parts under a double-byte code page.
#include "path_parts.h"

#include <gtest/gtest.h>

namespace {
constexpr UINT SHIFT_JIS = 932;
// "表" in Shift-JIS: its trail byte is a backslash.
const std::string HYO = "\x95\x5C";
} // namespace

TEST(PathParts, DoubleByteCharactersAreSteppedOverWhole) {
    if (!::IsValidCodePage(SHIFT_JIS))
        GTEST_SKIP() << "code page 932 is not installed";
    const struct {
        std::string path;
        std::string extension;
    } cases[] = {
        {"C:\\dir\\a.b" + HYO, ".b" + HYO},
        {"C:\\dir.x\\" + HYO + "file", ""},
        {"C:\\dir\\" + HYO + ".txt", ".txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hueicons::splitPath(c.path, SHIFT_JIS).extension, c.extension) << c.path;
    // A single-byte code page takes the trail byte for a backslash.
    EXPECT_EQ(hueicons::splitPath("C:\\dir\\a.b" + HYO, 1252).extension, "");
    EXPECT_TRUE(hueicons::equalIgnoringCase(".B" + HYO, ".b" + HYO, SHIFT_JIS));
    EXPECT_FALSE(hueicons::equalIgnoringCase(".b\x95\x7C", ".b" + HYO, SHIFT_JIS));
}

TEST(PathParts, SplitsDriveDirectoryNameAndExtension) {
    const auto parts = hueicons::splitPath("C:\\Work\\sub/notes.old.txt", 1252);
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\Work\\sub/");
    EXPECT_EQ(parts.name, "notes.old");
    EXPECT_EQ(parts.extension, ".txt");
}
