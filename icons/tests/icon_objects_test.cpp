// Icon handles with one owner, and tinting through raster operations.
#include <windows.h>

#include <hueicons/icon.h>

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <array>
#include <type_traits>

static_assert(!std::is_copy_constructible<IconObj>::value &&
                  !std::is_copy_assignable<IconObj>::value,
              "an icon has one owning IconObj");

namespace {

constexpr int EDGE = 4;
// The test icon's columns: white and mid-grey opaque, white transparent.
constexpr COLORREF WHITE = 0x00FFFFFF, GREY = 0x00808080;

// A 4x4 icon: columns 0 and 1 opaque (white, grey), columns 2 and 3
// transparent with white colour bits.
HICON makeIcon() {
    const hue::WindowDc screen;
    const hue::UniqueBitmap colour(::CreateCompatibleBitmap(screen.get(), EDGE, EDGE));
    const hue::UniqueBitmap mask(::CreateBitmap(EDGE, EDGE, 1, 1, nullptr));
    const hue::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    for (int y = 0; y < EDGE; ++y) {
        for (int x = 0; x < EDGE; ++x) {
            {
                const hue::SelectGuard selected(dc.get(), colour.get());
                ::SetPixel(dc.get(), x, y, x == 1 ? GREY : WHITE);
            }
            const hue::SelectGuard selected(dc.get(), mask.get());
            ::SetPixel(dc.get(), x, y, x >= 2 ? WHITE : 0);
        }
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return ::CreateIconIndirect(&info);
}

// The colour bits of one row of an icon, as COLORREFs.
std::array<COLORREF, EDGE> row(HICON icon) {
    std::array<COLORREF, EDGE> colours{};
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return colours;
    const hue::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), EDGE, -EDGE, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BYTE pixels[EDGE * EDGE * 4] = {};
    const hue::WindowDc screen;
    ::GetDIBits(screen.get(), colour.get(), 0, EDGE, pixels, &format, DIB_RGB_COLORS);
    for (int x = 0; x < EDGE; ++x)
        colours[x] = RGB(pixels[x * 4 + 2], pixels[x * 4 + 1], pixels[x * 4]);
    return colours;
}

bool alive(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return false;
    const hue::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    return true;
}

using Row = std::array<COLORREF, EDGE>;

} // namespace

TEST(IconModder, TintsOpaquePixelsAndMasksTransparentOnes) {
    const struct {
        const char* what;
        COLORREF colour;
        Row expected;
    } cases[] = {
        {"white", WHITE, {WHITE, GREY, 0, 0}},
        {"black", 0x00000000, {0, 0, WHITE, WHITE}},
        {"red", 0x000000FF, {0x000000FF, 0x00000080, 0x00FFFF00, 0x00FFFF00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IconModder modder(makeIcon());
        modder.label(c.colour);
        const hue::UniqueIcon tinted(modder.handle());
        EXPECT_EQ(row(tinted.get()), c.expected);

        IconModder twice(::CopyIcon(tinted.get()));
        twice.label(c.colour);
        const hue::UniqueIcon again(twice.handle());
        EXPECT_EQ(row(again.get()), c.expected) << "labelling twice is labelling once";
    }
}

TEST(IconModder, CopyingTwiceGivesTheMaskInBlackAndWhite) {
    IconModder modder(makeIcon());
    modder.setRop(SRCCOPY, SRCCOPY);
    modder.label(0x000000FF);
    const hue::UniqueIcon result(modder.handle());
    EXPECT_EQ(row(result.get()), (Row{0, 0, WHITE, WHITE}));
}

TEST(IconModder, LeavesTheTintedIconToTheCaller) {
    HICON tinted = nullptr;
    HICON original = makeIcon();
    {
        IconModder modder(original);
        modder.label(0x000000FF);
        tinted = modder.handle();
        EXPECT_NE(tinted, nullptr);
    }
    EXPECT_TRUE(alive(tinted));
    EXPECT_TRUE(::DestroyIcon(tinted));

    { IconModder unlabelled(original = makeIcon()); }
    EXPECT_TRUE(alive(original)) << "a modder never destroys the icon it holds";
    EXPECT_TRUE(::DestroyIcon(original));
}

TEST(IconModder, IconsWithoutColourOrHandleAreLeftAlone) {
    // A monochrome icon: mask and colour in one bitmap of double height.
    const hue::UniqueBitmap bits(::CreateBitmap(EDGE, 2 * EDGE, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, bits.get(), nullptr};
    IconModder mono(::CreateIconIndirect(&info));
    mono.label(0x000000FF);
    const hue::UniqueIcon replaced(mono.handle());
    EXPECT_TRUE(alive(replaced.get()));

    IconModder empty(nullptr);
    empty.label(0x000000FF);
    EXPECT_EQ(empty.handle(), nullptr);
}

TEST(IconObj, OwnsItsIconOnce) {
    HICON icon = makeIcon();
    {
        IconObj owner(icon);
        owner.assign(icon);
        EXPECT_TRUE(alive(icon)) << "assigning the held handle keeps it";
    }
    EXPECT_FALSE(alive(icon)) << "destroyed with its owner";

    icon = makeIcon();
    {
        IconObj owner(icon);
        EXPECT_EQ(owner.detach(), icon);
        EXPECT_EQ(owner.handle(), nullptr);
    }
    EXPECT_TRUE(alive(icon)) << "a detached icon belongs to the caller";

    IconObj owner(icon);
    HICON other = makeIcon();
    owner.assign(other);
    EXPECT_FALSE(alive(icon)) << "assign destroys the icon it replaces";
    EXPECT_EQ(owner.handle(), other);

    ICONINFO info{};
    ASSERT_TRUE(owner.getInfo(info));
    const hue::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    EXPECT_TRUE(owner.replace(info));
    EXPECT_FALSE(alive(other));
    EXPECT_TRUE(alive(owner.handle()));
}
