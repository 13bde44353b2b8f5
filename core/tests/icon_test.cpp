// Icons loaded from .ico files and program files, tinted and written.
#include <windows.h>

#include <huecore/imaging.h>
#include <huetest/files.h>

#include <hue/handles.h>

#include "dib.h"
#include "ico_format.h"
#include <huetest/icon_fixtures.h>
#include "png_tint.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using huetest::TempFolder;
using namespace huetest;

namespace {

std::string systemFile(const char* name) {
    char dir[MAX_PATH + 1] = {};
    EXPECT_NE(::GetSystemDirectoryA(dir, sizeof dir), 0u);
    return std::string(dir) + "\\" + name;
}

std::string writeIcon(const Icon& icon) {
    std::ostringstream out;
    icon.write(out);
    return out.str();
}

unsigned long errorOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const winerror& e) {
        return e.code;
    }
    ADD_FAILURE() << "no winerror";
    return 0;
}

// A copy of this test program with icon groups added through the system's
// resource updating: each group holds one 32-bit image of the given size, or
// none for size 0.
struct Group {
    const char* name; // MAKEINTRESOURCE for an integer name
    int imageSize;
};
std::string moduleWithGroups(const TempFolder& dir, const std::vector<Group>& groups) {
    char self[MAX_PATH + 1] = {};
    EXPECT_NE(::GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const std::string path = dir.file("icons.dll");
    EXPECT_TRUE(::CopyFileA(self, path.c_str(), FALSE));
    HANDLE update = ::BeginUpdateResourceA(path.c_str(), FALSE);
    EXPECT_NE(update, nullptr);
    WORD iconId = 100;
    for (const Group& group : groups) {
        if (group.imageSize == 0) {
            Bytes empty = {0, 0, 1, 0, 0, 0};
            EXPECT_TRUE(::UpdateResourceA(update, RT_GROUP_ICON, group.name, LANG_NEUTRAL,
                                          empty.data(), static_cast<DWORD>(empty.size())));
            continue;
        }
        Bytes image = bitmapImage(group.imageSize, 32);
        EXPECT_TRUE(::UpdateResourceA(update, RT_ICON, MAKEINTRESOURCEA(iconId), LANG_NEUTRAL,
                                      image.data(), static_cast<DWORD>(image.size())));
        Bytes dirBytes(6 + 14, 0);
        put16(dirBytes, 2, 1);
        put16(dirBytes, 4, 1);
        dirBytes[6] = dirBytes[7] = static_cast<std::uint8_t>(group.imageSize);
        put16(dirBytes, 10, 1);
        put16(dirBytes, 12, 32);
        put32(dirBytes, 14, static_cast<std::uint32_t>(image.size()));
        put16(dirBytes, 18, iconId);
        EXPECT_TRUE(::UpdateResourceA(update, RT_GROUP_ICON, group.name, LANG_NEUTRAL,
                                      dirBytes.data(), static_cast<DWORD>(dirBytes.size())));
        ++iconId;
    }
    EXPECT_TRUE(::EndUpdateResourceA(update, FALSE));
    return path;
}

bool maskBitSet(const std::string& data, const huecore::BitmapLayout& layout, int row, int column) {
    const auto byte =
        static_cast<std::uint8_t>(data[layout.maskOffset + layout.maskRowBytes * row + column / 8]);
    return (byte & (0x80 >> (column % 8))) != 0;
}

huecore::BitmapLayout layoutOf(const std::string& data) {
    huecore::ImageKind kind;
    huecore::BitmapLayout layout{};
    EXPECT_TRUE(huecore::classifyImage(reinterpret_cast<const std::uint8_t*>(data.data()),
                                       data.size(), kind, layout));
    EXPECT_EQ(kind, huecore::ImageKind::Bitmap);
    return layout;
}

constexpr COLORREF HOT = 0x00645AFF;

} // namespace

TEST(IconFromModule, PicksTheGroupAtAPosition) {
    TempFolder dir;
    const std::string module = moduleWithGroups(dir, {{MAKEINTRESOURCEA(1), 16},
                                                      {MAKEINTRESOURCEA(2), 20},
                                                      {MAKEINTRESOURCEA(3), 24},
                                                      {MAKEINTRESOURCEA(4), 48}});
    const auto images = readIco(writeIcon(Icon(module.c_str(), 3)));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 48) << "position 3 is the group with identifier 4";

    for (const int position : {4, -1, -2147483647 - 1})
        EXPECT_EQ(errorOf([&] { Icon(module.c_str(), position); }), ERROR_NOT_FOUND) << position;
}

