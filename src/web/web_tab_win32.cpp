#include "web/web_tab_win32.h"

#include <commctrl.h>

#include "web/control_browser_win32.h"
#include "win32/com_ptr_win32.h"

namespace tavimo::win32 {

const wchar_t kExternalBrowserNote[] =
    L"\u672C\u673A\u65E0\u6CD5\u5728\u6B64\u663E\u793A\u7F51\u9875\uFF0C"
    L"\u641C\u7D22\u7ED3\u679C\u5C06\u5728\u9ED8\u8BA4\u6D4F\u89C8\u5668\u4E2D\u6253\u5F00\u3002";

namespace {
constexpr UINT_PTR kSubclassId = 0x7765;  // one per box
// The HTML document object of the system's engine (CLSID_HTMLDocument).
constexpr CLSID kHtmlDocument = {
    0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};
}  // namespace

bool BrowserEngineAvailable() {
    ComPtr<IUnknown> doc;
    return SUCCEEDED(::CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                        doc.put_void())) &&
           doc;
}

std::unique_ptr<WebTab> WebTab::Create(HWND container, WebTabOptions options) {
    if (!container || !options.launcher)
        return nullptr;
    std::unique_ptr<WebTab> tab(new WebTab(container));
    const bool engine =
        options.engineAvailable ? options.engineAvailable() : BrowserEngineAvailable();
    if (engine)
        tab->host_ = BrowserHost::Create(container, options.controlFactory);
    if (tab->host_) {
        tab->browser_ = std::make_unique<ControlBrowser>(tab->host_->control());
    } else {
        tab->browser_ = std::make_unique<ExternalBrowser>(*options.launcher);
        tab->note_ =
            ::CreateWindowExW(0, L"STATIC", kExternalBrowserNote, WS_CHILD | WS_VISIBLE | SS_CENTER,
                              0, 0, 0, 0, container, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (tab->note_) {
            ::SendMessageW(tab->note_, WM_SETFONT,
                           reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        }
    }
    tab->subclassed_ = ::SetWindowSubclass(container, BoxProc, kSubclassId,
                                           reinterpret_cast<DWORD_PTR>(tab.get())) != FALSE;
    tab->Resize();
    return tab;
}

WebTab::~WebTab() {
    if (subclassed_)
        ::RemoveWindowSubclass(container_, BoxProc, kSubclassId);
    browser_.reset();  // its reference to the control goes before the host closes it
    host_.reset();
    if (note_ && ::IsWindow(note_))
        ::DestroyWindow(note_);
}

void WebTab::Resize() {
    if (host_)
        host_->Resize();
    if (note_) {
        RECT rc{};
        ::GetClientRect(container_, &rc);
        // The note sits a little below the top edge, across the whole box.
        const int top = (rc.bottom - rc.top) / 3;
        ::MoveWindow(note_, 0, top, rc.right - rc.left, (rc.bottom - rc.top) - top, TRUE);
    }
}

bool WebTab::TranslateAccelerator(MSG& msg) {
    return host_ && host_->TranslateAccelerator(msg);
}

LRESULT CALLBACK WebTab::BoxProc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (m == WM_SIZE)
        reinterpret_cast<WebTab*>(self)->Resize();
    return ::DefSubclassProc(w, m, wp, lp);
}

}  // namespace tavimo::win32
