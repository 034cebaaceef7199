// The portable converter agrees with the system's own code page 936.
#include "win32/codepage_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "text/codepage.h"

namespace tavimo {
namespace {

TEST(CodePageWin32, PortableTableMatchesTheSystem) {
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            std::string b{static_cast<char>(lead), static_cast<char>(trail)};
            std::wstring sys = win32::ToWide(std::string_view(b));
            std::u16string ours = Cp936ToUtf16(b);
            ASSERT_EQ(sys.size(), ours.size());
            ASSERT_EQ(static_cast<char16_t>(sys[0]), ours[0]) << lead << " " << trail;
            ASSERT_EQ(win32::FromWide(sys).bytes(),
                      Utf16ToCp936(std::u16string(ours.begin(), ours.end())))
                << lead << " " << trail;
        }
    }
}

TEST(CodePageWin32, ZeroEndsTheText) {
    EXPECT_EQ(win32::FromWide(std::wstring_view(L"ab\0c", 4)).bytes(), "ab");
}

}  // namespace
}  // namespace tavimo
