#include "win32/codepage_win32.h"

#include <windows.h>

namespace tavimo::win32 {

std::wstring ToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    int n = ::MultiByteToWideChar(kTextCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(kTextCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                          out.data(), n);
    return out;
}

std::wstring ToWide(const Text& text) {
    return ToWide(text.view());
}

Text FromWide(std::wstring_view wide) {
    if (wide.empty())
        return Text();
    int n = ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                                  nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return Text();
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                          n, nullptr, nullptr);
    return Text(out);  // ends at the first zero, as everything from outside
}

std::wstring WideFromUtf8(std::string_view utf8) {
    if (utf8.empty())
        return {};
    int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

}  // namespace tavimo::win32
