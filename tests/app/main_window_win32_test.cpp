#include "app/main_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/dpi_win32.h"
#include "app/globals.h"
#include "app/job_guard.h"
#include "app/window_handlers_win32.h"
#include "support/pump_win32.h"
#include "text/codepage.h"
#include "win32/codepage_win32.h"

namespace tavimo::win32 {
namespace {

using tavimo::testing::PumpFor;
using tavimo::testing::PumpUntil;
using namespace std::chrono_literals;

std::string Utf8Text(HWND h) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(h, buffer, 512);
    return ToUtf8(FromWide(buffer));
}

std::wstring ClassOf(HWND h) {
    wchar_t buffer[64] = {};
    ::GetClassNameW(h, buffer, 64);
    return buffer;
}

LONG_PTR Style(HWND h) {
    return ::GetWindowLongPtrW(h, GWL_STYLE);
}
LONG_PTR ExStyle(HWND h) {
    return ::GetWindowLongPtrW(h, GWL_EXSTYLE);
}

RECT WindowRectOf(HWND h) {
    RECT r{};
    ::GetWindowRect(h, &r);
    return r;
}

// The window's place relative to its parent's client area.
RECT PlaceInParent(HWND h) {
    RECT r = WindowRectOf(h);
    ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

BYTE Opacity(HWND h) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!::GetLayeredWindowAttributes(h, &key, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 0;
    return alpha;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitGlobals();
        MainWindowOptions options;
        options.quitOnDestroy = false;
        options.onEvent = [this](WindowEvent e, int32_t id) { events.push_back({e, id}); };
        window = MainWindow::Create(::GetModuleHandleW(nullptr), options);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        window.reset();
        FreeGlobals();
    }

    int Count(WindowEvent e) const {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [e](const auto& p) { return p.first == e; }));
    }
    HWND C(int32_t id) const { return window->control(id); }
    int S(int32_t v) const { return ScaleForDpi(v, window->dpi()); }

    std::vector<std::pair<WindowEvent, int32_t>> events;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsCentredOpaqueAt200OnTheSettingsPage) {
    const RECT r = WindowRectOf(window->hwnd());
    EXPECT_EQ(r.right - r.left, S(610));
    EXPECT_EQ(r.bottom - r.top, S(414));
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - S(610)) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - S(414)) / 2);
    EXPECT_EQ(Opacity(window->hwnd()), 200);

    // Created, position changed, size changed: once each, in this order.
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].first, WindowEvent::Created);
    EXPECT_EQ(events[1].first, WindowEvent::PositionChanged);
    EXPECT_EQ(events[2].first, WindowEvent::SizeChanged);
    EXPECT_EQ(G().CaptureArmed.load(), 1);
    EXPECT_EQ(G().WindowRect.left, r.left);
    EXPECT_EQ(G().WindowRect.top, r.top);
    EXPECT_EQ(G().WindowRect.right, r.right);
    EXPECT_EQ(G().WindowRect.bottom, r.bottom);
    const RECT tab = WindowRectOf(window->tab());
    EXPECT_EQ(tab.right - tab.left, S(610));
    EXPECT_EQ(tab.bottom - tab.top, S(414));

    EXPECT_EQ(window->CurrentTab(), 0);
    EXPECT_TRUE(window->RaiseOnHoverChecked());
    EXPECT_TRUE(window->CaptureChecked());
    EXPECT_EQ(::SendMessageW(C(kCheckBox2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(window->LocalSearchSelected());
    EXPECT_FALSE(window->WebSearchSelected());
    EXPECT_EQ(window->Term(), Text());
    EXPECT_EQ(window->Box().GetText(), Text());
}

TEST_F(MainWindowTest, HasTheDesignedFrame) {
    HWND w = window->hwnd();
    EXPECT_EQ(Utf8Text(w), "Tavimo V20180329 测试版");
    const LONG_PTR style = Style(w);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);  // fixed border
    EXPECT_FALSE(ExStyle(w) & WS_EX_TOPMOST);
    EXPECT_TRUE(ExStyle(w) & WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindow(w, GW_OWNER), nullptr);
    EXPECT_NE(::GetClassLongPtrW(w, GCLP_HICON), 0);
    EXPECT_NE(::GetClassLongPtrW(w, GCLP_HICONSM), 0);
    for (int size : {16, 32, 48, 64, 128}) {
        SCOPED_TRACE(size);
        // The image of exactly this size, not one stretched from another.
        const int id = ::LookupIconIdFromDirectoryEx(
            static_cast<PBYTE>(::LockResource(::LoadResource(
                nullptr, ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_GROUP_ICON)))),
            TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(res, nullptr);
        HICON exact = ::CreateIconFromResourceEx(
            static_cast<PBYTE>(::LockResource(::LoadResource(nullptr, res))),
            ::SizeofResource(nullptr, res), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(exact, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(exact, &info));
        BITMAP bm{};
        ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
        ::DestroyIcon(exact);
    }
}

TEST_F(MainWindowTest, TabControlHasFivePagesAndNeverTakesTheFocus) {
    HWND tab = window->tab();
    EXPECT_EQ(ClassOf(tab), L"SysTabControl32");
    EXPECT_TRUE(Style(tab) & TCS_FOCUSNEVER);
    EXPECT_FALSE(Style(tab) & TCS_MULTILINE);
    const RECT place = PlaceInParent(tab);
    EXPECT_EQ(place.left, S(0));
    EXPECT_EQ(place.top, S(5));
    const char* captions[] = {"介绍＆设置", "本地文本搜索", "IE内核浏览器", "谷歌内核浏览器",
                              "简单记事本"};
    ASSERT_EQ(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        wchar_t buffer[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 64;
        ::SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(ToUtf8(FromWide(buffer)), captions[i]);
    }
}

struct ControlRow {
    int32_t id;
    const wchar_t* cls;
    int page;
    int left, top, width, height;
    const char* caption;  // nullptr: not checked here
    LONG_PTR mustHave;
    LONG_PTR mustNotHave;
};

// Every control as designed: class, page, place and size relative to the tab
// control, caption and the style bits its settings come down to.
const ControlRow kRows[] = {
    {kLabel1, L"Static", 0, 10, 35, 575, 208, nullptr, SS_LEFT, SS_CENTERIMAGE},
    {kCheckBox1, L"Button", 0, 23, 254, 89, 25, "自动置顶", BS_AUTOCHECKBOX | WS_TABSTOP,
     BS_LEFTTEXT},
    {kCheckBox2, L"Button", 0, 23, 279, 89, 25, "窗口透明", BS_AUTOCHECKBOX | WS_TABSTOP,
     BS_LEFTTEXT},
    {kSlider1, L"msctls_trackbar32", 0, 118, 279, 225, 25, nullptr, TBS_NOTICKS | WS_TABSTOP,
     TBS_VERT},
    {kCheckBox3, L"Button", 0, 23, 304, 89, 25, "划屏取词", BS_AUTOCHECKBOX | WS_TABSTOP,
     BS_LEFTTEXT},
    {kRadio1, L"Button", 0, 118, 309, 74, 15, "文本搜", BS_AUTORADIOBUTTON | WS_GROUP, BS_LEFTTEXT},
    {kRadio2, L"Button", 0, 207, 309, 97, 15, "IE内核搜", BS_AUTORADIOBUTTON, WS_GROUP},
    {kLabel2, L"Static", 1, 10, 28, 75, 20, "搜索内容：", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0},
    {kEditBox1, L"Edit", 1, 70, 26, 350, 25, "", ES_AUTOHSCROLL | WS_TABSTOP,
     ES_MULTILINE | ES_NOHIDESEL | ES_READONLY},
    {kButton1, L"Button", 1, 423, 26, 46, 25, "搜索", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kButton5, L"Button", 1, 475, 26, 60, 25, "下一条", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kButton6, L"Button", 1, 541, 26, 55, 25, "上一条", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kLabel3, L"Static", 1, 10, 53, 590, 20,
     "自定义考答案内容：（您可以把参考答案文本复制到下面文本框，或者拖放到窗口上，会自动载入！）",
     SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0},
    {kEditBox2, L"RichEdit20W", 1, 2, 75, 598, 302, "", ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP,
     WS_HSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY},
    {kButton2, L"Button", 2, 483, -1, 36, 17, "<<", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kButton4, L"Button", 2, 526, -1, 36, 17, "◎", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kButton3, L"Button", 2, 567, -1, 36, 17, ">>", WS_TABSTOP, BS_DEFPUSHBUTTON},
    {kBrowserBox1, nullptr, 2, 0, 20, 605, 360, nullptr, 0, 0},
    {kLabel4, L"Static", 3, 8, 27, 584, 344, "正在研究中……", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0},
    {kLabel5, L"Static", 4, 7, 28, 584, 344, "正在研究中……", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0},
};

TEST_F(MainWindowTest, EveryControlIsAtItsPlaceWithItsSettings) {
    ASSERT_EQ(std::size(kRows), kControls.size());
    HFONT gui = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlRow& row : kRows) {
        SCOPED_TRACE(row.id);
        HWND h = C(row.id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(::GetParent(h), window->tab());
        EXPECT_EQ(::GetDlgCtrlID(h), row.id);
        EXPECT_EQ(window->controlPage(h), row.page);
        if (row.cls) {
            EXPECT_EQ(ClassOf(h), row.cls);
        }
        const RECT r = PlaceInParent(h);
        EXPECT_EQ(r.left, S(row.left));
        EXPECT_EQ(r.top, S(row.top));
        EXPECT_EQ(r.right - r.left, S(row.width));
        EXPECT_EQ(r.bottom - r.top, S(row.height));
        if (row.caption) {
            EXPECT_EQ(Utf8Text(h), row.caption);
        }
        EXPECT_EQ(Style(h) & row.mustHave, row.mustHave);
        EXPECT_EQ(Style(h) & row.mustNotHave, 0);
        // Only the current page shows.
        EXPECT_EQ((Style(h) & WS_VISIBLE) != 0, row.page == 0);
        // The slider draws no text and keeps no font.
        const bool ownFont = row.id == kLabel1 || row.id == kEditBox2 || row.id == kBrowserBox1 ||
                             row.id == kSlider1;
        if (!ownFont && window->dpi() == SystemDpi()) {
            EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)), gui);
        }
    }
}