TEST(IconFromModule, FindsStringNamedGroupsAfterTheEnumeration) {
    TempFolder dir;
    const std::string module =
        moduleWithGroups(dir, {{"BETA", 24}, {MAKEINTRESOURCEA(7), 16}, {"ALPHA", 32}});
    // Named groups come first, in order of their names, then the numbered.
    const int expected[] = {32, 24, 16};
    for (int position = 0; position < 3; ++position) {
        const auto images = readIco(writeIcon(Icon(module.c_str(), position)));
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].width, expected[position]) << position;
    }
}

TEST(IconFromModule, AnEmptyGroupGivesAnEmptyIcon) {
    TempFolder dir;
    const std::string module = moduleWithGroups(dir, {{MAKEINTRESOURCEA(1), 0}});
    Icon icon(module.c_str(), 0);
    EXPECT_EQ(icon.imageCount(), 0);
    icon.tint(HOT, 128);
    EXPECT_EQ(writeIcon(icon), std::string("\0\0\1\0\0\0", 6));
}

TEST(IconFromModule, FailuresCarryTheSystemsError) {
    TempFolder dir;
    // The loader's own error for a missing module (Windows and Wine differ).
    const std::string missing = dir.file("missing.dll");
    ASSERT_EQ(::LoadLibraryExA(missing.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
    const DWORD loaderError = ::GetLastError();
    EXPECT_NE(loaderError, 0u);
    EXPECT_EQ(errorOf([&] { Icon(missing.c_str(), 0); }), loaderError);
    const std::string noIcons = moduleWithGroups(dir, {});
    EXPECT_EQ(errorOf([&] { Icon(noIcons.c_str(), 0); }), ERROR_NOT_FOUND);
}

TEST(IconFromModule, SystemShellLibraryHasStringAndIntegerNamedGroups) {
    const std::string shell32 = systemFile("shell32.dll");
    for (const int position : {0, 1, 2, 3})
        EXPECT_GT(Icon(shell32.c_str(), position).imageCount(), 0) << position;
}

TEST(IconFromFile, MalformedAndMissingFilesRaiseWinerror) {
    TempFolder dir;
    Bytes tall = bitmapImage(16, 4);
    put32(tall, 8, 64);
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", Bytes{0, 0, 1, 0, 3, 0}},
        {"rows beyond the image", icoFile({{tall, 16, 16}})},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("bad.ico");
        huetest::writeFile(path, std::string(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(errorOf([&] { Icon icon(path.c_str()); }), ERROR_INVALID_DATA) << c.what;
    }
    const std::string missing = dir.file("missing.ico");
    EXPECT_EQ(errorOf([&] { Icon icon(missing.c_str()); }), ERROR_FILE_NOT_FOUND);
}

TEST(IconFromFile, ReadsAndWritesAllImages) {
    TempFolder dir;
    const Bytes file = icoFile({{bitmapImage(16, 4), 16, 16}, {bitmapImage(32, 32), 32, 32}});
    const std::string path = dir.file("two.ico");
    huetest::writeFile(path, std::string(file.begin(), file.end()));
    const Icon icon(path.c_str());
    EXPECT_EQ(icon.imageCount(), 2);
    EXPECT_EQ(icon.imageOffset(0), 6u + 2 * 16);
    EXPECT_EQ(icon.imageOffset(1), 6u + 2 * 16 + 296);
    const auto images = readIco(writeIcon(icon));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].bitCount, 32);
}

TEST(IconTint, LeavesLayoutsItDoesNotHandleUnchanged) {
    TempFolder dir;
    Bytes compressed = bitmapImage(16, 32);
    put32(compressed, 16, 3); // BI_BITFIELDS
    put32(compressed, 20, 0);
    Bytes zeroHeight = bitmapImage(16, 32);
    put32(zeroHeight, 8, 0);
    put32(zeroHeight, 20, 0);
    const Bytes file = icoFile({{compressed, 16, 16}, {zeroHeight, 16, 16}});
    const std::string path = dir.file("odd.ico");
    huetest::writeFile(path, std::string(file.begin(), file.end()));
    Icon icon(path.c_str());
    icon.tint(HOT, 128);
    const auto images = readIco(writeIcon(icon));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].data, std::string(compressed.begin(), compressed.end()));
    EXPECT_EQ(images[1].data, std::string(zeroHeight.begin(), zeroHeight.end()));
}

// The system's folder icon, as the labeller uses it: loaded, tinted with a
// label colour at strength 128 and written, then read back by the system and
// compared with the original image by image.
class SystemFolderIcon : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string shell32 = systemFile("shell32.dll");
        original = readIco(writeIcon(Icon(shell32.c_str(), 3)));
        Icon icon(shell32.c_str(), 3);
        icon.tint(HOT, 128);
        file = writeIcon(icon);
        tinted = readIco(file);
        ASSERT_EQ(tinted.size(), original.size());
        ASSERT_FALSE(original.empty());
    }
    std::vector<IcoImage> original, tinted;
    std::string file;
};

