#include "stand_in_browser_win32.h"

#include <exdisp.h>
#include <olectl.h>

namespace tavimo::testing {

namespace {

std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; s && *s; ++s)
        out += *s < 0x80 ? static_cast<char>(*s) : '?';
    return out;
}

std::string Describe(const VARIANT* v) {
    if (!v)
        return "null";
    switch (v->vt) {
        case VT_EMPTY:
            return "empty";
        case VT_I4:
            return "I4:" + std::to_string(v->lVal);
        default:
            return "vt" + std::to_string(v->vt);
    }
}

}  // namespace

HRESULT StandInBrowser::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IWebBrowser ||
        iid == IID_IWebBrowserApp || iid == IID_IWebBrowser2) {
        *out = static_cast<IWebBrowser2*>(this);
    } else if (iid == IID_IOleObject) {
        *out = static_cast<IOleObject*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
        *out = static_cast<IOleInPlaceObject*>(this);
    } else if (iid == IID_IOleInPlaceActiveObject) {
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT StandInBrowser::Navigate(BSTR url, VARIANT* flags, VARIANT* frame, VARIANT* post,
                                 VARIANT* headers) {
    return Record("Navigate " + Narrow(url) + " flags=" + Describe(flags) + " frame=" +
                      Describe(frame) + " post=" + Describe(post) + " headers=" + Describe(headers),
                  S_OK);
}

HRESULT StandInBrowser::ExecWB(OLECMDID id, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) {
    return Record("ExecWB " + std::to_string(id) + " option=" + std::to_string(option) +
                      " in=" + Describe(in) + " out=" + Describe(out),
                  S_OK);
}

HRESULT StandInBrowser::SetClientSite(IOleClientSite* site) {
    if (site)
        site->AddRef();
    if (site_)
        site_->Release();
    site_ = site;
    return Record(site ? "SetClientSite site" : "SetClientSite null", S_OK);
}

HRESULT StandInBrowser::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT rect) {
    if (!window_ && parent && rect) {
        window_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                    rect->right - rect->left, rect->bottom - rect->top, parent,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    return Record("DoVerb " + std::to_string(verb), window_ ? S_OK : E_FAIL);
}

HRESULT StandInBrowser::GetWindow(HWND* w) {
    if (!w)
        return E_POINTER;
    *w = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT StandInBrowser::InPlaceDeactivate() {
    if (window_)
        ::DestroyWindow(window_);
    window_ = nullptr;
    return Record("InPlaceDeactivate", S_OK);
}

HRESULT StandInBrowser::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (window_ && pos) {
        ::MoveWindow(window_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top,
                     TRUE);
    }
    return Record("SetObjectRects", S_OK);
}

HRESULT StandInBrowser::TranslateAccelerator(LPMSG msg) {
    return Record("TranslateAccelerator " + std::to_string(msg ? msg->wParam : 0),
                  acceleratorResult);
}

HRESULT StandInBrowser::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != DIID_DWebBrowserEvents2)
        return CONNECT_E_NOCONNECTION;
    *out = &point_;
    point_.AddRef();
    return S_OK;
}

HRESULT StandInBrowser::EventPoint::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint)
        return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT StandInBrowser::EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie || owner_.sink_)
        return E_FAIL;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&owner_.sink_))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = 1;
    return owner_.Record("Advise", S_OK);
}

HRESULT StandInBrowser::EventPoint::Unadvise(DWORD cookie) {
    if (cookie != 1 || !owner_.sink_)
        return CONNECT_E_NOCONNECTION;
    owner_.sink_->Release();
    owner_.sink_ = nullptr;
    return owner_.Record("Unadvise", S_OK);
}

void StandInBrowser::ReleaseHeld() {
    if (sink_)
        sink_->Release();
    if (site_)
        site_->Release();
    sink_ = nullptr;
    site_ = nullptr;
    if (window_)
        ::DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace tavimo::testing