TEST_F(MainWindowTest, ControlSettingsReadBack) {
    HWND slider = C(kSlider1);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 50);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 255);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETPOS, 0, 0), 200);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 5);

    EXPECT_GE(static_cast<DWORD>(::SendMessageW(C(kEditBox1), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    EXPECT_TRUE(ExStyle(C(kEditBox1)) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(::SendMessageW(C(kEditBox2), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFF);
    EXPECT_TRUE(::SendMessageW(C(kEditBox2), EM_GETOPTIONS, 0, 0) & ECO_AUTOWORDSELECTION);

    // 标签1: the five paragraphs in a 19-pixel font of normal weight, no face.
    const std::string welcome = Utf8Text(C(kLabel1));
    EXPECT_EQ(welcome.rfind("\u3000\u3000欢迎使用Orsenta制作的Tavimo，", 0), 0u);
    size_t paragraphs = 1;
    for (size_t at = welcome.find("\r\n"); at != std::string::npos;
         at = welcome.find("\r\n", at + 2)) {
        EXPECT_EQ(welcome.compare(at + 2, 6, "\u3000\u3000"), 0);
        ++paragraphs;
    }
    EXPECT_EQ(paragraphs, 5u);
    EXPECT_EQ(welcome.substr(welcome.size() - 3 * 12), "希望我的小程序能帮到您！");
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(C(kLabel1), WM_GETFONT, 0, 0)), sizeof(lf),
                 &lf);
    EXPECT_EQ(lf.lfHeight, -S(19));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_STREQ(lf.lfFaceName, L"");
}

TEST_F(MainWindowTest, LabelsHaveTheirColours) {
    struct Case {
        int32_t id;
        COLORREF text, back;
    };
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Case cases[] = {{kLabel1, RGB(255, 0, 0), RGB(255, 255, 255)},
                          {kLabel2, RGB(0, 0, 0), face},
                          {kLabel3, RGB(255, 0, 0), face},
                          {kLabel4, RGB(0, 0, 0), face},
                          {kLabel5, RGB(0, 0, 0), face}};
    HDC dc = ::CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        // The label asks its parent, the tab control, which hands on to the window.
        const LRESULT brush =
            ::SendMessageW(window->tab(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(C(c.id)));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(::GetTextColor(dc), c.text);
        EXPECT_EQ(::GetBkColor(dc), c.back);
    }
    ::DeleteDC(dc);
}

TEST_F(MainWindowTest, OpacityFollowsTheSliderAndTheTransparencyBox) {
    HWND w = window->hwnd();
    ::SendMessageW(C(kCheckBox2), BM_CLICK, 0, 0);  // uncheck 窗口透明
    EXPECT_EQ(::SendMessageW(C(kCheckBox2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Opacity(w), 255);

    // The slider still sets the opacity while the box is unchecked.
    ::SendMessageW(C(kSlider1), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(window->SliderPosition(), 201);
    EXPECT_EQ(Opacity(w), 201);
    ::SendMessageW(C(kSlider1), WM_KEYDOWN, VK_NEXT, 0);  // page step
    EXPECT_EQ(window->SliderPosition(), 206);
    EXPECT_EQ(Opacity(w), 206);

    ::SendMessageW(C(kCheckBox2), BM_CLICK, 0, 0);  // check it again
    EXPECT_EQ(Opacity(w), 206);
    ::SendMessageW(C(kCheckBox2), BM_CLICK, 0, 0);
    EXPECT_EQ(Opacity(w), 255);
    ::SendMessageW(C(kCheckBox2), BM_CLICK, 0, 0);

    // The end of a drag is not a step.
    ::SendMessageW(C(kSlider1), TBM_SETPOS, TRUE, 120);
    ::SendMessageW(window->tab(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(C(kSlider1)));
    ::SendMessageW(window->tab(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 120),
                   reinterpret_cast<LPARAM>(C(kSlider1)));
    EXPECT_EQ(Opacity(w), 206);
    ::SendMessageW(window->tab(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 120),
                   reinterpret_cast<LPARAM>(C(kSlider1)));
    EXPECT_EQ(Opacity(w), 120);
}

TEST_F(MainWindowTest, WritingTheTabClampsSwitchesAndFiresNoEvent) {
    const std::pair<int32_t, int32_t> cases[] = {{2, 2}, {7, 4}, {-3, 0}, {1, 1}, {3, 3}};
    for (auto [written, page] : cases) {
        SCOPED_TRACE(written);
        window->SetCurrentTab(written);
        EXPECT_EQ(window->CurrentTab(), page);
        for (const ControlDesign& c : kControls) {
            EXPECT_EQ((Style(C(c.id)) & WS_VISIBLE) != 0, c.page == page) << c.id;
        }
    }
    PumpFor(50ms);
    EXPECT_EQ(Count(WindowEvent::TabClicked), 0);
}

TEST_F(MainWindowTest, ClickingATabSwitchesOnPressAndFiresOnRelease) {
    HWND tab = window->tab();
    RECT item{};
    ::SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(window->CurrentTab(), 1);
    EXPECT_TRUE(Style(C(kEditBox2)) & WS_VISIBLE);
    EXPECT_EQ(Count(WindowEvent::TabClicked), 0);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Count(WindowEvent::TabClicked), 1);

    // The current tab clicked again fires again.
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(window->CurrentTab(), 1);
    EXPECT_EQ(Count(WindowEvent::TabClicked), 2);
    EXPECT_NE(::GetFocus(), tab);
}

class EscTest : public MainWindowTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(EscTest, ClosesThroughTheCanBeClosedHandler) {
    const int32_t id = GetParam();
    window->SetCurrentTab(FindControl(id)->page);
    ::SetFocus(C(id));
    ASSERT_EQ(::GetFocus(), C(id));
    ::PostMessageW(C(id), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !window->alive(); }));
    EXPECT_EQ(Count(WindowEvent::CanBeClosed), 1);
}

// The reference box above all: a multi-line edit control wants every key.
INSTANTIATE_TEST_SUITE_P(FromAnyControl, EscTest,
                         ::testing::Values(kEditBox2, kEditBox1, kSlider1, kCheckBox1, kButton1));

TEST_F(MainWindowTest, CloseDuringAJobWaitsForItsEnd) {
    {
        JobGuard job;
        ASSERT_TRUE(job.acquired());
        ::PostMessageW(C(kCheckBox1), WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(PumpUntil([&] { return Count(WindowEvent::CloseDeferred) == 1; }));
        EXPECT_TRUE(window->alive());
        EXPECT_EQ(Count(WindowEvent::CanBeClosed), 0);
    }
    ASSERT_TRUE(PumpUntil([&] { return !window->alive(); }));
    EXPECT_EQ(Count(WindowEvent::CanBeClosed), 1);
}

TEST_F(MainWindowTest, TabMovesTheFocusOutOfTheReferenceBox) {
    window->SetCurrentTab(1);
    window->Box().SetText("abc");
    window->Box().Focus();
    ::PostMessageW(C(kEditBox2), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() != C(kEditBox2); }, 2s));
    // Past the last control of the page the focus comes round to the first.
    EXPECT_EQ(::GetFocus(), C(kEditBox1));
    EXPECT_EQ(window->Box().GetText(), Text("abc"));
    ::PostMessageW(C(kEditBox1), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == C(kButton1); }, 2s));
}