TEST_F(SystemFolderIcon, EveryImageLoadsThroughTheSystem) {
    for (std::size_t i = 0; i < tinted.size(); ++i) {
        SCOPED_TRACE(i);
        const IcoImage& image = tinted[i];
        EXPECT_EQ(image.width, original[i].width);
        // A re-encoded PNG image holds 32-bit pixels.
        const bool png = image.data.compare(1, 3, "PNG") == 0;
        EXPECT_EQ(image.bitCount, png ? 32 : original[i].bitCount);
        auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(image.data.data()));
        const hue::UniqueIcon handle(
            ::CreateIconFromResourceEx(bytes, static_cast<DWORD>(image.data.size()), TRUE,
                                       0x00030000, image.width, image.height, LR_DEFAULTCOLOR));
        EXPECT_TRUE(handle) << "error " << ::GetLastError();
    }

    TempFolder dir;
    const std::string path = dir.file("tinted.ico");
    huetest::writeFile(path, file);
    for (const int size : {16, 32, 48, 256}) {
        const hue::UniqueIcon handle(static_cast<HICON>(
            ::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
        EXPECT_TRUE(handle) << size;
    }
}

TEST_F(SystemFolderIcon, PngImageIsTintedPixelByPixel) {
    bool sawPng = false;
    for (std::size_t i = 0; i < tinted.size(); ++i) {
        if (tinted[i].data.compare(1, 3, "PNG") != 0)
            continue;
        sawPng = true;
        const auto before =
            huecore::decodePng(Bytes(original[i].data.begin(), original[i].data.end()));
        const auto after = huecore::decodePng(Bytes(tinted[i].data.begin(), tinted[i].data.end()));
        ASSERT_EQ(after.width, before.width);
        ASSERT_EQ(after.height, before.height);
        EXPECT_EQ(tinted[i].width, 256);
        int changed = 0;
        for (std::size_t p = 0; p < before.pixels.size(); p += 4) {
            const BYTE* b = &before.pixels[p];
            const BYTE* a = &after.pixels[p];
            ASSERT_EQ(a[3], b[3]) << "alpha of pixel " << p / 4;
            const bool opaque = b[3] != 0;
            ASSERT_EQ(a[0], opaque ? huecore::tintComponent(b[0], GetBValue(HOT), 128) : b[0]);
            ASSERT_EQ(a[1], opaque ? huecore::tintComponent(b[1], GetGValue(HOT), 128) : b[1]);
            ASSERT_EQ(a[2], opaque ? huecore::tintComponent(b[2], GetRValue(HOT), 128) : b[2]);
            changed += opaque;
        }
        EXPECT_GT(changed, 0);
    }
    EXPECT_TRUE(sawPng) << "the system folder icon starts with a PNG image";
}

TEST_F(SystemFolderIcon, BitmapsKeepMaskAndAlphaAndTintOpaquePixels) {
    int checked32 = 0;
    for (std::size_t i = 0; i < tinted.size(); ++i) {
        if (tinted[i].data.compare(1, 3, "PNG") == 0)
            continue;
        SCOPED_TRACE(i);
        const std::string& before = original[i].data;
        const std::string& after = tinted[i].data;
        ASSERT_EQ(after.size(), before.size());
        const huecore::BitmapLayout layout = layoutOf(before);
        EXPECT_EQ(after.substr(layout.maskOffset), before.substr(layout.maskOffset))
            << "the AND mask is never written";
        EXPECT_EQ(after.substr(0, 20), before.substr(0, 20)) << "header";
        if (layout.bitCount != 32)
            continue;
        ++checked32;
        for (int row = 0; row < layout.height; ++row) {
            for (int column = 0; column < layout.width; ++column) {
                const std::size_t at = layout.xorOffset + layout.rowBytes * row + column * 4;
                const auto b = reinterpret_cast<const BYTE*>(&before[at]);
                const auto a = reinterpret_cast<const BYTE*>(&after[at]);
                ASSERT_EQ(a[3], b[3]) << "alpha at " << row << ',' << column;
                const bool keep = maskBitSet(before, layout, row, column);
                ASSERT_EQ(a[2], keep ? b[2] : huecore::tintComponent(b[2], GetRValue(HOT), 128));
                ASSERT_EQ(a[1], keep ? b[1] : huecore::tintComponent(b[1], GetGValue(HOT), 128));
                ASSERT_EQ(a[0], keep ? b[0] : huecore::tintComponent(b[0], GetBValue(HOT), 128));
            }
        }
    }
    EXPECT_GT(checked32, 0);
}
