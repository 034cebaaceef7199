#include "web/browser_host_win32.h"

#include <atomic>
#include <new>

#include "web/control_browser_win32.h"
#include "web/zoom_on_load_win32.h"

namespace tavimo::win32 {

namespace {
std::atomic<long> gLiveSites{0};

RECT ClientRect(HWND w) {
    RECT rc{};
    ::GetClientRect(w, &rc);
    return rc;
}
}  // namespace

// The container's side of the OLE conversation: client site, in-place site
// and in-place frame in one object. The container window is both the site's
// window and the frame's; the program has no menus or toolbars to share.
class HostSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
  public:
    explicit HostSite(HWND container) : container_(container) { ++gLiveSites; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const long n = ::InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** mk) override {
        if (mk)
            *mk = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        if (c)
            *c = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the in-place site and the frame alike
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override {
        if (!w)
            return E_POINTER;
        *w = container_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !doc || !pos || !clip || !info)
            return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *doc = nullptr;
        *pos = ClientRect(container_);
        *clip = *pos;
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(container_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    // The box decides the control's size, not the control.
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    ~HostSite() { --gLiveSites; }

    long refs_ = 1;
    HWND container_;
};

long BrowserHost::LiveComObjects() {
    return gLiveSites + ZoomOnLoad::Live();
}

BrowserHost::BrowserHost(HWND container) : container_(container) {}

std::unique_ptr<BrowserHost> BrowserHost::Create(HWND container, const ControlFactory& factory) {
    if (!container)
        return nullptr;
    std::unique_ptr<BrowserHost> host(new BrowserHost(container));
    if (!host->Start(factory))
        return nullptr;
    return host;
}

bool BrowserHost::Start(const ControlFactory& factory) {
    site_ = ComPtr<HostSite>::Adopt(new (std::nothrow) HostSite(container_));
    if (!site_)
        return false;
    const HRESULT made = factory
                             ? factory(object_.put())
                             : ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IOleObject, object_.put_void());
    if (FAILED(made) || !object_)
        return false;
    control_ = object_.As<IWebBrowser2>(IID_IWebBrowser2);
    if (!control_)
        return false;

    IOleClientSite* clientSite = site_.get();
    if (FAILED(object_->SetClientSite(clientSite)))
        return false;
    clientSiteSet_ = true;
    ApplyCreationSettings(*control_);

    RECT rc = ClientRect(container_);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, container_, &rc)))
        return false;
    inPlace_ = object_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    active_ = object_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);

    // Without the events the pages just keep the control's own zoom.
    auto points = control_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (points && SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.put()))) {
        sink_ = ComPtr<ZoomOnLoad>::Adopt(new (std::nothrow) ZoomOnLoad(control_.get()));
        if (!sink_ || FAILED(events_->Advise(sink_.get(), &cookie_))) {
            cookie_ = 0;
            events_.reset();
        }
    }
    Resize();
    return true;
}

BrowserHost::~BrowserHost() {
    if (events_ && cookie_)
        events_->Unadvise(cookie_);
    if (sink_)
        sink_->Detach();
    events_.reset();
    sink_.reset();
    if (inPlace_)
        inPlace_->InPlaceDeactivate();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        if (clientSiteSet_)
            object_->SetClientSite(nullptr);
    }
    active_.reset();
    inPlace_.reset();
    control_.reset();
    object_.reset();
    site_.reset();
}

void BrowserHost::Resize() {
    if (!inPlace_)
        return;
    RECT rc = ClientRect(container_);
    inPlace_->SetObjectRects(&rc, &rc);
}

bool BrowserHost::TranslateAccelerator(MSG& msg) {
    if (!active_ || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(container_, focus))
        return false;
    return active_->TranslateAccelerator(&msg) == S_OK;
}

}  // namespace tavimo::win32
