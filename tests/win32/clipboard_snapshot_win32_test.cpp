// The snapshot against the real clipboard: what other programs put there
// (written and read back with plain Windows calls) must come back unchanged.
#include "win32/clipboard_snapshot_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "capture/bmp_codec.h"
#include "capture/clipboard_bitmap_win32.h"
#include "capture/clipboard_fixtures_win32.h"
#include "text/text.h"
#include "win32/clipboard_win32.h"

namespace tavimo::win32 {
namespace {

using namespace clipboard_fixtures;

// Takes, lets a "capture" replace the clipboard, restores.
void RoundTrip() {
    auto snapshot = ClipboardSnapshot::Take();
    ASSERT_TRUE(snapshot.has_value());
    ASSERT_TRUE(SetClipboardText(Text("captured")));
    ASSERT_TRUE(snapshot->Restore());
}

void ExpectBlocksBack(const std::vector<Format>& formats) {
    std::vector<UINT> before = Formats();
    RoundTrip();
    for (const Format& f : formats)
        EXPECT_EQ(Block(f.id), f.bytes) << "format " << f.id;
    EXPECT_EQ(Formats(), before);
}

TEST(ClipboardSnapshot, UnicodeTextOutsideCodePage936) {
    // Thai, an emoji (a surrogate pair) and an accented Latin letter.
    std::vector<Format> f = {{CF_UNICODETEXT, Wide(L"\u0E01\u0E02 \U0001F600 \u00E9t\u00E9")}};
    PutBlocks(f);
    ExpectBlocksBack(f);
}

TEST(ClipboardSnapshot, HtmlAndPrivateBytesBesideText) {
    std::string html =
        "Version:0.9\r\nStartHTML:0000000097\r\nEndHTML:0000000170\r\n"
        "<html><body><!--StartFragment--><b>\xE7\xAD\x94</b><!--EndFragment--></body></html>";
    Bytes binary = {0, 1, 2, 0, 255, 254, 0, 7, 0};  // odd size, zeros inside
    std::vector<Format> f = {{Registered(L"HTML Format"), Ascii(html)},
                             {CF_UNICODETEXT, Wide(L"plain \u7B54")},
                             {Registered(L"Tavimo Test Binary"), binary}};
    PutBlocks(f);
    ExpectBlocksBack(f);
}

class DibDepth : public testing::TestWithParam<uint16_t> {};

TEST_P(DibDepth, ComesBackByteForByte) {
    std::vector<Format> f = {{CF_DIB, Dib(GetParam(), 13, 5)}};
    PutBlocks(f);
    ExpectBlocksBack(f);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepth, testing::Values(1, 4, 8, 16, 24, 32));

class BitmapOnly : public testing::TestWithParam<uint16_t> {};

TEST_P(BitmapOnly, SameSizeAndDepth) {
    PutBitmapOnly(GetParam(), 21, 9);
    BITMAP before = ClipboardBitmapInfo();
    ASSERT_EQ(before.bmBitsPixel, GetParam());

    RoundTrip();
    BITMAP after = ClipboardBitmapInfo();
    EXPECT_EQ(after.bmWidth, 21);
    EXPECT_EQ(after.bmHeight, 9);
    EXPECT_EQ(after.bmBitsPixel * after.bmPlanes, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapOnly, testing::Values(1, 8, 24, 32));

TEST(ClipboardSnapshot, EnhancedMetafileComesBack) {
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::Rectangle(dc, 1, 2, 30, 40);
    HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
    std::vector<uint8_t> bits(::GetEnhMetaFileBits(emf, 0, nullptr));
    ::GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    ASSERT_TRUE(::OpenClipboard(ClipboardOwner()));
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_ENHMETAFILE, emf), nullptr);
    ::CloseClipboard();

