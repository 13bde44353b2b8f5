// A bitmap held as a packed device-independent bitmap in movable global
// memory, turned into a 32-bit top-down DIB section whose pixels are tinted
// in place and drawn.
#pragma once

#include <windows.h>

#include <hue/handles.h>

namespace huecore {

class Dib {
public:
    Dib() = default;
    virtual ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    // Releases the block, the palette and the section.
    void clear();
    // A copy of a bitmap given as a 40-byte header followed by its colour
    // table, and its pixel rows. Throws bad_alloc ("bad allocation").
    void assign(const BITMAPINFOHEADER* header, const void* rows);

    int width() const;
    int height() const;
    // The pixel rows inside the block; null without a block. The pointer is
    // used at once: the block is movable.
    const void* bits() const;

    // A new screen-compatible bitmap holding the picture; the caller owns it.
    HBITMAP toDeviceBitmap() const;
    // (Re)builds the 32-bit top-down section from the block; the Dib owns it.
    HBITMAP makeSection(HDC dc);
    // Moves every pixel whose bit in the AND mask is 0 toward colour by
    // strength / 256 of the distance; the fourth byte stays.
    void tint(COLORREF colour, BYTE strength, const BYTE* mask);
    // Draws the section (made first if there is none) onto dc.
    void draw(HDC dc, int x, int y, int w, int h, DWORD rop);

    // The section's pixels (blue, green, red, fourth byte), top row first.
    BYTE* sectionPixels() const { return static_cast<BYTE*>(pixels_); }

private:
    hue::UniqueGlobal block_;
    hue::UniquePalette palette_; // no operation attaches one yet
    void* pixels_ = nullptr;
    BITMAPINFO sectionInfo_{};
    hue::UniqueBitmap section_;
    int sectionWidth_ = 0;
    int sectionHeight_ = 0;
};

// Moves one colour component toward its target: (old * (256 - strength) +
// target * strength) / 256, rounded down.
inline BYTE tintComponent(BYTE old, BYTE target, BYTE strength) {
    return static_cast<BYTE>(((target - old) * strength + old * 256) >> 8);
}

// Tints width x height 32-bit pixels (blue, green, red, fourth byte; rows of
// width * 4 bytes, top row first when topDown, else bottom row first)
// through an icon's AND mask (1 bit per pixel, rows padded to 4 bytes,
// bottom-up, leftmost pixel in the high bit; a 1 bit keeps the pixel).
void tintThroughMask(BYTE* pixels, int width, int height, bool topDown, COLORREF colour,
                     BYTE strength, const BYTE* mask);

} // namespace huecore
