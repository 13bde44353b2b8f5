// The device-independent bitmap: layout, 32-bit section and masked tint.
#include <windows.h>

#include "dib.h"

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using huecore::Dib;

namespace {

// A bitmap header followed by room for a colour table of `entries`.
struct HeaderWithTable {
    explicit HeaderWithTable(int width, int height, WORD bits, DWORD clrUsed = 0,
                             std::size_t entries = 0)
        : bytes(sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD), 0) {
        auto* h = header();
        h->biSize = sizeof(BITMAPINFOHEADER);
        h->biWidth = width;
        h->biHeight = height;
        h->biPlanes = 1;
        h->biBitCount = bits;
        h->biCompression = BI_RGB;
        h->biClrUsed = clrUsed;
    }
    BITMAPINFOHEADER* header() { return reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()); }
    std::vector<BYTE> bytes;
};

// A 32-bit bitmap of one colour (blue, green, red), rows bottom-up.
struct SolidBitmap {
    SolidBitmap(int width, int height, BYTE b, BYTE g, BYTE r)
        : info(width, height, 32), rows(static_cast<std::size_t>(width) * height * 4) {
        for (std::size_t i = 0; i < rows.size(); i += 4) {
            rows[i] = b;
            rows[i + 1] = g;
            rows[i + 2] = r;
        }
    }
    HeaderWithTable info;
    std::vector<BYTE> rows;
};

struct Pixel {
    BYTE b, g, r;
    bool operator==(const Pixel& o) const { return b == o.b && g == o.g && r == o.r; }
};
std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << '(' << int(p.b) << ',' << int(p.g) << ',' << int(p.r) << ')';
}

Pixel pixelAt(const Dib& dib, int width, int row, int column) {
    const BYTE* p = dib.sectionPixels() + (static_cast<std::size_t>(row) * width + column) * 4;
    return {p[0], p[1], p[2]};
}

class SectionTest : public ::testing::Test {
protected:
    hue::WindowDc screen;
    hue::UniqueMemoryDc dc{::CreateCompatibleDC(screen.get())};
};

} // namespace

TEST(TintArithmetic, MovesEachComponentByStrengthOver256) {
    const struct {
        BYTE old, target, strength, expected;
    } cases[] = {
        {255, 0, 128, 127}, {0, 255, 128, 127}, {100, 200, 128, 150}, {200, 100, 128, 150},
        {37, 250, 0, 37},   {0, 255, 255, 254}, {255, 0, 255, 0},     {90, 90, 200, 90},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(huecore::tintComponent(c.old, c.target, c.strength), c.expected)
            << int(c.old) << " toward " << int(c.target) << " at " << int(c.strength);
    }
}

