// Icon images and .ico files built byte by byte for the tests, from the
// format's published layout (independent of the products' own code).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace huetest {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint16_t v);
void put32(Bytes& b, std::size_t at, std::uint32_t v);
std::uint16_t get16(const std::string& b, std::size_t at);
std::uint32_t get32(const std::string& b, std::size_t at);

// An icon image as stored: a 40-byte header (height doubled, biSizeImage
// 0x1234), a grey colour table, colour rows filled with `fill`, AND mask
// rows of zeros (all opaque).
Bytes bitmapImage(int size, int bits, std::uint8_t fill = 0x5A);

// The first bytes of a PNG stream: signature and header chunk (depth 8,
// RGBA). Enough for the format code, not decodable.
Bytes pngImage(std::uint32_t width, std::uint32_t height);

// An .ico file of the given images, directory entries with the given sizes
// and a non-zero reserved byte.
struct Entry {
    Bytes data;
    std::uint8_t width, height;
};
Bytes icoFile(const std::vector<Entry>& entries);

// One image of an .ico file as the file's directory and bytes give it.
struct IcoImage {
    int width, height; // 256 for a 0 byte
    int bitCount;
    std::string data;
};
// The images of an .ico file's bytes; an image outside the bytes fails the
// calling test.
std::vector<IcoImage> readIco(const std::string& file);

} // namespace huetest
