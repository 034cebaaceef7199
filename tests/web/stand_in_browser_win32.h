// A stand-in for the web browser control that records what the host asks of
// it and counts the references it is given, so tests can see the calls the
// real control would receive and that nothing is left held at teardown.
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace tavimo::testing {

class StandInBrowser final : public IWebBrowser2,
                             public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IConnectionPointContainer {
  public:
    StandInBrowser() : point_(*this) {}
    ~StandInBrowser() { ReleaseHeld(); }

    // Each call as one line, such as "Navigate https://... flags=I4:0".
    std::vector<std::string> calls;
    // What TranslateAccelerator answers.
    HRESULT acceleratorResult = S_OK;

    long refs() const { return refs_; }
    HWND window() const { return window_; }
    IOleClientSite* site() const { return site_; }
    IDispatch* sink() const { return sink_; }
    void Clear() { calls.clear(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    // Owned by the test: never deletes itself.
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IWebBrowser2: the calls the host makes are recorded; a refusal of
    // GoBack and GoForward (no page there) is what the real control answers.
    HRESULT STDMETHODCALLTYPE GoBack() override { return Record("GoBack", E_FAIL); }
    HRESULT STDMETHODCALLTYPE GoForward() override { return Record("GoForward", E_FAIL); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return Record("Refresh", S_OK); }
    HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* frame, VARIANT* post,
                                       VARIANT* headers) override;
    HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID id, OLECMDEXECOPT option, VARIANT* in,
                                     VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL b) override {
        return Record("put_Silent " + std::to_string(b), S_OK);
    }
    HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL b) override {
        return Record("put_Offline " + std::to_string(b), S_OK);
    }
#define TAVIMO_STUB(name, ...)                             \
    HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { \
        return Record(#name, E_NOTIMPL);                   \
    }
    TAVIMO_STUB(GoHome)
    TAVIMO_STUB(GoSearch)
    TAVIMO_STUB(Refresh2, VARIANT*)
    TAVIMO_STUB(Stop)
    TAVIMO_STUB(get_Application, IDispatch**)
    TAVIMO_STUB(get_Parent, IDispatch**)
    TAVIMO_STUB(get_Container, IDispatch**)
    TAVIMO_STUB(get_Document, IDispatch**)
    TAVIMO_STUB(get_TopLevelContainer, VARIANT_BOOL*)
    TAVIMO_STUB(get_Type, BSTR*)
    TAVIMO_STUB(get_Left, LONG*)
    TAVIMO_STUB(put_Left, LONG)
    TAVIMO_STUB(get_Top, LONG*)
    TAVIMO_STUB(put_Top, LONG)
    TAVIMO_STUB(get_Width, LONG*)
    TAVIMO_STUB(put_Width, LONG)
    TAVIMO_STUB(get_Height, LONG*)
    TAVIMO_STUB(put_Height, LONG)
    TAVIMO_STUB(get_LocationName, BSTR*)
    TAVIMO_STUB(get_LocationURL, BSTR*)
    TAVIMO_STUB(get_Busy, VARIANT_BOOL*)
    TAVIMO_STUB(Quit)
    TAVIMO_STUB(ClientToWindow, int*, int*)
    TAVIMO_STUB(PutProperty, BSTR, VARIANT)
    TAVIMO_STUB(GetProperty, BSTR, VARIANT*)
    TAVIMO_STUB(get_Name, BSTR*)
    TAVIMO_STUB(get_HWND, SHANDLE_PTR*)
    TAVIMO_STUB(get_FullName, BSTR*)
    TAVIMO_STUB(get_Path, BSTR*)
    TAVIMO_STUB(get_Visible, VARIANT_BOOL*)
    TAVIMO_STUB(put_Visible, VARIANT_BOOL)
    TAVIMO_STUB(get_StatusBar, VARIANT_BOOL*)
    TAVIMO_STUB(put_StatusBar, VARIANT_BOOL)
    TAVIMO_STUB(get_StatusText, BSTR*)
    TAVIMO_STUB(put_StatusText, BSTR)
    TAVIMO_STUB(get_ToolBar, int*)
    TAVIMO_STUB(put_ToolBar, int)
    TAVIMO_STUB(get_MenuBar, VARIANT_BOOL*)
    TAVIMO_STUB(put_MenuBar, VARIANT_BOOL)
    TAVIMO_STUB(get_FullScreen, VARIANT_BOOL*)
    TAVIMO_STUB(put_FullScreen, VARIANT_BOOL)
    TAVIMO_STUB(Navigate2, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*)
    TAVIMO_STUB(QueryStatusWB, OLECMDID, OLECMDF*)
    TAVIMO_STUB(ShowBrowserBar, VARIANT*, VARIANT*, VARIANT*)
    TAVIMO_STUB(get_ReadyState, READYSTATE*)
    TAVIMO_STUB(get_Offline, VARIANT_BOOL*)
    TAVIMO_STUB(get_Silent, VARIANT_BOOL*)
    TAVIMO_STUB(get_RegisterAsBrowser, VARIANT_BOOL*)
    TAVIMO_STUB(put_RegisterAsBrowser, VARIANT_BOOL)
    TAVIMO_STUB(get_RegisterAsDropTarget, VARIANT_BOOL*)
    TAVIMO_STUB(put_RegisterAsDropTarget, VARIANT_BOOL)
    TAVIMO_STUB(get_TheaterMode, VARIANT_BOOL*)
    TAVIMO_STUB(put_TheaterMode, VARIANT_BOOL)
    TAVIMO_STUB(get_AddressBar, VARIANT_BOOL*)
    TAVIMO_STUB(put_AddressBar, VARIANT_BOOL)
    TAVIMO_STUB(get_Resizable, VARIANT_BOOL*)
    TAVIMO_STUB(put_Resizable, VARIANT_BOOL)

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD) override {
        return Record("Close", S_OK);
    }
    TAVIMO_STUB(GetClientSite, IOleClientSite**)
    TAVIMO_STUB(SetHostNames, LPCOLESTR, LPCOLESTR)
    TAVIMO_STUB(SetMoniker, DWORD, IMoniker*)
    TAVIMO_STUB(GetMoniker, DWORD, DWORD, IMoniker**)
    TAVIMO_STUB(InitFromData, IDataObject*, BOOL, DWORD)
    TAVIMO_STUB(GetClipboardData, DWORD, IDataObject**)
    TAVIMO_STUB(EnumVerbs, IEnumOLEVERB**)
    TAVIMO_STUB(Update)
    TAVIMO_STUB(IsUpToDate)
    TAVIMO_STUB(GetUserClassID, CLSID*)
    TAVIMO_STUB(GetUserType, DWORD, LPOLESTR*)
    TAVIMO_STUB(SetExtent, DWORD, SIZEL*)
    TAVIMO_STUB(GetExtent, DWORD, SIZEL*)
    TAVIMO_STUB(Advise, IAdviseSink*, DWORD*)
    TAVIMO_STUB(Unadvise, DWORD)
    TAVIMO_STUB(EnumAdvise, IEnumSTATDATA**)
    TAVIMO_STUB(GetMiscStatus, DWORD, DWORD*)
    TAVIMO_STUB(SetColorScheme, LOGPALETTE*)

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override;
    TAVIMO_STUB(ContextSensitiveHelp, BOOL)
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    TAVIMO_STUB(UIDeactivate)
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    TAVIMO_STUB(ReactivateAndUndo)
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    TAVIMO_STUB(OnFrameWindowActivate, BOOL)
    TAVIMO_STUB(OnDocWindowActivate, BOOL)
    TAVIMO_STUB(ResizeBorder, LPCRECT, IOleInPlaceUIWindow*, BOOL)
    TAVIMO_STUB(EnableModeless, BOOL)

    // IConnectionPointContainer: the DWebBrowserEvents2 point only.
    TAVIMO_STUB(EnumConnectionPoints, IEnumConnectionPoints**)
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;
#undef TAVIMO_STUB

  private:
    // The connection point is a part of the stand-in and counts its
    // references with it (its Advise and Unadvise differ from IOleObject's).
    class EventPoint final : public IConnectionPoint {
      public:
        explicit EventPoint(StandInBrowser& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE
        GetConnectionPointContainer(IConnectionPointContainer**) override {
            return E_NOTIMPL;
        }
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

      private:
        StandInBrowser& owner_;
    };

    HRESULT Record(std::string call, HRESULT result) {
        calls.push_back(std::move(call));
        return result;
    }
    void ReleaseHeld();

    long refs_ = 1;  // the test's own
    EventPoint point_;
    IOleClientSite* site_ = nullptr;
    IDispatch* sink_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace tavimo::testing
