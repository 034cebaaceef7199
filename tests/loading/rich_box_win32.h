// A test window with a real rich-edit box behind the loading handlers' views.
#pragma once

#include <windows.h>
// windows.h first: richedit.h needs its types.
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "app/app_view.h"
#include "win32/codepage_win32.h"

namespace tavimo::loading::testing {

class RichBox : public ReferenceBox {
  public:
    explicit RichBox(HWND edit) : edit_(edit) {}
    Text GetText() override {
        GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
        auto units =
            ::SendMessageW(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
        std::wstring wide(static_cast<size_t>(units) + 1, L'\0');
        GETTEXTEX get{};
        get.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
        get.flags = GT_USECRLF;
        get.codepage = 1200;
        auto got = ::SendMessageW(edit_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                  reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(static_cast<size_t>(got));
        return win32::FromWide(wide);
    }
    void SetText(const Text& text) override {
        ::SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::ToWide(text).c_str()));
    }
    void SetSelectionStart(int32_t n) override {
        start_ = std::max(n, 0);
        Select();
    }
    void SetSelectionLength(int32_t n) override {
        length_ = std::max(n, -1);
        Select();
    }
    void ApplyFormatToSelection(const CharFormat& f) override {
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_FACE | CFM_SIZE | CFM_OFFSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                    CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
        std::wstring face = win32::ToWide(f.FontName);
        face.copy(cf.szFaceName, LF_FACESIZE - 1);
        cf.yHeight = f.PointSize * 20;
        cf.yOffset = f.Offset * 20;
        cf.dwEffects = f.Effects & 0x1F;
        if (f.Color == CharFormat::kAutomaticColor) {
            cf.dwEffects |= CFE_AUTOCOLOR;
        } else {
            cf.crTextColor = f.Color;
        }
        ::SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    void Focus() override { ::SetFocus(edit_); }
    void PasteFromClipboard() override {
        ++pastes;
        ::SendMessageW(edit_, WM_PASTE, 0, 0);
    }

    int pastes = 0;

  private:
    void Select() {
        CHARRANGE r{start_, length_ < 0 ? -1 : start_ + length_};
        ::SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    }
    HWND edit_;
    int32_t start_ = 0, length_ = 0;
};

class TestView : public AppView {
  public:
    explicit TestView(HWND edit) : box(edit) {}
    Text Term() override { return {}; }
    void SetTerm(const Text&) override {}
    void SetStatus(const Text& c) override { status = c; }
    int32_t CurrentTab() override { return tab; }
    void SetCurrentTab(int32_t t) override { tab = t; }
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return true; }
    bool CaptureChecked() override { return true; }
    bool LocalSearchSelected() override { return true; }
    bool WebSearchSelected() override { return false; }

    RichBox box;
    Text status;
    int32_t tab = 0;
};

// Dispatches messages until the condition holds or the time is up.
// Generous: it returns as soon as the condition holds, and a loaded machine is slow.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 10000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace tavimo::loading::testing
