#include "capture/hover_tracker.h"

#include <gtest/gtest.h>

namespace tavimo::capture {
namespace {

// As GetWindowRect reports a 610 x 414 window at (100, 50).
const RectD kWindow{100, 50, 710, 464};

struct HoverCase {
    const char* name;
    PointI cursor;
    bool raiseChecked, captureChecked;
    int32_t armedBefore;
    bool raises;
    int32_t armedAfter;
};

class Hover : public testing::TestWithParam<HoverCase> {};

TEST_P(Hover, Tick) {
    const HoverCase& c = GetParam();
    std::atomic<int32_t> armed{c.armedBefore};
    EXPECT_EQ(TrackHoverTick(c.cursor, kWindow, c.raiseChecked, c.captureChecked, armed), c.raises);
    EXPECT_EQ(armed.load(), c.armedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Hover,
    testing::Values(
        HoverCase{"inside_raises_and_disarms", {300, 200}, true, true, 1, true, 0},
        HoverCase{"inside_without_raise_box", {300, 200}, false, true, 1, false, 0},
        HoverCase{"inside_with_capture_off_still_disarms", {300, 200}, false, false, 1, false, 0},
        HoverCase{"top_left_corner", {100, 50}, true, true, 1, true, 0},
        HoverCase{"right_column_counts_inside", {710, 200}, true, true, 1, true, 0},
        HoverCase{"bottom_row_counts_inside", {300, 464}, true, true, 1, true, 0},
        HoverCase{"bottom_right_corner", {710, 464}, false, true, 1, false, 0},
        HoverCase{"past_right_column", {711, 200}, true, true, 0, false, 1},
        HoverCase{"past_bottom_row", {300, 465}, true, true, 0, false, 1},
        HoverCase{"left_of_window", {99, 200}, true, true, 0, false, 1},
        HoverCase{"above_window", {300, 49}, true, true, 0, false, 1},
        HoverCase{"outside_capture_off_keeps_zero", {0, 0}, true, false, 0, false, 0},
        HoverCase{"outside_capture_off_keeps_one", {0, 0}, true, false, 1, false, 1}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(Hover, CaptureBoxClickSettlesTheFlagUntilTheNextTick) {
    std::atomic<int32_t> armed{0};
    CaptureBoxClicked(true, armed);
    EXPECT_EQ(armed.load(), 1);
    // The click happened over the window, so the next tick disarms.
    TrackHoverTick({300, 200}, kWindow, false, true, armed);
    EXPECT_EQ(armed.load(), 0);
    TrackHoverTick({5, 5}, kWindow, false, true, armed);
    EXPECT_EQ(armed.load(), 1);
    CaptureBoxClicked(false, armed);
    EXPECT_EQ(armed.load(), 0);
}

TEST(Hover, FractionalRectangleUsesTheTolerance) {
    RectD r{10.00000005, 10, 20, 20};
    EXPECT_TRUE(CursorOverWindow({10, 15}, r));
    RectD far{10.001, 10, 20, 20};
    EXPECT_FALSE(CursorOverWindow({10, 15}, far));
}

}  // namespace
}  // namespace tavimo::capture
