#include "capture/bmp_codec.h"

#include <algorithm>

namespace tavimo::capture {

namespace {

constexpr uint32_t kInfoHeaderBytes = 40;

constexpr std::array<BmpColor, 2> kMono = {{{0, 0, 0, 0}, {255, 255, 255, 0}}};

// Black, dark red, dark green, dark yellow, dark blue, dark magenta, dark
// cyan, grey, silver, red, green, yellow, blue, magenta, cyan, white (as BGR).
constexpr std::array<BmpColor, 16> kSixteen = {{
    {0, 0, 0, 0},
    {0, 0, 128, 0},
    {0, 128, 0, 0},
    {0, 128, 128, 0},
    {128, 0, 0, 0},
    {128, 0, 128, 0},
    {128, 128, 0, 0},
    {128, 128, 128, 0},
    {192, 192, 192, 0},
    {0, 0, 255, 0},
    {0, 255, 0, 0},
    {0, 255, 255, 0},
    {255, 0, 0, 0},
    {255, 0, 255, 0},
    {255, 255, 0, 0},
    {255, 255, 255, 0},
}};

constexpr std::array<BmpColor, 256> MakeCube() {
    std::array<BmpColor, 256> t{};
    for (int i = 0; i < 256; ++i) {
        int r = (i >> 5) & 7, g = (i >> 2) & 7, b = i & 3;
        t[i] = BmpColor{static_cast<uint8_t>(b * 255 / 3), static_cast<uint8_t>(g * 255 / 7),
                        static_cast<uint8_t>(r * 255 / 7), 0};
    }
    return t;
}
constexpr std::array<BmpColor, 256> kCube = MakeCube();

void Put16(ImageBytes& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(ImageBytes& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}
uint32_t Get32(std::span<const uint8_t> b, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return v;
}

// Pixel bytes of a width x height image, or 0 when out of range.
uint64_t PixelBytes(int64_t width, int64_t height, uint32_t bitsPerPixel) {
    if (height <= 0)
        return 0;
    uint64_t stride = BmpStride(width, bitsPerPixel);
    if (stride == 0 || stride > kMaxBmpPixelBytes)
        return 0;
    uint64_t total = stride * static_cast<uint64_t>(height);  // both below 2^31
    return total > kMaxBmpPixelBytes ? 0 : total;
}

}  // namespace

bool IsSupportedBmpDepth(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

uint64_t BmpStride(int64_t width, uint32_t bitsPerPixel) {
    if (width <= 0 || width > INT32_MAX || !IsSupportedBmpDepth(bitsPerPixel))
        return 0;
    return (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

size_t BmpColorCount(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

std::span<const BmpColor> FixedColorTable(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return kMono;
        case 4:
            return kSixteen;
        case 8:
            return kCube;
        default:
            return {};
    }
}

ImageBytes EncodeBmp(const BitmapImage& image) {
    if (!IsSupportedBmpDepth(image.bitsPerPixel))
        return {};
    uint64_t pixelBytes = PixelBytes(image.width, image.height, image.bitsPerPixel);
    if (pixelBytes == 0 || image.pixels.size() != pixelBytes)
        return {};
    if (image.colors.size() != BmpColorCount(image.bitsPerPixel))
        return {};

    size_t tableBytes = image.colors.size() * 4;
    size_t offset = kBmpHeaderBytes + tableBytes;
    size_t total = offset + static_cast<size_t>(pixelBytes);
    ImageBytes out(total, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(total));
    Put32(out, 10, static_cast<uint32_t>(offset));
    Put32(out, 14, kInfoHeaderBytes);
    Put32(out, 18, static_cast<uint32_t>(image.width));
    Put32(out, 22, static_cast<uint32_t>(image.height));
    Put16(out, 26, 1);
    Put16(out, 28, image.bitsPerPixel);
    for (size_t i = 0; i < image.colors.size(); ++i) {
        const BmpColor& c = image.colors[i];
        size_t at = kBmpHeaderBytes + 4 * i;
        out[at] = c.blue;
        out[at + 1] = c.green;
        out[at + 2] = c.red;
        out[at + 3] = 0;
    }
    std::copy(image.pixels.begin(), image.pixels.end(),
              out.begin() + static_cast<ptrdiff_t>(offset));
    return out;
}

std::optional<BitmapImage> DecodeBmp(std::span<const uint8_t> bytes) {
    if (bytes.size() < kBmpHeaderBytes)
        return std::nullopt;
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    if (Get32(bytes, 2) != bytes.size())
        return std::nullopt;
    if (Get16(bytes, 6) != 0 || Get16(bytes, 8) != 0)
        return std::nullopt;
    if (Get32(bytes, 14) != kInfoHeaderBytes)
        return std::nullopt;
    int32_t width = static_cast<int32_t>(Get32(bytes, 18));
    int32_t height = static_cast<int32_t>(Get32(bytes, 22));
    if (Get16(bytes, 26) != 1)
        return std::nullopt;
    uint32_t bits = Get16(bytes, 28);
    if (!IsSupportedBmpDepth(bits))
        return std::nullopt;
    // Compression, image size, resolution and colour counts: the layout has
    // none, and a colour count would change the table's size.
    for (size_t i = 30; i < kBmpHeaderBytes; ++i) {
        if (bytes[i] != 0)
            return std::nullopt;
    }
    uint64_t pixelBytes = PixelBytes(width, height, bits);
    if (pixelBytes == 0)
        return std::nullopt;
    size_t colorCount = BmpColorCount(bits);
    uint64_t offset = kBmpHeaderBytes + 4 * colorCount;
    if (Get32(bytes, 10) != offset)
        return std::nullopt;
    if (offset + pixelBytes != bytes.size())
        return std::nullopt;

    BitmapImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = static_cast<uint16_t>(bits);
    image.colors.reserve(colorCount);
    for (size_t i = 0; i < colorCount; ++i) {
        size_t at = kBmpHeaderBytes + 4 * i;
        if (bytes[at + 3] != 0)
            return std::nullopt;
        image.colors.push_back(BmpColor{bytes[at], bytes[at + 1], bytes[at + 2], 0});
    }
    auto pixels = bytes.subspan(static_cast<size_t>(offset));
    image.pixels.assign(pixels.begin(), pixels.end());
    return image;
}

}  // namespace tavimo::capture
