#include <windows.h>

#include <hueicons/icon.h>

#include <hue/handles.h>

IconObj::IconObj() : iconHandle(nullptr) {}

IconObj::IconObj(HICON hIcon) : iconHandle(hIcon) {}

IconObj::~IconObj() {
    if (iconHandle != nullptr)
        ::DestroyIcon(iconHandle);
}

void IconObj::assign(HICON hIcon) {
    if (iconHandle != nullptr && iconHandle != hIcon)
        ::DestroyIcon(iconHandle);
    iconHandle = hIcon;
}

HICON IconObj::detach() {
    HICON held = iconHandle;
    iconHandle = nullptr;
    return held;
}

bool IconObj::getInfo(ICONINFO& info) {
    return iconHandle != nullptr && ::GetIconInfo(iconHandle, &info) != FALSE;
}

bool IconObj::replace(ICONINFO& info) {
    assign(nullptr);
    iconHandle = ::CreateIconIndirect(&info);
    return iconHandle != nullptr;
}

HICON IconObj::handle() const {
    return iconHandle;
}

IconModder::IconModder(HICON hIcon) : icon(hIcon), maskRop(0x006116C6), paintRop(SRCAND) {}

IconModder::~IconModder() {
    icon.detach();
}

void IconModder::setRop(DWORD mask, DWORD paint) {
    maskRop = mask;
    paintRop = paint;
}

void IconModder::label(COLORREF color) {
    ICONINFO info{};
    if (!icon.getInfo(info))
        return;
    // The bitmaps that GetIconInfo made are ours to delete.
    const hue::UniqueBitmap colorBits(info.hbmColor), maskBits(info.hbmMask);
    tint(info, color);
    icon.replace(info);
}

HICON IconModder::handle() const {
    return icon.handle();
}

void IconModder::tint(ICONINFO& info, COLORREF color) const {
    if (info.hbmColor == nullptr)
        return; // a mask-only icon has nothing to tint
    BITMAP bitmap{};
    if (::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap) == 0)
        return;
    const int w = bitmap.bmWidth;
    const int h = bitmap.bmHeight;

    const hue::WindowDc screen;
    const hue::UniqueMemoryDc work(::CreateCompatibleDC(screen.get()));
    const hue::UniqueBitmap workBits(::CreateCompatibleBitmap(screen.get(), w, h));
    const hue::UniqueMemoryDc mask(::CreateCompatibleDC(screen.get()));
    const hue::UniqueMemoryDc colour(::CreateCompatibleDC(nullptr));
    if (!work || !workBits || !mask || !colour)
        return;
    // The guards select the previous bitmaps back before the DCs and the
    // work bitmap go.
    const hue::SelectGuard workSelected(work.get(), workBits.get());
    {
        const RECT all{0, 0, w, h};
        const hue::UniqueBrush brush(::CreateSolidBrush(color));
        ::FillRect(work.get(), &all, brush.get());
    }
    const hue::SelectGuard maskSelected(mask.get(), info.hbmMask);
    const hue::SelectGuard colourSelected(colour.get(), info.hbmColor);
    // The work DC keeps its default white brush: the pattern of maskRop.
    ::BitBlt(work.get(), 0, 0, w, h, mask.get(), 0, 0, maskRop);
    ::BitBlt(colour.get(), 0, 0, w, h, work.get(), 0, 0, paintRop);
}