    RoundTrip();
    ASSERT_TRUE(::OpenClipboard(ClipboardOwner()));
    HENHMETAFILE back = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    std::vector<uint8_t> backBits(back ? ::GetEnhMetaFileBits(back, 0, nullptr) : 0);
    if (back)
        ::GetEnhMetaFileBits(back, static_cast<UINT>(backBits.size()), backBits.data());
    ::CloseClipboard();
    EXPECT_EQ(backBits, bits);
}

TEST(ClipboardSnapshot, RestoreIsMarkedForHistoryAndMonitors) {
    PutBlocks({{CF_UNICODETEXT, Wide(L"marked")}});
    RoundTrip();
    std::vector<UINT> all = Formats(true);
    for (const wchar_t* name : {L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        EXPECT_NE(std::find(all.begin(), all.end(), Registered(name)), all.end()) << name;
    }
    EXPECT_EQ(Block(Registered(L"CanIncludeInClipboardHistory")), (Bytes{0, 0, 0, 0}));
}

TEST(ClipboardSnapshot, EmptyClipboardComesBackEmpty) {
    ASSERT_TRUE(::OpenClipboard(ClipboardOwner()));
    ::EmptyClipboard();
    ::CloseClipboard();
    auto snapshot = ClipboardSnapshot::Take();
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_TRUE(snapshot->empty());
    ASSERT_TRUE(SetClipboardText(Text("captured")));
    ASSERT_TRUE(snapshot->Restore());
    EXPECT_TRUE(Formats(true).empty());
}

TEST(ClipboardSnapshot, OverTheCapNothingIsTaken) {
    PutBlocks({{Registered(L"Tavimo Test Binary"), Bytes(4096, 1)}});
    EXPECT_FALSE(ClipboardSnapshot::Take(4095).has_value());
    EXPECT_TRUE(ClipboardSnapshot::Take(4096).has_value());
}

TEST(ClipboardSnapshot, SequenceNumberTellsACopy) {
    PutBlocks({{CF_UNICODETEXT, Wide(L"seq")}});
    auto snapshot = ClipboardSnapshot::Take();
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(snapshot->sequence(), ::GetClipboardSequenceNumber());
    ASSERT_TRUE(SetClipboardText(Text("copy")));
    EXPECT_NE(snapshot->sequence(), ::GetClipboardSequenceNumber());
}

// Another thread holds the clipboard open: a take fails at once, a restore
// waits for it.
TEST(ClipboardSnapshot, BusyClipboard) {
    PutBlocks({{CF_UNICODETEXT, Wide(L"before")}});
    auto snapshot = ClipboardSnapshot::Take();
    ASSERT_TRUE(snapshot.has_value());
    ASSERT_TRUE(SetClipboardText(Text("captured")));

    std::atomic<bool> opened{false};
    std::thread holder([&] {
        HWND w = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr);
        if (::OpenClipboard(w)) {
            opened = true;
            ::Sleep(300);
            ::CloseClipboard();
        }
        opened = true;
        ::DestroyWindow(w);
    });
    while (!opened)
        ::Sleep(1);
    EXPECT_FALSE(ClipboardSnapshot::Take().has_value());
    EXPECT_TRUE(snapshot->Restore());
    holder.join();
    EXPECT_EQ(Block(CF_UNICODETEXT), Wide(L"before"));
}

TEST(ClipboardBitmap, SaveAndRestoreKeepThePixels) {
    capture::BitmapImage img;
    img.width = 6;
    img.height = 4;
    img.bitsPerPixel = 24;
    img.pixels.resize(static_cast<size_t>(capture::BmpStride(6, 24) * 4));
    for (size_t i = 0; i < img.pixels.size(); ++i)
        img.pixels[i] = static_cast<uint8_t>(i * 7);
    for (int row = 0; row < 4; ++row) {  // padding bytes stay zero
        for (int pad = 18; pad < 20; ++pad)
            img.pixels[row * 20 + pad] = 0;
    }
    capture::ImageBytes bytes = capture::EncodeBmp(img);
    ASSERT_TRUE(capture::RestoreClipboardBitmap(bytes));
    EXPECT_EQ(capture::SaveClipboardBitmap(), bytes);
}

TEST(ClipboardBitmap, EightBitsUseTheFixedTable) {
    UniqueBitmap bitmap = MakeBitmap(8, 5, 5);
    capture::ImageBytes bytes = capture::ImageBytesFromBitmap(bitmap.get());
    auto image = capture::DecodeBmp(bytes);
    ASSERT_TRUE(image.has_value());
    auto table = capture::FixedColorTable(8);
    EXPECT_TRUE(std::equal(image->colors.begin(), image->colors.end(), table.begin(), table.end()));
    EXPECT_EQ(image->pixels[0], 0x3C);
}

TEST(ClipboardBitmap, EmptyBytesEmptyTheClipboard) {
    ASSERT_TRUE(SetClipboardText(Text("x")));
    EXPECT_TRUE(capture::RestoreClipboardBitmap({}));
    EXPECT_TRUE(Formats(true).empty());
    EXPECT_TRUE(capture::SaveClipboardBitmap().empty());
    EXPECT_FALSE(capture::RestoreClipboardBitmap(capture::ImageBytes{'B', 'M'}));
}

}  // namespace
}  // namespace tavimo::win32
