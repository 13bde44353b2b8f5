#include "ico_format.h"

#include <cstring>
#include <ostream>
#include <stdexcept>

namespace huecore {

namespace {

const std::uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the header chunk: length, "IHDR", 13 bytes of data, CRC.
constexpr std::size_t PNG_MIN_SIZE = 8 + 4 + 4 + 13 + 4;

constexpr std::uint32_t BITMAPINFOHEADER_SIZE = 40;
constexpr std::uint32_t BITMAPCOREHEADER_SIZE = 12;
constexpr std::uint32_t BI_RGB_COMPRESSION = 0;
constexpr std::size_t SIZE_IMAGE_OFFSET = 20; // biSizeImage

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint32_t be32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

void put16(std::ostream& out, std::uint16_t value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    out.write(bytes, 2);
}

bool isPng(const std::uint8_t* data, std::size_t size) {
    return size >= sizeof PNG_SIGNATURE && std::memcmp(data, PNG_SIGNATURE, 8) == 0;
}

bool isHandledBitCount(std::uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The layout of a BI_RGB bitmap with a 40-byte header and positive size.
// False when the data is too short for it.
bool measureBitmap(const std::uint8_t* data, std::size_t size, BitmapLayout& layout) {
    const std::int32_t width = static_cast<std::int32_t>(le32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(le32(data + 8)) / 2;
    const std::uint16_t bits = le16(data + 14);
    const std::uint32_t clrUsed = le32(data + 32);

    std::uint64_t tableEntries = clrUsed;
    if (tableEntries == 0 && bits <= 8)
        tableEntries = std::uint64_t{1} << bits;
    const std::uint64_t tableBytes = tableEntries * 4;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(bits) * width + 31) / 32 * 4;
    const std::uint64_t maskRowBytes = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    const std::uint64_t total =
        BITMAPINFOHEADER_SIZE + tableBytes + (rowBytes + maskRowBytes) * height;
    if (total > size)
        return false;

    layout.width = width;
    layout.height = height;
    layout.bitCount = bits;
    layout.colorTableBytes = static_cast<std::size_t>(tableBytes);
    layout.rowBytes = static_cast<std::size_t>(rowBytes);
    layout.xorOffset = static_cast<std::size_t>(BITMAPINFOHEADER_SIZE + tableBytes);
    layout.maskRowBytes = static_cast<std::size_t>(maskRowBytes);
    layout.maskOffset = layout.xorOffset + layout.xorBytes();
    return true;
}

} // namespace

bool pngSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
             std::uint32_t& height) {
    if (!isPng(data, size) || size < PNG_MIN_SIZE || std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    width = be32(data + 16);
    height = be32(data + 20);
    return true;
}

bool classifyImage(const std::uint8_t* data, std::size_t size, ImageKind& kind,
                   BitmapLayout& layout) {
    std::uint32_t pngWidth, pngHeight;
    if (isPng(data, size)) {
        kind = ImageKind::Png;
        return pngSize(data, size, pngWidth, pngHeight);
    }
    if (size < 4)
        return false;
    const std::uint32_t headerSize = le32(data);
    if (headerSize > size || (headerSize != BITMAPCOREHEADER_SIZE && headerSize < 40))
        return false;
    kind = ImageKind::Other;
    if (headerSize != BITMAPINFOHEADER_SIZE)
        return true;

    const std::int32_t width = static_cast<std::int32_t>(le32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(le32(data + 8)) / 2;
    const std::uint16_t planes = le16(data + 12);
    const std::uint16_t bits = le16(data + 14);
    const std::uint32_t compression = le32(data + 16);
    if (compression != BI_RGB_COMPRESSION || planes != 1 || !isHandledBitCount(bits) ||
        width <= 0 || height <= 0)
        return true;
    if (!measureBitmap(data, size, layout))
        return false;
    kind = ImageKind::Bitmap;
    return true;
}

IconImage::IconImage(std::vector<std::uint8_t> data, std::int32_t width, std::int32_t height)
    : data_(std::move(data)), width_(width), height_(height) {
    classify();
}

IconImage::IconImage(std::vector<std::uint8_t> data) : data_(std::move(data)) {
    classify();
    std::uint32_t pngWidth = 0, pngHeight = 0;
    if (kind_ == ImageKind::Png) {
        pngSize(data_.data(), data_.size(), pngWidth, pngHeight);
        width_ = static_cast<std::int32_t>(pngWidth);
        height_ = static_cast<std::int32_t>(pngHeight);
    } else if (le32(data_.data()) == BITMAPINFOHEADER_SIZE) {
        width_ = static_cast<std::int32_t>(le32(data_.data() + 4));
        height_ = static_cast<std::int32_t>(le32(data_.data() + 8)) / 2;
    } else {
        width_ = le16(data_.data() + 4);
        height_ = le16(data_.data() + 6) / 2;
    }
}

IconImage::~IconImage() = default;

void IconImage::classify() {
    if (!classifyImage(data_.data(), data_.size(), kind_, layout_))
        throw std::invalid_argument("malformed icon image");
}

void IconImage::replace(std::vector<std::uint8_t> data) {
    IconImage replacement(std::move(data));
    *this = std::move(replacement);
}

std::uint16_t IconImage::planes() const {
    if (kind_ == ImageKind::Png)
        return 1;
    return le16(data_.data() + (le32(data_.data()) == BITMAPCOREHEADER_SIZE ? 8 : 12));
}

std::uint16_t IconImage::bitCount() const {
    if (kind_ == ImageKind::Png) {
        // Bits per channel times the channels of the PNG colour type.
        static const std::uint8_t channels[7] = {1, 0, 3, 1, 2, 0, 4};
        const std::uint8_t depth = data_[24];
        const std::uint8_t colourType = data_[25];
        return static_cast<std::uint16_t>(colourType < 7 ? depth * channels[colourType] : 0);
    }
    return le16(data_.data() + (le32(data_.data()) == BITMAPCOREHEADER_SIZE ? 10 : 14));
}

std::uint8_t IconImage::colorCount() const {
    const unsigned bits = static_cast<std::uint8_t>(planes() * bitCount());
    return bits <= 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

void IconImage::writeEntry(std::ostream& out, std::uint32_t offset) const {
    IcoDirEntry entry{};
    entry.width = static_cast<std::uint8_t>(width_);
    entry.height = static_cast<std::uint8_t>(height_);
    entry.colorCount = colorCount();
    entry.reserved = 0;
    entry.planes = planes();
    entry.bitCount = bitCount();
    entry.bytesInRes = size();
    entry.imageOffset = offset;
    // The format is little-endian, as is every Windows machine.
    out.write(reinterpret_cast<const char*>(&entry), sizeof entry);
}

void IconImage::writeData(std::ostream& out) const {
    const char* bytes = reinterpret_cast<const char*>(data_.data());
    if (kind_ == ImageKind::Png || le32(data_.data()) < 40) {
        out.write(bytes, static_cast<std::streamsize>(data_.size()));
        return;
    }
    const char zero[4] = {};
    out.write(bytes, SIZE_IMAGE_OFFSET);
    out.write(zero, 4);
    out.write(bytes + SIZE_IMAGE_OFFSET + 4,
              static_cast<std::streamsize>(data_.size() - SIZE_IMAGE_OFFSET - 4));
}

bool parseIcoFile(const std::uint8_t* bytes, std::size_t size, std::vector<IconImage>& images) {
    if (size < sizeof(IcoHeader))
        return false;
    IcoHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.reserved != 0 || header.type != 1)
        return false;
    const std::size_t directoryEnd =
        sizeof header + std::size_t{header.count} * sizeof(IcoDirEntry);
    if (directoryEnd > size)
        return false;

    std::vector<IconImage> parsed;
    parsed.reserve(header.count);
    for (std::size_t i = 0; i < header.count; ++i) {
        IcoDirEntry entry;
        std::memcpy(&entry, bytes + sizeof header + i * sizeof entry, sizeof entry);
        if (entry.imageOffset < directoryEnd || entry.imageOffset > size ||
            entry.bytesInRes > size - entry.imageOffset)
            return false;
        const std::uint8_t* start = bytes + entry.imageOffset;
        try {
            parsed.emplace_back(std::vector<std::uint8_t>(start, start + entry.bytesInRes),
                                entry.width, entry.height);
        } catch (const std::invalid_argument&) {
            return false;
        }
    }
    images = std::move(parsed);
    return true;
}

bool parseIconGroup(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint16_t>& ids) {
    if (size < sizeof(IcoHeader))
        return false;
    const std::uint16_t count = le16(bytes + 4);
    if (sizeof(IcoHeader) + std::size_t{count} * sizeof(GroupDirEntry) > size)
        return false;
    ids.clear();
    for (std::size_t i = 0; i < count; ++i) {
        GroupDirEntry entry;
        std::memcpy(&entry, bytes + sizeof(IcoHeader) + i * sizeof entry, sizeof entry);
        ids.push_back(entry.id);
    }
    return true;
}

std::uint32_t imageOffset(const std::vector<IconImage>& images, std::size_t i) {
    std::uint32_t offset =
        static_cast<std::uint32_t>(sizeof(IcoHeader) + images.size() * sizeof(IcoDirEntry));
    for (std::size_t j = 0; j < i && j < images.size(); ++j)
        offset += images[j].size();
    return offset;
}

void writeIcoFile(std::ostream& out, const std::vector<IconImage>& images) {
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i)
        images[i].writeEntry(out, imageOffset(images, i));
    for (const auto& image : images)
        image.writeData(out);
}

} // namespace huecore
