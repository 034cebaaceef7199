// Listens to the browser control's events to set the text zoom each time a
// page has loaded: the zoom command fails while no document is there.
#pragma once

#include <windows.h>

#include <exdisp.h>

namespace tavimo::win32 {

// A DWebBrowserEvents2 sink. It holds no reference to the control (that
// would be a cycle through the connection point); the host detaches it before
// letting the control go.
class ZoomOnLoad final : public IDispatch {
  public:
    explicit ZoomOnLoad(IWebBrowser2* control);
    void Detach() { control_ = nullptr; }

    // How many sinks are alive in the process, for leak checks.
    static long Live();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

  private:
    ~ZoomOnLoad();
    bool IsTopLevel(IDispatch* frame) const;

    long refs_ = 1;
    IWebBrowser2* control_;
};

}  // namespace tavimo::win32
