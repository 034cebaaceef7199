// The other side of each case uses the plain Windows calls, so a wrong format
// or code page fails.
#include "win32/clipboard_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "text/codepage.h"

namespace tavimo {
namespace {

void PutRaw(UINT format, const void* bytes, size_t size) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(h), bytes, size);
    ::GlobalUnlock(h);
    ASSERT_NE(::SetClipboardData(format, h), nullptr);
    ::CloseClipboard();
}

std::wstring RawUnicode() {
    std::wstring out;
    if (!::OpenClipboard(nullptr))
        return L"<busy>";
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        out = static_cast<const wchar_t*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return out;
}

std::string RawAnsi(UINT codePage) {
    std::string out;
    if (!::OpenClipboard(nullptr))
        return "<busy>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        out = static_cast<const char*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    (void)codePage;
    return out;
}

TEST(Clipboard, ChineseTextBothWays) {
    Text chinese = FromUtf8("搜索：中文 abc");
    ASSERT_TRUE(SetClipboardText(chinese));
    EXPECT_EQ(RawUnicode(), L"\u641C\u7D22\uFF1A\u4E2D\u6587 abc");

    const wchar_t wide[] = L"\u7B54\u6848 x";
    PutRaw(CF_UNICODETEXT, wide, sizeof wide);
    EXPECT_EQ(GetClipboardText(), FromUtf8("答案 x"));
}

TEST(Clipboard, AnsiReadersSeeTheTextToo) {
    ASSERT_TRUE(SetClipboardText(Text("plain ascii")));
    EXPECT_EQ(RawAnsi(CP_ACP), "plain ascii");
}

TEST(Clipboard, EmptyText) {
    ASSERT_TRUE(SetClipboardText(Text()));
    EXPECT_EQ(RawUnicode(), L"");
    EXPECT_EQ(GetClipboardText(), Text());
}

TEST(Clipboard, NoTextGivesEmpty) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(GetClipboardText(), Text());
}

TEST(Clipboard, UnterminatedBlockIsReadOnlyToItsSize) {
    const wchar_t noZero[] = {L'a', L'b', L'c'};
    PutRaw(CF_UNICODETEXT, noZero, sizeof noZero);
    // The system may end the block with a zero of its own; either way nothing
    // past the block is read.
    Text got = GetClipboardText();
    EXPECT_TRUE(got == Text("abc") || got == Text("ab")) << got.bytes();
}

TEST(Clipboard, HeldOpenByAnotherThreadFailsCleanly) {
    ASSERT_TRUE(SetClipboardText(Text("before")));
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        // Wine's own clipboard manager may hold it for a moment: try a while.
        for (int i = 0; i < 2000 && !::OpenClipboard(nullptr); ++i)
            ::Sleep(1);
        held = true;
        while (!release)
            ::Sleep(1);
        ::CloseClipboard();
    });
    for (int i = 0; i < 5000 && !held; ++i)
        ::Sleep(1);
    ASSERT_TRUE(held);
    EXPECT_EQ(GetClipboardText(), Text());
    EXPECT_FALSE(SetClipboardText(Text("during")));
    release = true;
    holder.join();
    // The text is still there once the holder lets go (again after any
    // moment the clipboard manager takes it).
    Text after;
    for (int i = 0; i < 200 && after.empty(); ++i) {
        after = GetClipboardText();
        if (after.empty())
            ::Sleep(10);
    }
    EXPECT_EQ(after, Text("before"));
}

}  // namespace
}  // namespace tavimo
