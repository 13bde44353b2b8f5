// Tinting of PNG-compressed icon images through the Windows Imaging
// Component.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace huecore {

// A picture of 32-bit pixels: blue, green, red, alpha; top row first.
struct BgraImage {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> pixels;
};

// Decodes a PNG stream; throws winerror when the codec fails.
BgraImage decodePng(const std::vector<std::uint8_t>& png);
// Encodes 32-bit pixels as a PNG stream; throws winerror when the codec
// fails.
std::vector<std::uint8_t> encodePng(const BgraImage& image);

// Decodes a PNG stream to 32-bit BGRA, moves every pixel with non-zero alpha
// toward colour by strength / 256 of the distance (alpha unchanged) and
// encodes the result as PNG again. Throws winerror when a codec call fails.
std::vector<std::uint8_t> tintPng(const std::vector<std::uint8_t>& png, COLORREF colour,
                                  BYTE strength);

} // namespace huecore
