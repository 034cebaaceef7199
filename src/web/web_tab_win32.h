// The browser tab's content inside its box (超文本浏览框1): the hosted web
// browser control, or, where it cannot be created or cannot render pages, a
// note in the box while result pages open in the default browser.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "web/browser_host_win32.h"
#include "web/external_browser.h"
#include "web/web_search.h"

namespace tavimo::win32 {

// The note the box shows when pages open in the default browser.
extern const wchar_t kExternalBrowserNote[];

// Whether the system's HTML engine can be created; the control alone cannot
// render pages without it.
bool BrowserEngineAvailable();

struct WebTabOptions {
    // Opens addresses outside the program; must outlive the tab.
    AddressLauncher* launcher = nullptr;
    // BrowserEngineAvailable unless set.
    std::function<bool()> engineAvailable;
    // The system's control unless set.
    BrowserHost::ControlFactory controlFactory;
};

class WebTab {
  public:
    // Never null for a valid container and launcher.
    static std::unique_ptr<WebTab> Create(HWND container, WebTabOptions options);
    WebTab(const WebTab&) = delete;
    WebTab& operator=(const WebTab&) = delete;
    ~WebTab();

    Browser& browser() { return *browser_; }
    // The hosted control, or null when pages open in the default browser.
    BrowserHost* host() { return host_.get(); }
    HWND noteWindow() const { return note_; }

    // Fits the content to the box; also done on the box's WM_SIZE.
    void Resize();
    // Keys go to the control first while it has the focus.
    bool TranslateAccelerator(MSG& msg);

  private:
    explicit WebTab(HWND container) : container_(container) {}
    static LRESULT CALLBACK BoxProc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR self);

    HWND container_;
    std::unique_ptr<BrowserHost> host_;
    // Over the host's control, or the default browser; let go of first.
    std::unique_ptr<Browser> browser_;
    HWND note_ = nullptr;  // a child of the box, destroyed with the tab
    bool subclassed_ = false;
};

}  // namespace tavimo::win32
