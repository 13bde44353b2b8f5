#include "dib.h"

#include <huecore/imaging.h>

#include "errors.h"

#include <cstring>

namespace huecore {

namespace {

constexpr DWORD INFO_HEADER_SIZE = sizeof(BITMAPINFOHEADER);

// Bytes of the colour table that follows a header, by its own kind.
SIZE_T colorTableBytes(const void* header) {
    const auto* info = static_cast<const BITMAPINFOHEADER*>(header);
    if (info->biSize != INFO_HEADER_SIZE) {
        const auto* core = static_cast<const BITMAPCOREHEADER*>(header);
        return core->bcBitCount <= 8 ? (SIZE_T{1} << core->bcBitCount) * sizeof(RGBTRIPLE) : 0;
    }
    if (info->biClrUsed != 0)
        return SIZE_T{info->biClrUsed} * sizeof(RGBQUAD);
    return info->biBitCount <= 8 ? (SIZE_T{1} << info->biBitCount) * sizeof(RGBQUAD) : 0;
}

} // namespace

Dib::~Dib() {
    clear();
}

void Dib::clear() {
    section_.reset();
    palette_.reset();
    block_.reset();
    pixels_ = nullptr;
    sectionWidth_ = 0;
    sectionHeight_ = 0;
}

void Dib::assign(const BITMAPINFOHEADER* header, const void* rows) {
    clear();
    const SIZE_T headerBytes = INFO_HEADER_SIZE + colorTableBytes(header);
    const SIZE_T rowBytes = (SIZE_T{header->biBitCount} * header->biWidth + 31) / 32 * 4;
    const SIZE_T pixelBytes = rowBytes * static_cast<SIZE_T>(header->biHeight);
    hue::UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, headerBytes + pixelBytes));
    if (!block)
        throwBadAllocation();
    {
        const hue::GlobalLock lock(block.get());
        if (!lock)
            throwBadAllocation();
        auto* bytes = static_cast<BYTE*>(lock.get());
        std::memcpy(bytes, header, headerBytes);
        std::memcpy(bytes + headerBytes, rows, pixelBytes);
    }
    block_ = std::move(block);
}

namespace {

// The width and height of the block's header, either kind.
SIZE blockSize(HGLOBAL block) {
    const hue::GlobalLock lock(block);
    if (!lock)
        return {0, 0};
    const auto* info = static_cast<const BITMAPINFOHEADER*>(lock.get());
    if (info->biSize == INFO_HEADER_SIZE)
        return {info->biWidth, info->biHeight};
    const auto* core = static_cast<const BITMAPCOREHEADER*>(lock.get());
    return {core->bcWidth, core->bcHeight};
}

} // namespace

int Dib::width() const {
    return blockSize(block_.get()).cx;
}

int Dib::height() const {
    return blockSize(block_.get()).cy;
}

const void* Dib::bits() const {
    const hue::GlobalLock lock(block_.get());
    if (!lock)
        return nullptr;
    // The block stays where it is while nobody locks it: a movable block
    // moves only on a reallocation, which this class never asks for.
    const auto* start = static_cast<const BYTE*>(lock.get());
    const DWORD headerSize = *reinterpret_cast<const DWORD*>(start);
    return start + headerSize + colorTableBytes(start);
}

HBITMAP Dib::toDeviceBitmap() const {
    const hue::GlobalLock lock(block_.get());
    if (!lock)
        throw winerror();
    const hue::WindowDc screen;
    if (!screen)
        throw winerror();
    HBITMAP bitmap;
    {
        const hue::PaletteGuard palette(screen.get(), palette_.get());
        const auto* header = static_cast<const BITMAPINFOHEADER*>(lock.get());
        bitmap = ::CreateDIBitmap(screen.get(), header, CBM_INIT, bits(),
                                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    }
    if (bitmap == nullptr)
        throw winerror();
    return bitmap;
}

HBITMAP Dib::makeSection(HDC dc) {
    const int w = width();
    const int h = height();
    section_.reset();
    pixels_ = nullptr;
    sectionWidth_ = sectionHeight_ = 0;

    std::memset(&sectionInfo_, 0, sizeof sectionInfo_);
    BITMAPINFOHEADER& header = sectionInfo_.bmiHeader;
    header.biSize = INFO_HEADER_SIZE;
    header.biWidth = w;
    header.biHeight = -h; // top-down rows
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;

    void* pixels = nullptr;
    hue::UniqueBitmap section(
        ::CreateDIBSection(dc, &sectionInfo_, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!section)
        throw winerror();
    const hue::UniqueBitmap picture(toDeviceBitmap());
    ::GetDIBits(dc, picture.get(), 0, static_cast<UINT>(h), pixels, &sectionInfo_, DIB_RGB_COLORS);
    section_ = std::move(section);
    pixels_ = pixels;
    sectionWidth_ = w;
    sectionHeight_ = h;
    return section_.get();
}

void tintThroughMask(BYTE* pixels, int width, int height, bool topDown, COLORREF colour,
                     BYTE strength, const BYTE* mask) {
    const BYTE blue = GetBValue(colour);
    const BYTE green = GetGValue(colour);
    const BYTE red = GetRValue(colour);
    const SIZE_T maskRowBytes = (static_cast<SIZE_T>(width) + 31) / 32 * 4;
    for (int row = 0; row < height; ++row) {
        // The mask's rows run bottom-up: its last row is the picture's top.
        const int maskRow = topDown ? height - 1 - row : row;
        const BYTE* maskBits = mask + maskRowBytes * static_cast<SIZE_T>(maskRow);
        BYTE* pixel = pixels + static_cast<SIZE_T>(row) * static_cast<SIZE_T>(width) * 4;
        for (int column = 0; column < width; ++column, pixel += 4) {
            if (maskBits[column / 8] & (0x80 >> (column % 8)))
                continue;
            pixel[0] = tintComponent(pixel[0], blue, strength);
            pixel[1] = tintComponent(pixel[1], green, strength);
            pixel[2] = tintComponent(pixel[2], red, strength);
        }
    }
}

void Dib::tint(COLORREF colour, BYTE strength, const BYTE* mask) {
    if (pixels_ == nullptr || mask == nullptr)
        return;
    tintThroughMask(static_cast<BYTE*>(pixels_), sectionWidth_, sectionHeight_, true, colour,
                    strength, mask);
}

void Dib::draw(HDC dc, int x, int y, int w, int h, DWORD rop) {
    if (pixels_ == nullptr)
        makeSection(dc);
    if (pixels_ != nullptr)
        ::StretchDIBits(dc, x, y, w, h, 0, 0, w, h, pixels_, &sectionInfo_, DIB_RGB_COLORS, rop);
}

} // namespace huecore
