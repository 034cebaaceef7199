#include "app/rich_edit_box_win32.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "text/codepage.h"
#include "win32/codepage_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::win32 {

namespace {

constexpr UINT kUtf16CodePage = 1200;

void UnloadLibrary(HMODULE m) {
    ::FreeLibrary(m);
}
using UniqueModule = Unique<HMODULE, UnloadLibrary>;

// The library stays loaded while the process runs, since the window class it
// registers must outlive every box.
bool LoadRichEdit() {
    static UniqueModule module(::LoadLibraryW(L"riched20.dll"));
    return static_cast<bool>(module);
}

CHARFORMAT2W ToCharFormat(const CharFormat& f) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_OFFSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                CFM_STRIKEOUT | CFM_PROTECTED | CFM_COLOR;
    // The five effect bits line up with CFE_BOLD .. CFE_PROTECTED.
    cf.dwEffects = f.Effects & 0x1F;
    if (f.Color == CharFormat::kAutomaticColor) {
        cf.dwEffects |= CFE_AUTOCOLOR;
    } else {
        cf.crTextColor = static_cast<COLORREF>(f.Color & 0x00FFFFFF);
    }
    const std::wstring face = ToWide(f.FontName);
    const size_t n = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::memcpy(cf.szFaceName, face.data(), n * sizeof(wchar_t));
    cf.yHeight = static_cast<LONG>(f.PointSize) * 20;
    cf.yOffset = static_cast<LONG>(f.Offset) * 20;
    return cf;
}

struct StreamSource {
    const char* data;
    size_t size;
    size_t pos = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
    auto* s = reinterpret_cast<StreamSource*>(cookie);
    const size_t n = std::min(static_cast<size_t>(want), s->size - s->pos);
    std::memcpy(buffer, s->data + s->pos, n);
    s->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

}  // namespace

std::unique_ptr<RichEditBox> RichEditBox::Create(HWND parent, int id, const RECT& place) {
    if (!LoadRichEdit())
        return nullptr;
    // No horizontal scrolling: the lines wrap at the box's width.
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                        ES_AUTOVSCROLL | ES_WANTRETURN;
    HWND hwnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", style, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd)
        return nullptr;
    ::SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    ::SendMessageW(hwnd, EM_SETOPTIONS, ECOOP_OR, ECO_AUTOWORDSELECTION);
    CharFormat normal;
    normal.FontName = FromUtf8("宋体");
    CHARFORMAT2W cf = ToCharFormat(normal);
    ::SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    ::SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    return std::unique_ptr<RichEditBox>(new RichEditBox(hwnd));
}

int32_t RichEditBox::BoxLength() const {
    GETTEXTLENGTHEX q{GTL_PRECISE | GTL_NUMCHARS, kUtf16CodePage};
    const LRESULT n = ::SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&q), 0);
    return n > 0 ? static_cast<int32_t>(n) : 0;
}

Text RichEditBox::GetText() {
    GETTEXTLENGTHEX q{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, kUtf16CodePage};
    const LRESULT n = ::SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&q), 0);
    if (n <= 0)
        return Text();
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = kUtf16CodePage;
    const LRESULT copied = ::SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                          reinterpret_cast<LPARAM>(buffer.data()));
    if (copied <= 0)
        return Text();
    buffer.resize(std::min(static_cast<size_t>(copied), buffer.size()));
    return FromWide(buffer);
}

void RichEditBox::SetText(const Text& text) {
    // Streamed in as plain text, so a text that happens to begin like a rich
    // text document is never parsed as one.
    const std::wstring wide = ToWide(text);
    StreamSource source{reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    es.pfnCallback = ReadStream;
    ::SendMessageW(hwnd_, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
}

void RichEditBox::SetSelectionStart(int32_t n) {
    requestedStart_ = std::max(n, 0);
    Select();
}

void RichEditBox::SetSelectionLength(int32_t n) {
    requestedLength_ = std::max(n, -1);
    Select();
}

void RichEditBox::SelectRange(int32_t start, int32_t length) {
    requestedStart_ = std::max(start, 0);
    requestedLength_ = std::max(length, -1);
    Select();
}

void RichEditBox::Select() {
    // The whole text is [0, end): the control's own "all" would take in its
    // final paragraph mark too, one position more than the text has.
    const int64_t end = BoxLength();
    CHARRANGE range{0, static_cast<LONG>(end)};
    if (requestedLength_ != -1) {
        const int64_t start = std::min<int64_t>(requestedStart_, end);
        range.cpMin = static_cast<LONG>(start);
        range.cpMax = static_cast<LONG>(std::min<int64_t>(start + requestedLength_, end));
    }
    ::SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEditBox::ApplyFormatToSelection(const CharFormat& format) {
    CHARFORMAT2W cf = ToCharFormat(format);
    ::SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void RichEditBox::Focus() {
    ::SetFocus(hwnd_);
}

void RichEditBox::PasteFromClipboard() {
    ::SendMessageW(hwnd_, WM_PASTE, 0, 0);
}

void RichEditBox::BeginBulkUpdate() {
    if (bulkDepth_++ > 0)
        return;
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    savedEventMask_ = ::SendMessageW(hwnd_, EM_SETEVENTMASK, 0, 0);
}

void RichEditBox::EndBulkUpdate() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0)
        return;
    ::SendMessageW(hwnd_, EM_SETEVENTMASK, 0, savedEventMask_);
    ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace tavimo::win32
