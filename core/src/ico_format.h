// The .ico file format and the icon group resource, byte by byte. Free of
// system calls, so that it can be checked and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

namespace huecore {

#pragma pack(push, 1)
// The start of an .ico file.
struct IcoHeader {
    std::uint16_t reserved; // 0
    std::uint16_t type;     // 1 for icons
    std::uint16_t count;    // number of images
};
// One image's entry in an .ico file's directory.
struct IcoDirEntry {
    std::uint8_t width;  // 0 means 256
    std::uint8_t height; // 0 means 256
    std::uint8_t colorCount;
    std::uint8_t reserved;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t bytesInRes;
    std::uint32_t imageOffset; // from the start of the file
};
// One image's entry in an icon group resource (RT_GROUP_ICON).
struct GroupDirEntry {
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t colorCount;
    std::uint8_t reserved;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t bytesInRes;
    std::uint16_t id; // of the image's RT_ICON resource
};
#pragma pack(pop)
static_assert(sizeof(IcoHeader) == 6, "ico header is 6 bytes");
static_assert(sizeof(IcoDirEntry) == 16, "ico directory entry is 16 bytes");
static_assert(sizeof(GroupDirEntry) == 14, "group directory entry is 14 bytes");

// Where the parts of a bitmap image lie in its data: a 40-byte
// BITMAPINFOHEADER whose height counts colour and mask rows, the colour
// table, the colour (XOR) rows, the AND mask rows; all rows bottom-up and
// padded to 4 bytes.
struct BitmapLayout {
    std::int32_t width;  // pixels
    std::int32_t height; // pixels: half the header's height
    std::uint16_t bitCount;
    std::size_t colorTableBytes; // at offset 40
    std::size_t rowBytes;
    std::size_t xorOffset;
    std::size_t maskOffset;
    std::size_t maskRowBytes;

    std::size_t xorBytes() const { return rowBytes * static_cast<std::size_t>(height); }
    std::size_t maskBytes() const { return maskRowBytes * static_cast<std::size_t>(height); }
};

// What the tint makes of an image.
enum class ImageKind {
    Png,    // PNG-compressed
    Bitmap, // a bitmap of a layout the tint handles
    Other,  // anything else: kept byte for byte
};

// Classifies image data. False when the data is malformed: too short for
// its header or PNG signature and header chunk, or a bitmap header that
// claims more colour or mask bytes than the data holds. layout is filled for
// ImageKind::Bitmap.
bool classifyImage(const std::uint8_t* data, std::size_t size, ImageKind& kind,
                   BitmapLayout& layout);

// The width and height of a PNG stream (from its header chunk); false when
// it is no PNG.
bool pngSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
             std::uint32_t& height);

// One image of an icon: its raw bytes as an .ico file or an RT_ICON
// resource stores them, and its size in pixels as the directory gives it.
class IconImage {
public:
    // Checks the data (see classifyImage); throws std::invalid_argument when
    // it is malformed.
    IconImage(std::vector<std::uint8_t> data, std::int32_t width, std::int32_t height);
    // The size is taken from the data: the bitmap header (height halved) or
    // the PNG header chunk.
    explicit IconImage(std::vector<std::uint8_t> data);
    virtual ~IconImage();
    IconImage(const IconImage&) = default;
    IconImage& operator=(const IconImage&) = default;
    IconImage(IconImage&&) = default;
    IconImage& operator=(IconImage&&) = default;

    std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    ImageKind kind() const { return kind_; }
    // Valid for ImageKind::Bitmap.
    const BitmapLayout& layout() const { return layout_; }
    const std::vector<std::uint8_t>& data() const { return data_; }
    // The colour rows and colour table may be changed in place; the layout
    // must stay as it is.
    std::uint8_t* mutableData() { return data_.data(); }
    // Replaces the image (after a re-encoding); its size is taken from the
    // new data.
    void replace(std::vector<std::uint8_t> data);

    // The directory entry's planes, bit count and colour count.
    std::uint16_t planes() const;
    std::uint16_t bitCount() const;
    std::uint8_t colorCount() const;

    void writeEntry(std::ostream& out, std::uint32_t offset) const;
    // All the bytes, with a bitmap header's biSizeImage written as 0.
    void writeData(std::ostream& out) const;

private:
    void classify();

    std::vector<std::uint8_t> data_;
    std::int32_t width_;
    std::int32_t height_;
    ImageKind kind_ = ImageKind::Other;
    BitmapLayout layout_{};
};

// The images of an .ico file. False when the file is malformed: a header
// other than reserved 0 and type 1, a directory or image outside the file,
// or image data that classifyImage rejects.
bool parseIcoFile(const std::uint8_t* bytes, std::size_t size, std::vector<IconImage>& images);

// The RT_ICON identifiers of an icon group resource. False when the group
// is shorter than its count of entries says.
bool parseIconGroup(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint16_t>& ids);

// Where image i's data lies in the written file.
std::uint32_t imageOffset(const std::vector<IconImage>& images, std::size_t i);

// Writes the images as an .ico file: header, directory, data in list order.
void writeIcoFile(std::ostream& out, const std::vector<IconImage>& images);

} // namespace huecore
