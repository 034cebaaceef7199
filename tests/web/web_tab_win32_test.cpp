#include "web/web_tab_win32.h"

#include <windows.h>

#include <exdispid.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "stand_in_browser_win32.h"
#include "text/codepage.h"
#include "web/browser_host_win32.h"
#include "web/fake_views.h"
#include "web/program_web_tab_win32.h"
#include "win32/com_ptr_win32.h"

namespace tavimo::win32 {
namespace {

using tavimo::testing::FakeView;
using tavimo::testing::StandInBrowser;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class FakeLauncher : public AddressLauncher {
  public:
    std::vector<std::string> launched;
    bool Launch(const Text& address) override {
        launched.push_back(address.bytes());
        return true;
    }
};

RECT ScreenRect(HWND w) {
    RECT rc{};
    ::GetWindowRect(w, &rc);
    return rc;
}

RECT ClientOnScreen(HWND w) {
    RECT rc{};
    ::GetClientRect(w, &rc);
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A top-level window with a plain child standing for the tab's box.
class WebTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WebTabTestWindow";
        ::RegisterClassW(&wc);
        top_ = ::CreateWindowExW(0, wc.lpszClassName, L"web", WS_OVERLAPPEDWINDOW, 50, 50, 640, 480,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(top_, nullptr);
        box_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 40, 400, 300,
                                 top_, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(box_, nullptr);
        other_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 420, 40, 100, 20, top_,
                                   nullptr, wc.hInstance, nullptr);
    }
    void TearDown() override {
        InstallProgramWebTab(nullptr);
        if (top_)
            ::DestroyWindow(top_);
        ::OleUninitialize();
    }

    // A tab over the stand-in, which the test keeps one reference to.
    std::unique_ptr<WebTab> StandInTab() {
        WebTabOptions options;
        options.launcher = &launcher_;
        options.engineAvailable = [] { return true; };
        options.controlFactory = [this](IOleObject** out) {
            stand_in_.AddRef();
            *out = &stand_in_;
            return S_OK;
        };
        return WebTab::Create(box_, std::move(options));
    }

