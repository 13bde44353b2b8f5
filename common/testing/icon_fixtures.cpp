#include "huetest/icon_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace huetest {

void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint16_t get16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

std::uint32_t get32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

Bytes bitmapImage(int size, int bits, std::uint8_t fill) {
    const std::size_t entries = bits <= 8 ? std::size_t{1} << bits : 0;
    const std::size_t row = (static_cast<std::size_t>(bits) * size + 31) / 32 * 4;
    const std::size_t maskRow = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    Bytes b(40 + entries * 4 + (row + maskRow) * size, 0);
    put32(b, 0, 40);
    put32(b, 4, static_cast<std::uint32_t>(size));
    put32(b, 8, static_cast<std::uint32_t>(size * 2));
    put16(b, 12, 1);
    put16(b, 14, static_cast<std::uint16_t>(bits));
    put32(b, 20, 0x1234);
    for (std::size_t i = 0; i < entries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (entries - 1));
        b[40 + 4 * i] = b[41 + 4 * i] = b[42 + 4 * i] = grey;
    }
    std::memset(&b[40 + entries * 4], fill, row * size);
    return b;
}

Bytes pngImage(std::uint32_t width, std::uint32_t height) {
    Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (const std::uint32_t v : {width, height})
        for (int i = 3; i >= 0; --i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    for (const std::uint8_t v : {8, 6, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD})
        b.push_back(v);
    return b;
}

Bytes icoFile(const std::vector<Entry>& entries) {
    Bytes b(6 + 16 * entries.size(), 0);
    put16(b, 2, 1);
    put16(b, 4, static_cast<std::uint16_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = 6 + 16 * i;
        b[at] = entries[i].width;
        b[at + 1] = entries[i].height;
        b[at + 3] = 0x77;
        put32(b, at + 8, static_cast<std::uint32_t>(entries[i].data.size()));
        put32(b, at + 12, static_cast<std::uint32_t>(b.size()));
        b.insert(b.end(), entries[i].data.begin(), entries[i].data.end());
    }
    return b;
}

std::vector<IcoImage> readIco(const std::string& file) {
    std::vector<IcoImage> images;
    if (file.size() < 6) {
        ADD_FAILURE() << "no .ico header";
        return images;
    }
    const std::size_t count = get16(file, 4);
    for (std::size_t i = 0; i < count && 6 + 16 * (i + 1) <= file.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = get32(file, entry + 8);
        const std::uint32_t offset = get32(file, entry + 12);
        if (offset > file.size() || size > file.size() - offset) {
            ADD_FAILURE() << "image " << i << " lies outside the file";
            break;
        }
        const int width = static_cast<std::uint8_t>(file[entry]);
        const int height = static_cast<std::uint8_t>(file[entry + 1]);
        images.push_back({width == 0 ? 256 : width, height == 0 ? 256 : height,
                          get16(file, entry + 6), file.substr(offset, size)});
    }
    return images;
}

} // namespace huetest
