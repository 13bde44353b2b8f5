// The .ico format byte by byte: the writer's layout, the reader's checks.
#include <huetest/files.h>

#include "ico_format.h"
#include <huetest/icon_fixtures.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using huecore::IconImage;
using huecore::ImageKind;

using namespace huetest;

namespace {

std::string written(const std::vector<IconImage>& images) {
    std::ostringstream out;
    huecore::writeIcoFile(out, images);
    return out.str();
}

} // namespace

TEST(IcoWriter, LaysOutHeaderDirectoryAndDataWithoutGaps) {
    std::vector<IconImage> images;
    images.emplace_back(bitmapImage(16, 4));
    images.emplace_back(bitmapImage(32, 4));
    ASSERT_EQ(images[0].size(), 296u);
    ASSERT_EQ(images[1].size(), 744u);

    const std::string file = written(images);
    ASSERT_EQ(file.size(), 1078u);
    EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
    const struct {
        std::size_t entry;
        std::uint8_t size;
        std::uint32_t bytes, offset;
    } expected[] = {{6, 16, 296, 38}, {22, 32, 744, 334}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.entry);
        EXPECT_EQ(static_cast<std::uint8_t>(file[e.entry]), e.size);
        EXPECT_EQ(static_cast<std::uint8_t>(file[e.entry + 1]), e.size);
        EXPECT_EQ(static_cast<std::uint8_t>(file[e.entry + 2]), 16) << "colour count";
        EXPECT_EQ(file[e.entry + 3], 0);
        EXPECT_EQ(get16(file, e.entry + 4), 1);
        EXPECT_EQ(get16(file, e.entry + 6), 4);
        EXPECT_EQ(get32(file, e.entry + 8), e.bytes);
        EXPECT_EQ(get32(file, e.entry + 12), e.offset);
        EXPECT_EQ(get32(file, e.offset), 40u) << "image data starts with its header";
        EXPECT_EQ(get32(file, e.offset + 20), 0u) << "biSizeImage written as 0";
    }
    EXPECT_EQ(get32(std::string(images[0].data().begin(), images[0].data().end()), 20), 0x1234u)
        << "the image in memory keeps its own biSizeImage";
}

TEST(IcoWriter, ColourCountFollowsTheBitDepth) {
    const struct {
        int bits;
        std::uint8_t count;
    } cases[] = {{1, 2}, {4, 16}, {8, 0}, {24, 0}, {32, 0}};
    for (const auto& c : cases) {
        std::vector<IconImage> images;
        images.emplace_back(bitmapImage(16, c.bits));
        EXPECT_EQ(static_cast<std::uint8_t>(written(images)[8]), c.count) << c.bits << " bits";
    }
}

TEST(IcoWriter, AnEmptyIconIsSixBytes) {
    EXPECT_EQ(written({}), std::string("\0\0\1\0\0\0", 6));
}

TEST(IcoWriter, SizesOf256AreWrittenAsZeroAndPngIsKeptWhole) {
    std::vector<IconImage> images;
    images.emplace_back(pngImage(256, 256));
    images.emplace_back(bitmapImage(256, 32));
    const std::string file = written(images);
    for (const std::size_t entry : {6, 22}) {
        EXPECT_EQ(file[entry], 0) << entry;
        EXPECT_EQ(file[entry + 1], 0) << entry;
        EXPECT_EQ(get16(file, entry + 4), 1) << entry;
        EXPECT_EQ(get16(file, entry + 6), 32) << entry;
    }
    const Bytes& png = images[0].data();
    EXPECT_EQ(file.substr(get32(file, 18), png.size()), std::string(png.begin(), png.end()))
        << "PNG bytes pass unchanged (no biSizeImage in them)";
}

TEST(IcoReader, ReadsBackWhatWasWrittenWithOnlyRecomputedFieldsChanged) {
    Bytes original = icoFile({{bitmapImage(16, 4), 16, 16},
                              {bitmapImage(32, 8, 0x11), 32, 32},
                              {pngImage(256, 256), 0, 0}});
    put16(original, 2, 1);
    std::vector<IconImage> images;
    ASSERT_TRUE(huecore::parseIcoFile(original.data(), original.size(), images));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].kind(), ImageKind::Bitmap);
    EXPECT_EQ(images[2].kind(), ImageKind::Png);
    EXPECT_EQ(images[2].width(), 0) << "the directory's width byte";

    const std::string file = written(images);
    std::string expected(original.begin(), original.end());
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 16 * i;
        expected[entry + 3] = 0; // reserved
        expected[entry + 2] = file[entry + 2];
        expected.replace(entry + 4, 4, file.substr(entry + 4, 4)); // planes, bits
    }
    for (const std::size_t image : {0, 1}) {
        const std::uint32_t at = get32(file, 6 + 16 * image + 12);
        expected.replace(at + 20, 4, std::string(4, '\0'));
    }
    EXPECT_EQ(file, expected);
    EXPECT_EQ(static_cast<std::uint8_t>(file[6 + 2]), 16);
    EXPECT_EQ(static_cast<std::uint8_t>(file[22 + 2]), 0);
}

