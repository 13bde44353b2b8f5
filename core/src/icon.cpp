#include <windows.h>

#include <huecore/imaging.h>

#include <hue/handles.h>

#include "dib.h"
#include "errors.h"
#include "ico_format.h"
#include "png_tint.h"
#include "resources.h"

#include <cstring>
#include <stdexcept>

using huecore::IconImage;
using huecore::ImageKind;

namespace {

// The whole content of a file; winerror when it cannot be read completely.
std::vector<std::uint8_t> readWholeFile(const char* path) {
    hue::UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        throw winerror();
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size))
        throw winerror();
    // No icon comes near this size; refuse rather than allocate it.
    if (size.QuadPart > 0x7FFFFFFF)
        throw winerror(ERROR_INVALID_DATA);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        throw winerror();
    if (got != bytes.size())
        throw winerror(ERROR_INVALID_DATA);
    return bytes;
}

// Tints the colour rows of a 32-bit bitmap image in memory, so that the
// alpha byte of every pixel stays as it is.
void tintInMemory(IconImage& image, COLORREF colour, BYTE strength) {
    const huecore::BitmapLayout& layout = image.layout();
    BYTE* data = image.mutableData();
    huecore::tintThroughMask(data + layout.xorOffset, layout.width, layout.height, false, colour,
                             strength, data + layout.maskOffset);
}

// Tints a bitmap image through a screen-compatible bitmap: the picture comes
// back in the image's own format (a colour table is filled in anew and the
// pixels mapped to it).
void tintThroughScreen(IconImage& image, COLORREF colour, BYTE strength) {
    const huecore::BitmapLayout& layout = image.layout();
    BYTE* data = image.mutableData();
    const int w = layout.width;
    const int h = layout.height;

    // The header and colour table with the height of the colour rows alone,
    // in storage big enough for the largest table the system may fill in.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) +
                           layout.colorTableBytes);
    std::memcpy(info.data(), data, sizeof(BITMAPINFOHEADER) + layout.colorTableBytes);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biHeight = h;

    huecore::Dib dib;
    dib.assign(header, data + layout.xorOffset);

    const hue::WindowDc screen;
    if (!screen)
        throw winerror();
    const hue::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const hue::UniqueBitmap canvas(::CreateCompatibleBitmap(screen.get(), w, h));
    if (!memory || !canvas)
        throw winerror();
    {
        const hue::SelectGuard selected(memory.get(), canvas.get());
        dib.makeSection(memory.get());
        dib.tint(colour, strength, data + layout.maskOffset);
        dib.draw(memory.get(), 0, 0, w, h, SRCCOPY);
    }
    dib.clear();

    // Into separate rows first: only as many bytes as the image holds are
    // copied back, whatever the system writes.
    // A failure leaves the image as it was.
    std::vector<BYTE> rows(layout.xorBytes());
    if (::GetDIBits(memory.get(), canvas.get(), 0, static_cast<UINT>(h), rows.data(),
                    reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS) != h)
        return;
    std::memcpy(data + layout.xorOffset, rows.data(), rows.size());
    std::memcpy(data + sizeof(BITMAPINFOHEADER), info.data() + sizeof(BITMAPINFOHEADER),
                layout.colorTableBytes);
}

} // namespace

Icon::Icon(const char* icoPath) {
    const std::vector<std::uint8_t> bytes = readWholeFile(icoPath);
    if (!huecore::parseIcoFile(bytes.data(), bytes.size(), images_))
        throw winerror(ERROR_INVALID_DATA);
}

Icon::Icon(const char* modulePath, int index) {
    const huecore::ResourceModule module(modulePath);
    // A negative position, taken as unsigned, lies beyond every group.
    const huecore::ResourceName name = module.nameAt(RT_GROUP_ICON, static_cast<unsigned>(index));
    const huecore::ResourceItem group(module, name.get(), RT_GROUP_ICON);
    std::vector<std::uint16_t> ids;
    if (!huecore::parseIconGroup(static_cast<const std::uint8_t*>(group.lock()), group.size(), ids))
        throw winerror(ERROR_INVALID_DATA);
    for (const std::uint16_t id : ids) {
        const huecore::ResourceItem item(module, MAKEINTRESOURCEA(id), RT_ICON);
        const DWORD size = item.size();
        const auto* start = static_cast<const std::uint8_t*>(size != 0 ? item.lock() : nullptr);
        try {
            images_.emplace_back(std::vector<std::uint8_t>(start, start + size));
        } catch (const std::invalid_argument&) {
            throw winerror(ERROR_INVALID_DATA);
        }
    }
}

Icon::~Icon() = default;

int Icon::imageCount() const {
    return static_cast<int>(images_.size());
}

void Icon::tint(unsigned long colour, unsigned char strength) {
    for (IconImage& image : images_) {
        switch (image.kind()) {
        case ImageKind::Png:
            image.replace(huecore::tintPng(image.data(), colour, strength));
            break;
        case ImageKind::Bitmap:
            if (image.layout().bitCount == 32)
                tintInMemory(image, colour, strength);
            else
                tintThroughScreen(image, colour, strength);
            break;
        case ImageKind::Other:
            break; // a layout the tint does not handle stays as it is
        }
    }
}

void Icon::write(std::ostream& out) const {
    huecore::writeIcoFile(out, images_);
}

unsigned long Icon::imageOffset(int i) const {
    return huecore::imageOffset(images_, static_cast<std::size_t>(i < 0 ? 0 : i));
}
