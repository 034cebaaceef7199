#include "capture/clipboard_bitmap_win32.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "win32/clipboard_win32.h"

namespace tavimo::capture {

namespace {

// BITMAPINFO with room for the largest colour table.
struct InfoWithTable {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

void FillInfo(InfoWithTable& info, int32_t width, int32_t height, uint16_t bits,
              std::span<const BmpColor> colors) {
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = bits;
    info.header.biCompression = BI_RGB;
    for (size_t i = 0; i < colors.size() && i < 256; ++i) {
        info.colors[i] = RGBQUAD{colors[i].blue, colors[i].green, colors[i].red, 0};
    }
}

}  // namespace

ImageBytes ImageBytesFromBitmap(HBITMAP bitmap) {
    if (!bitmap)
        return {};
    BITMAP bm{};
    if (::GetObjectW(bitmap, sizeof bm, &bm) == 0)
        return {};
    uint32_t bits = static_cast<uint32_t>(bm.bmBitsPixel) * bm.bmPlanes;
    int32_t width = bm.bmWidth;
    int32_t height = std::abs(bm.bmHeight);
    if (!IsSupportedBmpDepth(bits))
        return {};
    uint64_t stride = BmpStride(width, bits);
    if (stride == 0 || height <= 0 || stride * height > kMaxBmpPixelBytes)
        return {};

    win32::UniqueDc source(::CreateCompatibleDC(nullptr));
    win32::UniqueDc target(::CreateCompatibleDC(nullptr));
    if (!source || !target)
        return {};
    // Fails when another device context holds the bitmap.
    win32::SelectGuard selectSource(source.get(), bitmap);
    if (!selectSource.ok())
        return {};

    BitmapImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = static_cast<uint16_t>(bits);
    auto table = FixedColorTable(bits);
    image.colors.assign(table.begin(), table.end());

    InfoWithTable info;
    FillInfo(info, width, height, image.bitsPerPixel, table);
    void* pixels = nullptr;
    win32::UniqueBitmap section(::CreateDIBSection(
        target.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!section || !pixels)
        return {};
    {
        win32::SelectGuard selectTarget(target.get(), section.get());
        if (!selectTarget.ok())
            return {};
        if (!::BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY))
            return {};
        ::GdiFlush();
        const uint8_t* p = static_cast<const uint8_t*>(pixels);
        image.pixels.assign(p, p + stride * height);
    }
    return EncodeBmp(image);
}

win32::UniqueBitmap BitmapFromImageBytes(std::span<const uint8_t> bytes) {
    std::optional<BitmapImage> image = DecodeBmp(bytes);
    if (!image)
        return {};
    InfoWithTable info;
    FillInfo(info, image->width, image->height, image->bitsPerPixel, image->colors);
    void* pixels = nullptr;
    win32::UniqueBitmap section(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                                   DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!section || !pixels)
        return {};
    std::memcpy(pixels, image->pixels.data(), image->pixels.size());
    ::GdiFlush();
    return section;
}

ImageBytes SaveClipboardBitmap() {
    win32::ClipboardSession session;
    if (!session.open())
        return {};
    // Read while the clipboard is open: its owner could replace it otherwise.
    return ImageBytesFromBitmap(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)));
}

bool RestoreClipboardBitmap(std::span<const uint8_t> bytes) {
    win32::UniqueBitmap bitmap;
    if (!bytes.empty()) {
        bitmap = BitmapFromImageBytes(bytes);
        if (!bitmap)
            return false;
    }
    win32::ClipboardSession session;
    if (!session.open())
        return false;
    ::EmptyClipboard();
    if (!bitmap)
        return true;
    if (!::SetClipboardData(CF_BITMAP, bitmap.get()))
        return false;
    bitmap.release();  // the clipboard owns it now
    return true;
}

}  // namespace tavimo::capture
