// A small OLE container that hosts the web browser control in a child window
// (超文本浏览框1) and keeps it the size of that window.
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>

#include <functional>
#include <memory>

#include "win32/com_ptr_win32.h"

namespace tavimo::win32 {

class HostSite;
class ZoomOnLoad;

class BrowserHost {
  public:
    // Makes the control's object; CoCreateInstance of the system's control
    // unless a test gives a stand-in.
    using ControlFactory = std::function<HRESULT(IOleObject** out)>;

    // Creates the control in-place active over the container's client area:
    // silent, not offline, nothing loaded, text zoom 2 once each page has
    // loaded. Null when the control cannot be created or activated.
    static std::unique_ptr<BrowserHost> Create(HWND container, const ControlFactory& factory = {});

    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;
    // Deactivates and closes the control and lets go of every reference, ours
    // and the control's to our site and event sink.
    ~BrowserHost();

    const ComPtr<IWebBrowser2>& control() const { return control_; }
    HWND container() const { return container_; }

    // Fits the control to the container's client area again.
    void Resize();

    // While the focus is in the control, gives it a key message first (its
    // in-place active object's TranslateAccelerator); true when it took it.
    bool TranslateAccelerator(MSG& msg);

    // Host COM objects (sites and event sinks) alive in the process, for leak
    // checks: 0 once every host is gone and the control has let go of them.
    static long LiveComObjects();

  private:
    explicit BrowserHost(HWND container);
    bool Start(const ControlFactory& factory);

    HWND container_;
    ComPtr<HostSite> site_;
    ComPtr<IOleObject> object_;
    ComPtr<IWebBrowser2> control_;
    ComPtr<IOleInPlaceObject> inPlace_;
    ComPtr<IOleInPlaceActiveObject> active_;
    ComPtr<ZoomOnLoad> sink_;
    ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
    bool clientSiteSet_ = false;
};

}  // namespace tavimo::win32