    HWND top_ = nullptr;
    HWND box_ = nullptr;
    HWND other_ = nullptr;
    FakeLauncher launcher_;
    StandInBrowser stand_in_;
};

TEST_F(WebTabTest, HostsTheControlSilentOnlineBlankAndSizedWithItsBox) {
    auto tab = StandInTab();
    ASSERT_NE(tab->host(), nullptr);
    EXPECT_EQ(tab->noteWindow(), nullptr);
    EXPECT_THAT(stand_in_.calls, Contains("put_Silent -1"));
    EXPECT_THAT(stand_in_.calls, Contains("put_Offline 0"));
    EXPECT_THAT(stand_in_.calls, Contains("DoVerb -5"));  // in-place activate
    EXPECT_THAT(stand_in_.calls, Contains("Advise"));
    EXPECT_THAT(stand_in_.calls, Not(Contains(HasSubstr("Navigate"))));
    EXPECT_TRUE(SameRect(ScreenRect(stand_in_.window()), ClientOnScreen(box_)));

    ::MoveWindow(box_, 5, 30, 500, 350, TRUE);
    EXPECT_TRUE(SameRect(ScreenRect(stand_in_.window()), ClientOnScreen(box_)));
}

TEST_F(WebTabTest, SearchesFromTheBrowserTabOnlyAndTheButtonsReachTheControl) {
    InstallProgramWebTab(StandInTab());
    stand_in_.Clear();
    FakeView view;
    view.term = FromUtf8("中 &#");
    for (int32_t tab : {0, 1, 3}) {
        view.tab = tab;
        ProgramWebSearch(view);
    }
    EXPECT_THAT(stand_in_.calls, IsEmpty());

    view.tab = 2;
    ProgramWebSearch(view);
    ProgramWebSearch(view);  // a click on the tab while it is current
    ProgramWebBack();
    ProgramWebRefresh();
    ProgramWebForward();
    const std::string navigate =
        "Navigate https://www.baidu.com/s?wd=%E4%B8%AD%20%26%23 flags=I4:0 frame=empty "
        "post=empty headers=empty";
    EXPECT_THAT(stand_in_.calls, ElementsAre(navigate, navigate, "GoBack", "Refresh", "GoForward"));
}

// Fires DocumentComplete at the host's sink for the page or one of its frames.
void FireDocumentComplete(IDispatch* sink, IDispatch* which, DISPID id = DISPID_DOCUMENTCOMPLETE) {
    VARIANT args[2];
    UniqueBstr url(L"https://www.baidu.com/s?wd=");
    VARIANT urlValue;
    urlValue.vt = VT_BSTR;
    urlValue.bstrVal = url.get();
    args[0].vt = VT_VARIANT | VT_BYREF;
    args[0].pvarVal = &urlValue;
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = which;
    DISPPARAMS params{args, nullptr, 2, 0};
    sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

TEST_F(WebTabTest, ZoomsEachLoadedPageWithoutAsking) {
    auto tab = StandInTab();
    ASSERT_NE(stand_in_.sink(), nullptr);
    StandInBrowser frame;
    stand_in_.Clear();
    FireDocumentComplete(stand_in_.sink(), &frame);
    FireDocumentComplete(stand_in_.sink(), &stand_in_, DISPID_BEFORENAVIGATE2);
    EXPECT_THAT(stand_in_.calls, IsEmpty());

    const std::string zoom = "ExecWB 19 option=2 in=I4:2 out=null";
    FireDocumentComplete(stand_in_.sink(), static_cast<IWebBrowser2*>(&stand_in_));
    FireDocumentComplete(stand_in_.sink(), static_cast<IWebBrowser2*>(&stand_in_));
    EXPECT_THAT(stand_in_.calls, ElementsAre(zoom, zoom));
}

TEST_F(WebTabTest, TeardownLeavesNoReferencesBehind) {
    auto tab = StandInTab();
    EXPECT_GT(BrowserHost::LiveComObjects(), 0);
    stand_in_.Clear();
    tab.reset();
    EXPECT_THAT(stand_in_.calls,
                ElementsAre("Unadvise", "InPlaceDeactivate", "Close", "SetClientSite null"));
    EXPECT_EQ(stand_in_.refs(), 1);
    EXPECT_EQ(stand_in_.site(), nullptr);
    EXPECT_EQ(stand_in_.sink(), nullptr);
    EXPECT_EQ(BrowserHost::LiveComObjects(), 0);
}

TEST_F(WebTabTest, KeysGoToTheControlOnlyWhileItHasTheFocus) {
    auto tab = StandInTab();
    stand_in_.Clear();
    MSG key{stand_in_.window(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    ::SetFocus(stand_in_.window());
    ASSERT_EQ(::GetFocus(), stand_in_.window());
    EXPECT_TRUE(tab->TranslateAccelerator(key));
    stand_in_.acceleratorResult = S_FALSE;  // the page did not want it
    EXPECT_FALSE(tab->TranslateAccelerator(key));
    MSG click{stand_in_.window(), WM_LBUTTONDOWN, 0, 0, 0, {}};
    EXPECT_FALSE(tab->TranslateAccelerator(click));
    EXPECT_THAT(stand_in_.calls, ElementsAre("TranslateAccelerator 27", "TranslateAccelerator 27"));

    ::SetFocus(other_);
    key.hwnd = other_;
    stand_in_.Clear();
    EXPECT_FALSE(tab->TranslateAccelerator(key));
    EXPECT_THAT(stand_in_.calls, IsEmpty());
}

struct FallbackCase {
    const char* name;
    bool engine;
    HRESULT created;
};

class WebTabFallbackTest : public WebTabTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(WebTabFallbackTest, OpensResultPagesInTheDefaultBrowserOnceInARow) {
    WebTabOptions options;
    options.launcher = &launcher_;
    options.engineAvailable = [] { return GetParam().engine; };
    options.controlFactory = [](IOleObject** out) {
        *out = nullptr;
        return GetParam().created;
    };
    InstallProgramWebTab(WebTab::Create(box_, std::move(options)));
    WebTab* tab = ProgramWebTab();
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->host(), nullptr);
    ASSERT_NE(tab->noteWindow(), nullptr);
    EXPECT_TRUE(::GetWindowLongW(tab->noteWindow(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(::GetParent(tab->noteWindow()), box_);
    wchar_t note[200] = {};
    ::GetWindowTextW(tab->noteWindow(), note, 200);
    EXPECT_STREQ(note, kExternalBrowserNote);

    FakeView view;
    view.term = "a+b";
    view.tab = 1;  // as after a dropped document
    ProgramWebSearch(view);
    view.tab = 2;
    ProgramWebSearch(view);
    ProgramWebSearch(view);
    ProgramWebBack();
    ProgramWebRefresh();
    ProgramWebForward();
    view.term = "c";
    ProgramWebSearch(view);
    EXPECT_THAT(launcher_.launched,
                ElementsAre("https://www.baidu.com/s?wd=a%2Bb", "https://www.baidu.com/s?wd=c"));
    MSG key{tab->noteWindow(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(tab->TranslateAccelerator(key));
}

INSTANTIATE_TEST_SUITE_P(Cases, WebTabFallbackTest,
                         ::testing::Values(FallbackCase{"NoEngine", false, S_OK},
                                           FallbackCase{"NoControl", true, REGDB_E_CLASSNOTREG}),
                         [](const auto& c) { return std::string(c.param.name); });

// Where the system has no HTML engine (this Wine), the probe finds none and
// the tab falls back by itself.
TEST_F(WebTabTest, FallsBackWhereTheEngineIsMissing) {
    if (BrowserEngineAvailable())
        GTEST_SKIP() << "this system has an HTML engine";
    WebTabOptions options;
    options.launcher = &launcher_;
    auto tab = WebTab::Create(box_, std::move(options));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->host(), nullptr);
    EXPECT_NE(tab->noteWindow(), nullptr);
}

// The system's own control, where it can be created: in-place active in the
// box, following its size, and let go of completely at the end.
TEST_F(WebTabTest, HostsTheRealControl) {
    ComPtr<IOleObject> held;
    HRESULT made = E_FAIL;
    auto host = BrowserHost::Create(box_, [&](IOleObject** out) {
        const HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IOleObject, reinterpret_cast<void**>(out));
        made = hr;
        if (SUCCEEDED(hr))
            held = ComPtr<IOleObject>::Share(*out);
        return hr;
    });
    if (!held)
        GTEST_SKIP() << "no web browser control here: " << std::hex << made;
    ASSERT_NE(host, nullptr);
    HWND window = nullptr;
    auto ole = held.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    ASSERT_TRUE(ole);
    ASSERT_TRUE(SUCCEEDED(ole->GetWindow(&window)));
    ole.reset();
    EXPECT_TRUE(::IsChild(box_, window));
    EXPECT_TRUE(SameRect(ScreenRect(window), ClientOnScreen(box_)));
    ::MoveWindow(box_, 5, 30, 500, 350, TRUE);
    host->Resize();
    EXPECT_TRUE(SameRect(ScreenRect(window), ClientOnScreen(box_)));

    host.reset();
    EXPECT_EQ(BrowserHost::LiveComObjects(), 0);
    EXPECT_EQ(held.reset(), 0u);
}

}  // namespace
}  // namespace tavimo::win32
