#include "web/zoom_on_load_win32.h"

#include <exdispid.h>

#include <atomic>

#include "web/control_browser_win32.h"
#include "win32/com_ptr_win32.h"

namespace tavimo::win32 {

namespace {
std::atomic<long> gLive{0};
}

ZoomOnLoad::ZoomOnLoad(IWebBrowser2* control) : control_(control) {
    ++gLive;
}
ZoomOnLoad::~ZoomOnLoad() {
    --gLive;
}
long ZoomOnLoad::Live() {
    return gLive;
}

HRESULT ZoomOnLoad::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ZoomOnLoad::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&refs_));
}

ULONG ZoomOnLoad::Release() {
    const long n = ::InterlockedDecrement(&refs_);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT ZoomOnLoad::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT ZoomOnLoad::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ZoomOnLoad::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

// Frames of a page complete too, each with its own dispatch; only the page
// itself counts.
bool ZoomOnLoad::IsTopLevel(IDispatch* frame) const {
    if (!frame)
        return false;
    ComPtr<IUnknown> a, b;
    frame->QueryInterface(IID_IUnknown, a.put_void());
    control_->QueryInterface(IID_IUnknown, b.put_void());
    return a && a.get() == b.get();
}

HRESULT ZoomOnLoad::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                           UINT*) {
    if (id != DISPID_DOCUMENTCOMPLETE || !control_ || !params)
        return S_OK;
    // Arguments come last first: (pDisp, URL) arrive as rgvarg[1], rgvarg[0].
    if (params->cArgs != 2 || params->rgvarg[1].vt != VT_DISPATCH)
        return S_OK;
    if (IsTopLevel(params->rgvarg[1].pdispVal))
        ApplyTextZoom(*control_);
    return S_OK;
}

}  // namespace tavimo::win32
