// ImageBytes: one complete BMP file image, the byte form a clipboard bitmap is
// kept in while the clipboard is borrowed. The encoder writes exactly one
// layout (54-byte headers, bottom-up rows, fixed colour tables below 16 bits);
// the decoder accepts only that layout and never reads past its input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tavimo::capture {

using ImageBytes = std::vector<uint8_t>;

// One colour-table entry as stored: blue, green, red, 0.
struct BmpColor {
    uint8_t blue = 0, green = 0, red = 0, reserved = 0;
    friend bool operator==(const BmpColor&, const BmpColor&) = default;
};

// An uncompressed device-independent bitmap: rows bottom first, each padded
// to BmpStride bytes.
struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    std::vector<BmpColor> colors;  // 2, 16 or 256 entries below 16 bits, else none
    std::vector<uint8_t> pixels;   // height * BmpStride(width, bitsPerPixel)

    friend bool operator==(const BitmapImage&, const BitmapImage&) = default;
};

inline constexpr size_t kBmpHeaderBytes = 54;
// Larger pixel data is refused either way: no clipboard bitmap worth keeping is
// this big, and the limit keeps every size computation far from overflow.
inline constexpr uint64_t kMaxBmpPixelBytes = 256ull << 20;

bool IsSupportedBmpDepth(uint32_t bitsPerPixel);
// Bytes per row; 0 for an unsupported depth or a width that is not positive.
uint64_t BmpStride(int64_t width, uint32_t bitsPerPixel);
// 2, 16 or 256 entries for 1, 4 and 8 bits, else 0.
size_t BmpColorCount(uint32_t bitsPerPixel);

// The fixed tables: black and white; the 16 standard colours; for 8 bits the
// 3-3-2 cube (red and green in 8 steps, blue in 4), which spreads all 256
// entries evenly over the colour space. Empty for 16 bits and more.
std::span<const BmpColor> FixedColorTable(uint32_t bitsPerPixel);

// Empty when the image is inconsistent (depth, sizes, table, pixel count).
ImageBytes EncodeBmp(const BitmapImage& image);
// nullopt for anything truncated, oversized, inconsistent or not in the
// encoder's layout.
std::optional<BitmapImage> DecodeBmp(std::span<const uint8_t> bytes);

}  // namespace tavimo::capture
