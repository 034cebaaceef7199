// Clipboard contents as other programs place them, written and read back with
// the plain Windows calls, for the snapshot and the end-to-end tests.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "capture/bmp_codec.h"
#include "capture/clipboard_bitmap_win32.h"
#include "win32/clipboard_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::clipboard_fixtures {

using Bytes = std::vector<uint8_t>;

struct Format {
    UINT id;
    Bytes bytes;
};

inline UINT Registered(const wchar_t* name) {
    return ::RegisterClipboardFormatW(name);
}

// Replaces the clipboard by these memory blocks, in this order.
inline void PutBlocks(const std::vector<Format>& formats) {
    ASSERT_TRUE(::OpenClipboard(win32::ClipboardOwner()));
    ::EmptyClipboard();
    for (const Format& f : formats) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, f.bytes.size());
        std::memcpy(::GlobalLock(h), f.bytes.data(), f.bytes.size());
        ::GlobalUnlock(h);
        EXPECT_NE(::SetClipboardData(f.id, h), nullptr) << f.id;
    }
    ::CloseClipboard();
}

// The whole block of one format; {9, 9, 9} when the clipboard is busy.
inline Bytes Block(UINT format) {
    Bytes out;
    if (!::OpenClipboard(win32::ClipboardOwner()))
        return {9, 9, 9};
    if (HANDLE h = ::GetClipboardData(format)) {
        const uint8_t* p = static_cast<const uint8_t*>(::GlobalLock(h));
        if (p)
            out.assign(p, p + ::GlobalSize(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return out;
}

// The marks a restore adds for clipboard history and monitors.
inline bool IsMark(UINT f) {
    return f == Registered(L"ExcludeClipboardContentFromMonitorProcessing") ||
           f == Registered(L"CanIncludeInClipboardHistory") ||
           f == Registered(L"CanUploadToCloudClipboard");
}

inline std::vector<UINT> Formats(bool withMarks = false) {
    std::vector<UINT> out;
    if (!::OpenClipboard(win32::ClipboardOwner()))
        return out;
    for (UINT f = ::EnumClipboardFormats(0); f; f = ::EnumClipboardFormats(f)) {
        if (withMarks || !IsMark(f))
            out.push_back(f);
    }
    ::CloseClipboard();
    return out;
}

inline Bytes Wide(const std::wstring& s) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(s.c_str());
    return Bytes(p, p + (s.size() + 1) * sizeof(wchar_t));
}

inline Bytes Ascii(const std::string& s) {
    return Bytes(s.begin(), s.end() + 1);
}

// A CF_DIB block with a palette of its own, unlike any fixed table, and
// varied pixels.
inline Bytes Dib(uint16_t bits, int32_t w, int32_t h) {
    size_t colors = capture::BmpColorCount(bits);
    size_t stride = static_cast<size_t>(capture::BmpStride(w, bits));
    Bytes out(sizeof(BITMAPINFOHEADER) + colors * 4 + stride * h);
    BITMAPINFOHEADER hdr{};
    hdr.biSize = sizeof hdr;
    hdr.biWidth = w;
    hdr.biHeight = h;
    hdr.biPlanes = 1;
    hdr.biBitCount = bits;
    hdr.biCompression = BI_RGB;
    std::memcpy(out.data(), &hdr, sizeof hdr);
    for (size_t i = sizeof hdr; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(i * 29 + bits);
    for (size_t c = 0; c < colors; ++c)
        out[sizeof hdr + 4 * c + 3] = 0;
    return out;
}

// A bitmap of the depth: a monochrome DDB for 1 bit, a DIB section otherwise.
inline win32::UniqueBitmap MakeBitmap(uint16_t bits, int32_t w, int32_t h) {
    if (bits == 1) {
        std::vector<uint8_t> rows(static_cast<size_t>((w + 15) / 16 * 2 * h), 0xA5);
        return win32::UniqueBitmap(::CreateBitmap(w, h, 1, 1, rows.data()));
    }
    capture::BitmapImage img;
    img.width = w;
    img.height = h;
    img.bitsPerPixel = bits;
    auto table = capture::FixedColorTable(bits);
    img.colors.assign(table.begin(), table.end());
    img.pixels.assign(static_cast<size_t>(capture::BmpStride(w, bits) * h), 0x3C);
    return capture::BitmapFromImageBytes(capture::EncodeBmp(img));
}

// Replaces the clipboard by the bitmap alone, as CF_BITMAP.
inline void PutBitmapOnly(uint16_t bits, int32_t w, int32_t h) {
    win32::UniqueBitmap bitmap = MakeBitmap(bits, w, h);
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(::OpenClipboard(win32::ClipboardOwner()));
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_BITMAP, bitmap.get()), nullptr);
    bitmap.release();
    ::CloseClipboard();
}

inline BITMAP ClipboardBitmapInfo() {
    BITMAP bm{};
    if (!::OpenClipboard(win32::ClipboardOwner()))
        return bm;
    if (HANDLE h = ::GetClipboardData(CF_BITMAP))
        ::GetObjectW(h, sizeof bm, &bm);
    ::CloseClipboard();
    return bm;
}

}  // namespace tavimo::clipboard_fixtures