TEST(DibLayout, BitsFollowTheHeaderAndColourTable) {
    const struct {
        WORD bits;
        DWORD clrUsed;
        std::size_t tableBytes;
    } cases[] = {{32, 0, 0}, {24, 0, 0}, {8, 16, 64}, {8, 0, 1024}, {4, 0, 64}, {1, 0, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        HeaderWithTable info(4, 2, c.bits, c.clrUsed, c.tableBytes / 4);
        const std::vector<BYTE> rows(64, 0xCD);
        Dib dib;
        dib.assign(info.header(), rows.data());
        const BYTE* rowsInBlock = static_cast<const BYTE*>(dib.bits());
        ASSERT_NE(rowsInBlock, nullptr);
        const std::size_t rowBytes = (c.bits * 4 + 31) / 32 * 4;
        EXPECT_EQ(std::memcmp(rowsInBlock, rows.data(), rowBytes * 2), 0);
        EXPECT_EQ(dib.width(), 4);
        EXPECT_EQ(dib.height(), 2);
    }
}

TEST(DibLayout, AnEmptyDibHasNoSizeAndNoBits) {
    Dib dib;
    EXPECT_EQ(dib.width(), 0);
    EXPECT_EQ(dib.height(), 0);
    EXPECT_EQ(dib.bits(), nullptr);
    SolidBitmap red(2, 2, 0, 0, 255);
    dib.assign(red.info.header(), red.rows.data());
    dib.clear();
    EXPECT_EQ(dib.width(), 0);
    EXPECT_EQ(dib.bits(), nullptr);
}

TEST_F(SectionTest, TintsThroughTheMask) {
    const std::vector<BYTE> opaque(4 * 2, 0x00), transparent(4 * 2, 0xFF);
    const COLORREF red = RGB(255, 0, 0);
    const struct {
        const char* what;
        BYTE b, g, r;
        const std::vector<BYTE>& mask;
        BYTE strength;
        Pixel expected;
    } cases[] = {
        {"white, opaque", 255, 255, 255, opaque, 128, {127, 127, 255}},
        {"black, opaque", 0, 0, 0, opaque, 128, {0, 0, 127}},
        {"white, transparent", 255, 255, 255, transparent, 128, {255, 255, 255}},
        {"grey at strength 0", 128, 128, 128, opaque, 0, {128, 128, 128}},
        {"black at strength 255", 0, 0, 0, opaque, 255, {0, 0, 254}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SolidBitmap bitmap(2, 2, c.b, c.g, c.r);
        Dib dib;
        dib.assign(bitmap.info.header(), bitmap.rows.data());
        ASSERT_NE(dib.makeSection(dc.get()), nullptr);
        dib.tint(red, c.strength, c.mask.data());
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                EXPECT_EQ(pixelAt(dib, 2, row, column), c.expected) << row << ',' << column;
    }
}

TEST_F(SectionTest, TopRowIsTestedAgainstTheMasksLastRow) {
    // 16 wide and 32 high: 32 mask rows of 4 bytes. Only the last mask row
    // keeps its pixels (the top row of the picture), and in it only the
    // leftmost pixel (the high bit of the first byte).
    const int width = 16, height = 32;
    std::vector<BYTE> mask(4 * height, 0x00);
    std::memset(&mask[4 * (height - 1)], 0xFF, 4);
    mask[4 * 5] = 0x80; // row 5 from the bottom: its leftmost pixel
    SolidBitmap white(width, height, 255, 255, 255);
    Dib dib;
    dib.assign(white.info.header(), white.rows.data());
    dib.makeSection(dc.get());
    dib.tint(RGB(0, 0, 255), 128, mask.data());

    const Pixel kept{255, 255, 255}, tinted{255, 127, 127};
    for (int column = 0; column < width; ++column)
        EXPECT_EQ(pixelAt(dib, width, 0, column), kept) << column;
    EXPECT_EQ(pixelAt(dib, width, 1, 0), tinted);
    EXPECT_EQ(pixelAt(dib, width, height - 1 - 5, 0), kept);
    EXPECT_EQ(pixelAt(dib, width, height - 1 - 5, 1), tinted);
    EXPECT_EQ(pixelAt(dib, width, height - 1, width - 1), tinted);
}

TEST_F(SectionTest, TintBeforeASectionDoesNothingAndDrawMakesOne) {
    SolidBitmap grey(2, 2, 90, 90, 90);
    Dib dib;
    dib.assign(grey.info.header(), grey.rows.data());
    const std::vector<BYTE> opaque(8, 0);
    dib.tint(RGB(255, 0, 0), 128, opaque.data());
    EXPECT_EQ(dib.sectionPixels(), nullptr);

    // Draw onto a 32-bit section selected into the DC, and read it back.
    BITMAPINFO target{};
    target.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* targetPixels = nullptr;
    const hue::UniqueBitmap canvas(
        ::CreateDIBSection(dc.get(), &target, DIB_RGB_COLORS, &targetPixels, nullptr, 0));
    ASSERT_TRUE(canvas);
    {
        const hue::SelectGuard selected(dc.get(), canvas.get());
        dib.draw(dc.get(), 0, 0, 2, 2, SRCCOPY);
        ::GdiFlush();
    }
    ASSERT_NE(dib.sectionPixels(), nullptr) << "draw made the section";
    const BYTE* drawn = static_cast<const BYTE*>(targetPixels);
    EXPECT_EQ(drawn[0], 90);
    EXPECT_EQ(drawn[1], 90);
    EXPECT_EQ(drawn[2], 90);
    EXPECT_EQ(pixelAt(dib, 2, 1, 1), (Pixel{90, 90, 90}));
}
