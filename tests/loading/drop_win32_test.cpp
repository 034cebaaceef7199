// Drops through the real drop target into a real rich-edit box.
#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>
// windows.h first: richedit.h needs its types.
#include <richedit.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/job_guard.h"
#include "loading/dispatch_calls_win32.h"
#include "loading/document_drop_win32.h"
#include "loading/fake_dispatch_win32.h"
#include "loading/loading_clipboard_win32.h"
#include "loading/rich_box_win32.h"
#include "loading/rtf_reader_win32.h"
#include "text/codepage.h"
#include "text/display_count.h"
#include "win32/clipboard_win32.h"

namespace tavimo::loading {
namespace {

using namespace tavimo::loading::testing;

std::wstring FixturePath(const char* name) {
    std::wstring path =
        L"Z:" + win32::WideFromUtf8(TAVIMO_LOADING_FIXTURES) + L"/" + win32::WideFromUtf8(name);
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

// Another process (Wine's clipboard manager, say) may hold the clipboard open
// for a moment; the test's own clipboard work waits for it.
bool Retrying(const std::function<bool()>& attempt) {
    for (int i = 0; i < 200; ++i) {
        if (attempt())
            return true;
        ::Sleep(10);
    }
    return false;
}

Text ClipboardTextRetrying() {
    Text text;
    Retrying([&] {
        if (!::OpenClipboard(nullptr))
            return false;
        if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
                text = win32::FromWide(p);
                ::GlobalUnlock(h);
            }
        }
        ::CloseClipboard();
        return true;
    });
    return text;
}

// The user's clipboard text, put back as text: enough to see that it returns.
class TextOnlyClipboard : public SystemClipboardReader {
  public:
    class Saved : public SavedClipboard {
      public:
        Saved() : text_(ClipboardTextRetrying()), sequence_(::GetClipboardSequenceNumber()) {}
        bool Restore() override {
            return Retrying([&] { return SetClipboardText(text_); });
        }
        uint32_t Sequence() const override { return sequence_; }

      private:
        Text text_;
        uint32_t sequence_;
    };
    std::unique_ptr<SavedClipboard> Save() override { return std::make_unique<Saved>(); }
};

bool ClipboardComesBackTo(const Text& expected) {
    return PumpUntil([&] { return ClipboardTextRetrying() == expected; }, 3000);
}

class NoBrowser : public Browser {
  public:
    void Navigate(const Text&) override { ++navigations; }
    void GoBack() override {}
    void GoForward() override {}
    void Refresh() override {}
    int navigations = 0;
};

// A data object offering one format as HGLOBAL.
class OneFormatData final : public IDataObject {
  public:
    OneFormatData(CLIPFORMAT format, std::string bytes)
        : format_(format), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
        if (QueryGetData(f) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        std::memcpy(::GlobalLock(h), bytes_.data(), bytes_.size());
        ::GlobalUnlock(h);
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = h;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        return f && f->cfFormat == format_ && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    ULONG refs_ = 1;
    CLIPFORMAT format_;
    std::string bytes_;
};

OneFormatData FileDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& p : paths)
        list += p + L'\0';
    list += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    return OneFormatData(CF_HDROP, bytes);
}

constexpr UINT_PTR kPasteTimer = 2;
TestView* gView = nullptr;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == kPasteTimer && gView) {
        OnDocumentPasteTimer(*gView);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class DropTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ::LoadLibraryW(L"riched20.dll");
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavimoLoadingTestWindow";
        ::RegisterClassW(&wc);
    }

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        InitGlobals();
        window_ =
            ::CreateWindowExW(0, L"TavimoLoadingTestWindow", L"drop", WS_OVERLAPPEDWINDOW, 0, 0,
                              400, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window_);
        auto box = win32::RichEditBox::Create(window_, 1, RECT{0, 0, 380, 260});
        ASSERT_TRUE(box);
        edit_ = box->hwnd();
        view_ = std::make_unique<TestView>(std::move(box));
        gView = view_.get();
        ASSERT_TRUE(Retrying([] { return SetClipboardText(FromUtf8("用户自己的剪贴板")); }));
    }

    void Register(std::unique_ptr<AutoFactory> suites) {
        DocumentDropSetup setup;
        setup.view = view_.get();
        setup.browser = &browser_;
        setup.box = edit_;
        setup.setPasteTimer = [this](int32_t ms) {
            periods_.push_back(ms);
            if (ms > 0) {
                ::SetTimer(window_, kPasteTimer, static_cast<UINT>(ms), nullptr);
            } else {
                ::KillTimer(window_, kPasteTimer);
            }
        };
        setup.clipboard = std::make_unique<TextOnlyClipboard>();
        setup.suites = std::move(suites);
        ASSERT_TRUE(RegisterDocumentDrop(window_, std::move(setup)));
        ASSERT_NE(DocumentDropTarget(), nullptr);
    }
    void RegisterWithoutSuite() {
        Register(std::make_unique<DispatchFactory>(
            [](const std::wstring&) { return DispatchFactory::Instance{}; }));
    }

    void TearDown() override {
        RevokeDocumentDrop(window_);
        gView = nullptr;
        ::DestroyWindow(window_);
        FreeGlobals();
        ::OleUninitialize();
    }

    DWORD Drop(IDataObject& data) {
        IDropTarget* target = DocumentDropTarget();
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragEnter(&data, MK_LBUTTON, POINTL{10, 10}, &effect);
        enterEffect_ = effect;
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->Drop(&data, 0, POINTL{10, 10}, &effect);
        return effect;
    }
    bool BoxShows(const Text& t) {
        return PumpUntil([&] { return view_->box.GetText() == t; });
    }

    HWND window_ = nullptr, edit_ = nullptr;
    std::unique_ptr<TestView> view_;
    NoBrowser browser_;
    std::vector<int32_t> periods_;
    DWORD enterEffect_ = 0;
};