// Each malformed file is rejected; nothing reads outside the bytes given.
TEST(IcoReader, RejectsMalformedFiles) {
    const Bytes good = icoFile({{bitmapImage(16, 4), 16, 16}});
    auto with = [&](auto change) {
        Bytes b = good;
        change(b);
        return b;
    };
    Bytes tallHeader = bitmapImage(16, 4);
    put32(tallHeader, 8, 64); // claims 32 rows of colour and mask
    Bytes wideTable = bitmapImage(16, 32);
    put32(wideTable, 32, 0x40000000); // biClrUsed far beyond the data
    const Bytes png = pngImage(256, 256);
    Bytes hugeHeader = bitmapImage(16, 4);
    put32(hugeHeader, 0, 0x7FFFFFFF);

    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty file", {}},
        {"truncated header", Bytes(good.begin(), good.begin() + 5)},
        {"truncated directory", Bytes(good.begin(), good.begin() + 20)},
        {"truncated image", Bytes(good.begin(), good.end() - 1)},
        {"reserved field set", with([](Bytes& b) { put16(b, 0, 1); })},
        {"cursor, not icon", with([](Bytes& b) { put16(b, 2, 2); })},
        {"count larger than the directory", with([](Bytes& b) { put16(b, 4, 40); })},
        {"offset past the end", with([](Bytes& b) { put32(b, 18, 5000); })},
        {"offset inside the directory", with([](Bytes& b) { put32(b, 18, 8); })},
        {"size past the end", with([](Bytes& b) { put32(b, 14, 297); })},
        {"offset and size wrapping around", with([](Bytes& b) {
             put32(b, 14, 0xFFFFFFF0);
             put32(b, 18, 0x20);
         })},
        {"image shorter than a header", icoFile({{Bytes{40, 0, 0, 0, 16, 0}, 16, 16}})},
        {"header size beyond the image", icoFile({{hugeHeader, 16, 16}})},
        {"header claiming more rows than the bytes", icoFile({{tallHeader, 16, 16}})},
        {"colour table beyond the image", icoFile({{wideTable, 16, 16}})},
        {"PNG signature without a header chunk",
         icoFile({{Bytes(png.begin(), png.begin() + 12), 0, 0}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<IconImage> images;
        images.emplace_back(bitmapImage(16, 1));
        EXPECT_FALSE(huecore::parseIcoFile(c.bytes.data(), c.bytes.size(), images));
        EXPECT_EQ(images.size(), 1u) << "nothing is half-built";
    }
}

TEST(IcoReader, KeepsLayoutsTheTintDoesNotHandle) {
    Bytes compressed = bitmapImage(16, 32);
    put32(compressed, 16, 3); // BI_BITFIELDS
    Bytes v5 = bitmapImage(16, 32);
    put32(v5, 0, 124);
    Bytes zeroWidth = bitmapImage(16, 32);
    put32(zeroWidth, 4, 0);
    for (const Bytes& data : {compressed, v5, zeroWidth}) {
        const IconImage image(data, 16, 16);
        EXPECT_EQ(image.kind(), ImageKind::Other);
        EXPECT_EQ(image.data(), data);
    }
}

TEST(IconGroup, RejectsAGroupShorterThanItsCount) {
    Bytes group(6 + 14 * 2, 0);
    put16(group, 4, 2);
    put16(group, 6 + 12, 7);
    put16(group, 20 + 12, 9);
    std::vector<std::uint16_t> ids;
    ASSERT_TRUE(huecore::parseIconGroup(group.data(), group.size(), ids));
    EXPECT_EQ(ids, (std::vector<std::uint16_t>{7, 9}));
    EXPECT_FALSE(huecore::parseIconGroup(group.data(), group.size() - 1, ids));
    EXPECT_FALSE(huecore::parseIconGroup(group.data(), 5, ids));
}