TEST_F(MainWindowTest, EnterHasNoWindowWideMeaning) {
    window->SetCurrentTab(1);
    ::SetFocus(C(kEditBox1));
    ::PostMessageW(C(kEditBox1), WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageW(C(kEditBox1), WM_CHAR, L'\r', 0);
    PumpFor(50ms);
    EXPECT_EQ(Count(WindowEvent::ButtonClicked), 0);
    EXPECT_TRUE(window->alive());
}

TEST_F(MainWindowTest, HoverTimerTicksAndPasteTimerFollowsThePeriodRule) {
    ASSERT_TRUE(PumpUntil([&] { return Count(WindowEvent::HoverTick) >= 3; }, 2s));
    EXPECT_EQ(Count(WindowEvent::PasteTick), 0);  // 时钟2 starts stopped

    window->SetPasteTimerPeriod(-5);
    EXPECT_EQ(window->PasteTimerPeriod(), 0);
    window->SetPasteTimerPeriod(20);
    ASSERT_TRUE(PumpUntil([&] { return Count(WindowEvent::PasteTick) >= 1; }, 2s));
    EXPECT_EQ(window->PasteTimerPeriod(), 0);  // the paste fallback runs once per start
    window->SetPasteTimerPeriod(0);
    PumpFor(30ms);  // a tick already queued may still arrive
    const int ticks = Count(WindowEvent::PasteTick);
    PumpFor(100ms);
    EXPECT_EQ(Count(WindowEvent::PasteTick), ticks);
}

TEST_F(MainWindowTest, ViewReadsAndWritesTheControls) {
    window->SetTerm(FromUtf8("答案"));
    EXPECT_EQ(window->Term(), FromUtf8("答案"));
    EXPECT_EQ(Utf8Text(C(kEditBox1)), "答案");
    window->SetStatus(FromUtf8("找到 3 处"));
    EXPECT_EQ(Utf8Text(C(kLabel3)), "找到 3 处");
    ::SendMessageW(C(kRadio2), BM_CLICK, 0, 0);
    EXPECT_TRUE(window->WebSearchSelected());
    EXPECT_FALSE(window->LocalSearchSelected());  // one group
    ::SendMessageW(C(kCheckBox3), BM_CLICK, 0, 0);
    EXPECT_FALSE(window->CaptureChecked());
}

TEST_F(MainWindowTest, MinimizeFiresSizeChangedAndRestoreGivesTheDesignedSize) {
    window->Show(SW_SHOWNORMAL);
    const int before = Count(WindowEvent::SizeChanged);
    window->Show(SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(window->hwnd()); }));
    EXPECT_GT(Count(WindowEvent::SizeChanged), before);
    RECT outer = WindowRectOf(window->hwnd());
    RECT tab = WindowRectOf(window->tab());
    EXPECT_EQ(tab.right - tab.left, outer.right - outer.left);
    EXPECT_EQ(tab.bottom - tab.top, outer.bottom - outer.top);

    window->Show(SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !::IsIconic(window->hwnd()); }));
    tab = WindowRectOf(window->tab());
    EXPECT_EQ(tab.right - tab.left, S(610));
    EXPECT_EQ(tab.bottom - tab.top, S(414));
}