TEST_F(DropTest, ADocxArrivesAfterDropReturnedInNinePointSongBlackUnselected) {
    RegisterWithoutSuite();
    view_->tab = 2;
    view_->box.SetText(Text("old"));
    OneFormatData data = FileDrop({FixturePath("answers.docx")});
    EXPECT_EQ(Drop(data), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(enterEffect_, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(view_->box.GetText(), Text("old"));  // nothing loaded inside Drop

    Text expected = FromUtf8(
        "第一题：中国的首都是北京。\r\n第二题 & 答案：长江 "
        "<最长>\r\n问题\t答案\r\n水的化学式\tH2O\r\n"
        "结束");
    ASSERT_TRUE(BoxShows(expected));
    EXPECT_EQ(view_->tab, 1);
    EXPECT_EQ(browser_.navigations, 0);

    CHARRANGE sel{};
    ::SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    EXPECT_EQ(sel.cpMin, sel.cpMax);
    CHARRANGE all{0, CountDisplayChars(expected)};  // the text, without the final mark
    ::SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    ::SendMessageW(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwMask & CFM_FACE);
    EXPECT_STREQ(cf.szFaceName, L"\u5B8B\u4F53");
    EXPECT_TRUE(cf.dwMask & CFM_SIZE);
    EXPECT_EQ(cf.yHeight, 180);
    EXPECT_TRUE(cf.dwMask & CFM_COLOR);
    EXPECT_EQ(cf.crTextColor, 0u);
    EXPECT_FALSE(cf.dwEffects & CFE_AUTOCOLOR);

    EXPECT_TRUE(ClipboardComesBackTo(FromUtf8("用户自己的剪贴板")));
    EXPECT_TRUE(periods_.empty());
}

TEST_F(DropTest, APathOutsideCodePage936StillOpens) {
    RegisterWithoutSuite();
    wchar_t temp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring odd = std::wstring(temp) + L"\u7B54\u6848\u0E44\u0E17\u0E22.txt";
    if (!::CopyFileW(FixturePath("utf16le.txt").c_str(), odd.c_str(), FALSE)) {
        // Wine in a locale without UTF-8 file names cannot store this name.
        GTEST_SKIP() << "the file system cannot hold the name";
    }
    OneFormatData data = FileDrop({odd});
    Drop(data);
    EXPECT_TRUE(BoxShows(FromUtf8("答案：北京\r\n第二行 abc\r\n")));
    ::DeleteFileW(odd.c_str());
}

TEST_F(DropTest, RtfComesThroughTheRichEditReader) {
    RegisterWithoutSuite();
    OneFormatData rtf = FileDrop({FixturePath("answers.rtf")});
    Drop(rtf);
    ASSERT_TRUE(PumpUntil([&] { return Find(view_->box.GetText(), FromUtf8("水的化学式")) > 0; }));
    EXPECT_GT(Find(view_->box.GetText(), FromUtf8("第一题：中国的首都是北京。")), 0);
}

TEST_F(DropTest, TwoFilesOrAMissingOneKeepTheOldTextAndSaySo) {
    RegisterWithoutSuite();
    view_->box.SetText(FromUtf8("我的答案"));
    OneFormatData two = FileDrop({FixturePath("utf8.txt"), FixturePath("gbk.txt")});
    Drop(two);
    ASSERT_TRUE(PumpUntil([&] { return !view_->status.empty(); }));
    EXPECT_EQ(view_->box.GetText(), FromUtf8("我的答案"));
    EXPECT_GT(Find(view_->status, FromUtf8("一个")), 0);

    view_->status = Text();
    OneFormatData missing = FileDrop({FixturePath("missing.docx")});
    Drop(missing);
    ASSERT_TRUE(PumpUntil([&] { return !view_->status.empty(); }));
    EXPECT_EQ(view_->box.GetText(), FromUtf8("我的答案"));
    EXPECT_GT(Find(view_->status, Text("missing.docx")), 0);
    EXPECT_TRUE(periods_.empty());
    EXPECT_TRUE(ClipboardComesBackTo(FromUtf8("用户自己的剪贴板")));
}

TEST_F(DropTest, TextHtmlAddressesAndDropsDuringAJobAreRefusedWithoutAnEvent) {
    RegisterWithoutSuite();
    view_->tab = 2;
    view_->box.SetText(Text("old"));
    std::wstring wide = L"C:\\a.txt";
    OneFormatData text(CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(wide.c_str()),
                                                   (wide.size() + 1) * sizeof(wchar_t)));
    OneFormatData html(static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HTML Format")),
                       "Version:0.9\r\n<html>x</html>");
    OneFormatData url(static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(CFSTR_INETURLW)),
                      std::string("h\0t\0t\0p\0:\0/\0/\0x\0\0\0", 20));
    for (OneFormatData* data : {&text, &html, &url}) {
        EXPECT_EQ(Drop(*data), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(enterEffect_, static_cast<DWORD>(DROPEFFECT_NONE));
    }
    {
        JobGuard running;  // files too, while a long job runs
        OneFormatData files = FileDrop({FixturePath("utf8.txt")});
        EXPECT_EQ(Drop(files), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(enterEffect_, static_cast<DWORD>(DROPEFFECT_NONE));
    }
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(view_->tab, 2);
    EXPECT_EQ(view_->box.GetText(), Text("old"));
}

// A suite whose copy has no plain text: the timer pastes once, then the
// user's clipboard comes back.
TEST_F(DropTest, ContentWithoutTextIsPastedOnceByTheTimerThenTheClipboardReturns) {
    std::vector<std::string> log;
    FakeSuite suite(log);
    suite.range->answers["Copy"] = [] {
        const char rtf[] = "{\\rtf1\\ansi pasted only}";
        UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
        if (Retrying([] { return ::OpenClipboard(nullptr) != FALSE; })) {
            ::EmptyClipboard();
            HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof rtf);
            std::memcpy(::GlobalLock(h), rtf, sizeof rtf);
            ::GlobalUnlock(h);
            ::SetClipboardData(format, h);
            ::CloseClipboard();
        }
        return AutoValue{nullptr, 0};
    };
    std::shared_ptr<FakeObject> app = suite.app;
    Register(std::make_unique<DispatchFactory>([app](const std::wstring& progId) {
        if (progId != L"Word.Application")
            return DispatchFactory::Instance{};
        return DispatchFactory::Instance{ComPtr<IDispatch>(new FakeDispatch(app)), false};
    }));
    view_->box.SetText(Text("old"));
    OneFormatData data = FileDrop({FixturePath("picture.doc")});
    Drop(data);
    ASSERT_TRUE(BoxShows(Text("pasted only")));
    EXPECT_EQ(view_->box.pastes, 1);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(view_->box.pastes, 1);
    EXPECT_EQ(periods_, (std::vector<int32_t>{100, 0}));
    EXPECT_TRUE(ClipboardComesBackTo(FromUtf8("用户自己的剪贴板")));
    EXPECT_EQ(view_->tab, 1);
}

TEST(RtfReader, ParagraphsComeBackAsCrLf) {
    auto text = ReadRtfWithRichEdit("{\\rtf1\\ansi a\\par b}");
    ASSERT_TRUE(text);
    EXPECT_EQ(Left(*text, 4), Text("a\r\nb"));
}

}  // namespace
}  // namespace tavimo::loading

namespace tavimo::loading {
namespace {

// The registry path: an installed component is created, a missing suite is not.
TEST(DispatchFactory, CreatesRegisteredProgIdsOnly) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    {
        DispatchFactory factory;
        EXPECT_FALSE(factory.Create(u"Tavimo.NoSuchSuite").app);
        AutoFactory::Created regex = factory.Create(u"VBScript.RegExp");
        ASSERT_TRUE(regex.app);
        EXPECT_FALSE(regex.attached);
        EXPECT_TRUE(regex.app->Put("Pattern", std::u16string(u"a+")));
        AutoValue found = regex.app->Call("Test", {std::u16string(u"baaa")});
        EXPECT_EQ(found.number, -1);
        EXPECT_FALSE(regex.app->Get("NoSuchMember").number);
    }
    ::OleUninitialize();
}

}  // namespace
}  // namespace tavimo::loading
