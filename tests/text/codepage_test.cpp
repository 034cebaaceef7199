#include "text/codepage.h"

#include <gtest/gtest.h>

namespace tavimo {
namespace {

TEST(CodePage, LiteralsBecomeGbk) {
    EXPECT_EQ(FromUtf8("宋体").bytes(), "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(FromUtf8("a中b").bytes(),
              "a\xD6\xD0"
              "b");
    EXPECT_EQ(FromUtf8("……").bytes(), "\xA1\xAD\xA1\xAD");
    EXPECT_EQ(FromUtf8("€").bytes(), "\x80");
    EXPECT_EQ(ToUtf8(Text("\xCB\xCE\xCC\xE5")), "宋体");
}

TEST(CodePage, UnmappableAndMalformed) {
    EXPECT_EQ(FromUtf8("a\xF0\x9F\x98\x80z").bytes(), "a?z");  // outside the BMP
    EXPECT_EQ(FromUtf8("\xC3\xA9").bytes(), "\xA8\xA6");       // é is in GBK
    EXPECT_EQ(FromUtf8("\xE2\x82").bytes(), "??");             // truncated UTF-8
    EXPECT_EQ(Cp936ToUtf16("\xFF"), u"\uFFFD");
    EXPECT_EQ(Cp936ToUtf16("\xB0"), u"\uFFFD");  // lead byte without trail
    EXPECT_EQ(Cp936ToUtf16("\x81\x30"), u"\uFFFD0");
}

TEST(CodePage, EveryDoubleByteCodeRoundTrips) {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            std::string b{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string u = Cp936ToUtf16(b);
            ASSERT_EQ(u.size(), 1u);
            if (Utf16ToCp936(u) == b)
                ++mapped;
        }
    }
    // A few Unicode units have two codes; all but those come back unchanged.
    EXPECT_GT(mapped, 23900);
}

TEST(CodePage, Utf8Utf16RoundTrip) {
    std::string s = "x\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);
}

}  // namespace
}  // namespace tavimo
