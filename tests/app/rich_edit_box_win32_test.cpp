#include "app/rich_edit_box_win32.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <memory>

#include "support/pump_win32.h"
#include "support/reference_box_contract.h"
#include "win32/clipboard_win32.h"
#include "win32/codepage_win32.h"
#include "win32/handles_win32.h"

namespace tavimo {
namespace {

// A top-level window holding one real reference box. It stays hidden: the
// box works the same, and hiding a shown window costs seconds under Wine.
class RichEditAdapter {
  public:
    RichEditAdapter() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RichEditBoxTestHost";
        ::RegisterClassW(&wc);
        host_.reset(::CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW, 10, 10,
                                      400, 300, nullptr, nullptr, wc.hInstance, nullptr));
        box_ = win32::RichEditBox::Create(host_.get(), 7, RECT{5, 5, 300, 200});
        if (box_)
            ::ShowWindow(box_->hwnd(), SW_SHOW);
    }

    ReferenceBox& box() {
        EXPECT_NE(box_, nullptr);
        return *box_;
    }
    HWND hwnd() const { return box_ ? box_->hwnd() : nullptr; }

    std::pair<int32_t, int32_t> Selection() {
        CHARRANGE r{};
        ::SendMessageW(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
        return {r.cpMin, r.cpMax};
    }

    CharFormat FormatAt(int32_t position) {
        CHARRANGE r{position, position + 1};
        ::SendMessageW(hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        ::SendMessageW(hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        CharFormat f;
        f.FontName = win32::FromWide(cf.szFaceName);
        f.PointSize = cf.yHeight / 20;
        f.Offset = cf.yOffset / 20;
        f.Effects = cf.dwEffects & 0x1F;
        f.Color = (cf.dwEffects & CFE_AUTOCOLOR) ? CharFormat::kAutomaticColor : cf.crTextColor;
        return f;
    }

    void SetClipboard(const Text& text) { ASSERT_TRUE(SetClipboardText(text)); }
    bool HasFocus() { return ::GetFocus() == hwnd(); }

  private:
    win32::UniqueWindow host_;
    std::unique_ptr<win32::RichEditBox> box_;
};

using RealBox = ::testing::Types<RichEditAdapter>;
INSTANTIATE_TYPED_TEST_SUITE_P(RichEdit, ReferenceBoxContract, RealBox);

TEST(RichEditBox, BulkUpdateSilencesNotificationsUntilTheOutermostEnd) {
    RichEditAdapter a;
    ::SendMessageW(a.hwnd(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    auto mask = [&] { return ::SendMessageW(a.hwnd(), EM_GETEVENTMASK, 0, 0); };
    a.box().BeginBulkUpdate();
    a.box().BeginBulkUpdate();
    EXPECT_EQ(mask(), 0);
    a.box().EndBulkUpdate();
    EXPECT_EQ(mask(), 0);
    a.box().EndBulkUpdate();
    EXPECT_EQ(mask(), ENM_CHANGE | ENM_SELCHANGE);
}

TEST(RichEditBox, HasTheReferenceBoxSettings) {
    RichEditAdapter a;
    const LONG_PTR style = ::GetWindowLongPtrW(a.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_WANTRETURN);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_FALSE(style & ES_AUTOHSCROLL);  // lines wrap
    EXPECT_FALSE(style & ES_NOHIDESEL);    // selection hidden without focus
    EXPECT_FALSE(style & ES_READONLY);
    EXPECT_TRUE(::GetWindowLongPtrW(a.hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(::SendMessageW(a.hwnd(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFF);
    EXPECT_TRUE(::SendMessageW(a.hwnd(), EM_GETOPTIONS, 0, 0) & ECO_AUTOWORDSELECTION);
    // The vertical scroll bar shows as soon as the text is taller than the box.
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "line\r\n";
    a.box().SetText(lines);
    EXPECT_TRUE(::GetWindowLongPtrW(a.hwnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(::GetWindowLongPtrW(a.hwnd(), GWL_STYLE) & WS_HSCROLL);

    wchar_t cls[64] = {};
    ::GetClassNameW(a.hwnd(), cls, 64);
    EXPECT_STREQ(cls, L"RichEdit20W");

    // Typed text gets the default format: 宋体, 9 points, automatic colour.
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    ::SendMessageW(a.hwnd(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, L"\u5B8B\u4F53");
    EXPECT_EQ(cf.yHeight, 180);
    EXPECT_TRUE(cf.dwEffects & CFE_AUTOCOLOR);
}

TEST(RichEditBox, EnterInsertsALineBreak) {
    RichEditAdapter a;
    a.box().SetText("ab");
    a.box().Focus();
    a.box().SetSelectionStart(1);
    a.box().SetSelectionLength(0);
    ::SendMessageW(a.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageW(a.hwnd(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(a.box().GetText(), Text("a\r\nb"));
}

TEST(RichEditBox, LongTextIsKeptWhole) {
    RichEditAdapter a;
    std::string big;
    // 55,000 box characters: past the control's default limit of 32,767.
    for (int i = 0; i < 5000; ++i)
        big += "0123456789\r\n";
    a.box().SetText(big);
    EXPECT_EQ(a.box().GetText().bytes().size(), big.size());
}

}  // namespace
}  // namespace tavimo