TEST_F(MainWindowTest, AnotherDpiScalesTheWindowAndEveryControl) {
    const RECT before = WindowRectOf(window->hwnd());
    RECT suggested{before.left, before.top, before.left + 915, before.top + 621};
    ::SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(window->dpi(), 144u);
    const RECT after = WindowRectOf(window->hwnd());
    EXPECT_EQ(after.right - after.left, 915);
    EXPECT_EQ(after.bottom - after.top, 621);
    const RECT tab = WindowRectOf(window->tab());
    EXPECT_EQ(tab.right - tab.left, 915);  // still as large as the window
    for (const ControlRow& row : kRows) {
        SCOPED_TRACE(row.id);
        const RECT r = PlaceInParent(C(row.id));
        EXPECT_EQ(r.left, ScaleForDpi(row.left, 144));
        EXPECT_EQ(r.top, ScaleForDpi(row.top, 144));
        EXPECT_EQ(r.right - r.left, ScaleForDpi(row.width, 144));
        EXPECT_EQ(r.bottom - r.top, ScaleForDpi(row.height, 144));
    }
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(C(kLabel1), WM_GETFONT, 0, 0)), sizeof(lf),
                 &lf);
    EXPECT_EQ(lf.lfHeight, -29);  // 19 pixels at 96 DPI
}

bool Above(HWND upper, HWND lower) {
    for (HWND h = ::GetWindow(upper, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == lower)
            return true;
    }
    return false;
}

TEST_F(MainWindowTest, BringWindowToFrontRaisesWithoutStayingTopmost) {
    UniqueWindow other(::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 50, 50, nullptr,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(other);
    ::SetWindowPos(other.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(Above(other.get(), window->hwnd()));
    BringWindowToFront();
    EXPECT_TRUE(Above(window->hwnd(), other.get()));
    EXPECT_FALSE(ExStyle(window->hwnd()) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace tavimo::win32
