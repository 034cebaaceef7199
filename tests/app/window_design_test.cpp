#include "app/window_design.h"

#include <gtest/gtest.h>

#include "app/timer_period.h"

namespace tavimo {
namespace {

TEST(ClampTab, KeepsToTheFivePages) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {2, 2},  {4, 4},         {5, 4},
                                                 {7, 4}, {-1, 0}, {INT32_MIN, 0}, {INT32_MAX, 4}};
    for (auto [in, want] : cases)
        EXPECT_EQ(ClampTab(in), want) << in;
}

TEST(CentredOrigin, WholePixelsInTheMiddle) {
    EXPECT_EQ(CentredOrigin(1280, 610), 335);
    EXPECT_EQ(CentredOrigin(1024, 414), 305);
    EXPECT_EQ(CentredOrigin(1025, 414), 305);
    EXPECT_EQ(CentredOrigin(400, 610), -105);  // a screen smaller than the window
}

TEST(ScaleForDpi, ExactAt96AndRoundedElsewhere) {
    EXPECT_EQ(ScaleForDpi(610, 96), 610);
    EXPECT_EQ(ScaleForDpi(-1, 96), -1);
    EXPECT_EQ(ScaleForDpi(610, 144), 915);
    EXPECT_EQ(ScaleForDpi(-1, 144), -2);  // -1.5 rounds away from zero
    EXPECT_EQ(ScaleForDpi(19, 120), 24);  // 23.75
    EXPECT_EQ(ScaleForDpi(17, 192), 34);
}

TEST(PlanTimerPeriod, FollowsTheWriteRule) {
    struct Case {
        int32_t current, requested;
        bool stop, start;
        int32_t period;
    };
    const Case cases[] = {
        {0, 0, false, false, 0},        // already stopped
        {0, -5, false, false, 0},       // negative counts as 0
        {0, 100, false, true, 100},     // start
        {100, 100, false, false, 100},  // same period: the timer is not restarted
        {100, 50, true, true, 50},      // restarted with the new period
        {100, 0, true, false, 0},       // stopped
        {100, -1, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.current << " -> " << c.requested);
        const TimerChange t = PlanTimerPeriod(c.current, c.requested);
        EXPECT_EQ(t.stop, c.stop);
        EXPECT_EQ(t.start, c.start);
        EXPECT_EQ(t.period, c.period);
    }
}

TEST(WindowDesign, ControlIdsAreUniqueAndFound) {
    for (const ControlDesign& c : kControls) {
        EXPECT_EQ(FindControl(c.id), &c);
        EXPECT_GE(c.page, 0);
        EXPECT_LT(c.page, kPageCount);
    }
    EXPECT_EQ(FindControl(0), nullptr);
}

}  // namespace
}  // namespace tavimo
