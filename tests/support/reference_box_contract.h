// What every ReferenceBox must do, as one typed suite. An adapter gives the
// suite a box and a way to look inside it:
//   ReferenceBox& box();
//   std::pair<int32_t, int32_t> Selection();  // [start, end) in box positions
//   CharFormat FormatAt(int32_t position);    // may move the selection
//   void SetClipboard(const Text& text);
//   bool HasFocus();
// Include it in exactly one source file of a test program and instantiate it
// there with INSTANTIATE_TYPED_TEST_SUITE_P(Name, ReferenceBoxContract, Types).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "app/reference_box.h"
#include "text/codepage.h"
#include "text/text.h"

namespace tavimo {

template <class Adapter>
class ReferenceBoxContract : public ::testing::Test {
  protected:
    ReferenceBox& box() { return adapter.box(); }
    Adapter adapter;
};

TYPED_TEST_SUITE_P(ReferenceBoxContract);

using Sel = std::pair<int32_t, int32_t>;

TYPED_TEST_P(ReferenceBoxContract, TextComesBackWithCrLfAndBreaksCountOne) {
    struct Case {
        const char* utf8;
        const char* back;  // nullptr: the same text
        int32_t boxLength;
    };
    const Case cases[] = {
        {"", nullptr, 0},
        {"abc", nullptr, 3},
        {"第一行\r\n第二行", nullptr, 7},
        {"a\r\n\r\nb", nullptr, 4},
        {"中文x", nullptr, 3},
        // Looks like a rich text document, but is plain text to the box.
        {"{\\rtf1 plain}", nullptr, 13},
        {"tab\there", nullptr, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        this->box().SetText(FromUtf8(c.utf8));
        EXPECT_EQ(this->box().GetText(), FromUtf8(c.back ? c.back : c.utf8));
        this->box().SetSelectionLength(-1);
        EXPECT_EQ(this->adapter.Selection(), Sel(0, c.boxLength));
    }
}

TYPED_TEST_P(ReferenceBoxContract, NegativeStartCountsAsZero) {
    this->box().SetText("abcdef");
    this->box().SetSelectionStart(-5);
    this->box().SetSelectionLength(3);
    EXPECT_EQ(this->adapter.Selection(), Sel(0, 3));
}

TYPED_TEST_P(ReferenceBoxContract, EachSetterReselectsWithTheOtherValue) {
    this->box().SetText("0123456789abcdefghij");
    this->box().SetSelectionLength(4);
    EXPECT_EQ(this->adapter.Selection(), Sel(0, 4));
    this->box().SetSelectionStart(10);
    EXPECT_EQ(this->adapter.Selection(), Sel(10, 14));
    this->box().SetSelectionLength(-7);  // below -1 counts as -1: everything
    EXPECT_EQ(this->adapter.Selection(), Sel(0, 20));
    this->box().SetSelectionLength(0);
    EXPECT_EQ(this->adapter.Selection(), Sel(10, 10));
}

TYPED_TEST_P(ReferenceBoxContract, PositionsPastTheEndMeanTheEnd) {
    this->box().SetText(FromUtf8("ab\r\n中文"));  // 5 box characters
    this->box().SetSelectionLength(0);
    this->box().SetSelectionStart(99);
    EXPECT_EQ(this->adapter.Selection(), Sel(5, 5));
    this->box().SetSelectionStart(3);
    this->box().SetSelectionLength(1000);
    EXPECT_EQ(this->adapter.Selection(), Sel(3, 5));
    this->box().SetSelectionStart(1);
    this->box().SetSelectionLength(0x7FFFFFFF);  // start + length must not wrap
    EXPECT_EQ(this->adapter.Selection(), Sel(1, 5));
}

TYPED_TEST_P(ReferenceBoxContract, FormatLandsOnTheBoxPositionsSelected) {
    // A hit after a line break and a two-byte character: the selection must
    // count each as one position, or the colour lands beside the hit.
    this->box().SetText(FromUtf8("中\r\nab答案cd"));
    CharFormat red;
    red.FontName = FromUtf8("宋体");
    red.Color = 255;
    this->box().SetSelectionStart(4);
    this->box().SetSelectionLength(2);
    this->box().ApplyFormatToSelection(red);
    for (int32_t pos = 0; pos < 8; ++pos) {
        SCOPED_TRACE(pos);
        const bool hit = pos == 4 || pos == 5;
        EXPECT_EQ(this->adapter.FormatAt(pos).Color, hit ? 255u : CharFormat::kAutomaticColor);
    }
}

TYPED_TEST_P(ReferenceBoxContract, EveryFormatFieldIsApplied) {
    this->box().SetText("abcdef");
    CharFormat f;
    f.FontName = "Arial";
    f.PointSize = 14;
    f.Offset = 2;
    f.Effects = 0xFFFFFFE0u | 0x0B;  // bold, italic, strike-out; high bits ignored
    f.Color = 0x00123456;
    this->box().SetSelectionStart(1);
    this->box().SetSelectionLength(3);
    this->box().ApplyFormatToSelection(f);
    CharFormat want = f;
    want.Effects = 0x0B;
    EXPECT_EQ(this->adapter.FormatAt(2), want);

    CharFormat automatic;
    automatic.FontName = FromUtf8("宋体");
    automatic.PointSize = 9;
    automatic.Effects = 0x14;  // underline, protected
    this->box().SetSelectionStart(1);
    this->box().SetSelectionLength(3);
    this->box().ApplyFormatToSelection(automatic);
    EXPECT_EQ(this->adapter.FormatAt(1), automatic);
    EXPECT_EQ(this->adapter.FormatAt(3), automatic);
}

TYPED_TEST_P(ReferenceBoxContract, PasteReplacesTheSelection) {
    this->adapter.SetClipboard(FromUtf8("粘贴\r\nX"));
    this->box().SetText("12345");
    this->box().SetSelectionStart(1);
    this->box().SetSelectionLength(2);
    this->box().PasteFromClipboard();
    EXPECT_EQ(this->box().GetText(), FromUtf8("1粘贴\r\nX45"));
}

TYPED_TEST_P(ReferenceBoxContract, FocusTakesTheKeyboard) {
    this->box().Focus();
    EXPECT_TRUE(this->adapter.HasFocus());
}

TYPED_TEST_P(ReferenceBoxContract, BulkUpdatesNest) {
    this->box().SetText("abc");
    {
        BulkUpdate outer(this->box());
        {
            BulkUpdate inner(this->box());
            this->box().SetSelectionStart(1);
            this->box().SetSelectionLength(1);
        }
        this->box().SetText("xyz");
    }
    this->box().EndBulkUpdate();  // one too many does no harm
    EXPECT_EQ(this->box().GetText(), Text("xyz"));
}

REGISTER_TYPED_TEST_SUITE_P(ReferenceBoxContract, TextComesBackWithCrLfAndBreaksCountOne,
                            NegativeStartCountsAsZero, EachSetterReselectsWithTheOtherValue,
                            PositionsPastTheEndMeanTheEnd, FormatLandsOnTheBoxPositionsSelected,
                            EveryFormatFieldIsApplied, PasteReplacesTheSelection,
                            FocusTakesTheKeyboard, BulkUpdatesNest);

}  // namespace tavimo
