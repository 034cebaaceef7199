#include "web/control_browser_win32.h"

#include "win32/codepage_win32.h"

namespace tavimo::win32 {

void ControlBrowser::Navigate(const Text& address) {
    UniqueBstr url(ToWide(address).c_str());
    UniqueVariant flags = UniqueVariant::Int(0);
    UniqueVariant targetFrame, postData, headers;
    control_->Navigate(url.get(), flags.get(), targetFrame.get(), postData.get(), headers.get());
}

void ApplyCreationSettings(IWebBrowser2& control) {
    control.put_Silent(VARIANT_TRUE);
    control.put_Offline(VARIANT_FALSE);
}

void ApplyTextZoom(IWebBrowser2& control) {
    UniqueVariant level = UniqueVariant::Int(2);
    control.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, level.get(), nullptr);
}

}  // namespace tavimo::win32
