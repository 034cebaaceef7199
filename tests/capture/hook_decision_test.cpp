#include "capture/hook_decision.h"

#include <gtest/gtest.h>

namespace tavimo::capture {
namespace {

struct ReleaseCase {
    const char* name;
    PointI press, release;
    bool captureChecked;
    int32_t armed;
    bool starts;
};

class Release : public testing::TestWithParam<ReleaseCase> {};

TEST_P(Release, StartsOnlyForAnArmedDrag) {
    const ReleaseCase& c = GetParam();
    PointI anchor{-5, -5};
    EXPECT_FALSE(
        DecideMouseEvent(MouseEvent::LeftDown, c.press, anchor, c.captureChecked, c.armed));
    EXPECT_EQ(anchor.x, c.press.x);
    EXPECT_EQ(anchor.y, c.press.y);
    EXPECT_EQ(DecideMouseEvent(MouseEvent::LeftUp, c.release, anchor, c.captureChecked, c.armed),
              c.starts);
    // A release never moves the anchor.
    EXPECT_EQ(anchor.x, c.press.x);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Release,
    testing::Values(ReleaseCase{"click", {100, 200}, {100, 200}, true, 1, false},
                    ReleaseCase{"one_pixel_right", {100, 200}, {101, 200}, true, 1, true},
                    ReleaseCase{"one_pixel_up", {100, 200}, {100, 199}, true, 1, true},
                    ReleaseCase{"long_drag", {-300, 5}, {800, 600}, true, 1, true},
                    ReleaseCase{"box_off", {100, 200}, {300, 200}, false, 1, false},
                    ReleaseCase{"disarmed", {100, 200}, {300, 200}, true, 0, false},
                    ReleaseCase{"box_off_and_disarmed", {1, 1}, {2, 2}, false, 0, false}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(HookDecision, OtherEventsAndDoubleClicksDoNothing) {
    PointI anchor{10, 10};
    EXPECT_FALSE(DecideMouseEvent(MouseEvent::Other, {50, 50}, anchor, true, 1));
    EXPECT_EQ(anchor.x, 10);
    for (int i = 0; i < 2; ++i) {
        DecideMouseEvent(MouseEvent::LeftDown, {7, 8}, anchor, true, 1);
        EXPECT_FALSE(DecideMouseEvent(MouseEvent::LeftUp, {7, 8}, anchor, true, 1));
    }
}

TEST(HookDecision, ReleaseWithoutPressComparesWithTheInitialAnchor) {
    PointI anchor{};  // (0, 0) until the first press
    EXPECT_FALSE(DecideMouseEvent(MouseEvent::LeftUp, {0, 0}, anchor, true, 1));
    EXPECT_TRUE(DecideMouseEvent(MouseEvent::LeftUp, {0, 1}, anchor, true, 1));
}

}  // namespace
}  // namespace tavimo::capture
