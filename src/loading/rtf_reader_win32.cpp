#include "loading/rtf_reader_win32.h"

#include <windows.h>
// windows.h first: richedit.h needs its types.
#include <richedit.h>

#include <algorithm>
#include <string>

#include "win32/codepage_win32.h"
#include "win32/handles_win32.h"

namespace tavimo::loading {

namespace {

inline void ReleaseLibrary(HMODULE m) {
    ::FreeLibrary(m);
}
using UniqueModule = win32::Unique<HMODULE, ReleaseLibrary>;

struct Source {
    std::string_view data;
    size_t done = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
    auto* src = reinterpret_cast<Source*>(cookie);
    size_t n = std::min(src->data.size() - src->done, static_cast<size_t>(std::max(want, 0L)));
    std::copy_n(src->data.data() + src->done, n, buffer);
    src->done += n;
    *got = static_cast<LONG>(n);
    return 0;
}

}  // namespace

std::optional<Text> ReadRtfWithRichEdit(std::string_view rtf) {
    static UniqueModule library(::LoadLibraryW(L"riched20.dll"));
    if (!library)
        return std::nullopt;
    win32::UniqueWindow edit(::CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0,
                                               0, 0, 0, nullptr, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr));
    if (!edit)
        return std::nullopt;
    ::SendMessageW(edit.get(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);

    Source source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadChunk;
    LRESULT read =
        ::SendMessageW(edit.get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0 || read <= 0)
        return std::nullopt;

    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    LRESULT units =
        ::SendMessageW(edit.get(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (units < 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(units) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    LRESULT copied = ::SendMessageW(edit.get(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                    reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return win32::FromWide(wide);
}

}  // namespace tavimo::loading
