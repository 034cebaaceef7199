#include "capture/capture_ui_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/job_guard.h"
#include "capture/fake_app_view.h"

namespace tavimo::capture {
namespace {

struct Rig {
    FakeView view;
    std::vector<std::string> calls;
    std::atomic<int32_t> armed{1};
    CaptureState state;
    CaptureUiSteps steps{view, Actions(), armed, state};

    CaptureUiActions Actions() {
        return {
            [this](AppView& v) {
                // The search finds the busy flag free, as the 搜索 button does.
                JobGuard g;
                calls.push_back(g.acquired() ? "local on tab " + std::to_string(v.CurrentTab())
                                             : "local refused");
            },
            [this](AppView& v) { calls.push_back("web on tab " + std::to_string(v.CurrentTab())); },
            [this] { calls.push_back("raise"); }};
    }
    void RunAll() {
        steps.WriteTerm(Text("term"));
        steps.SearchLocally();
        steps.ShowWebTab();
        steps.SearchWeb();
        steps.RaiseWindow();
    }
};

using Calls = std::vector<std::string>;

struct RadioCase {
    const char* name;
    bool local, web;
    int32_t tabBefore;
    Calls calls;
    int32_t tabAfter;
};

class Radios : public testing::TestWithParam<RadioCase> {};

TEST_P(Radios, ChooseTheTabAndTheSearch) {
    const RadioCase& c = GetParam();
    Rig rig;
    rig.view.local = c.local;
    rig.view.web = c.web;
    rig.view.tab = c.tabBefore;
    rig.RunAll();
    EXPECT_EQ(rig.view.term, Text("term"));
    EXPECT_EQ(rig.calls, c.calls);
    EXPECT_EQ(rig.view.tab, c.tabAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Radios,
    testing::Values(
        RadioCase{"local", true, false, 0, {"local on tab 1", "web on tab 1", "raise"}, 1},
        RadioCase{"local_from_browser_tab",
                  true,
                  false,
                  2,
                  {"local on tab 1", "web on tab 1", "raise"},
                  1},
        RadioCase{"web", false, true, 0, {"web on tab 2", "raise"}, 2},
        RadioCase{"neither_keeps_tab", false, false, 3, {"web on tab 3", "raise"}, 3}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(CaptureUiSteps, RaisesOnlyWithTheBoxAndCaptureArmed) {
    for (bool box : {false, true}) {
        for (int32_t armed : {0, 1}) {
            Rig rig;
            rig.view.raiseChecked = box;
            rig.armed = armed;
            EXPECT_EQ(rig.steps.RaiseWindow(), StepResult::Ran);
            EXPECT_EQ(rig.calls, box && armed ? Calls{"raise"} : Calls{}) << box << armed;
        }
    }
}

TEST(CaptureUiSteps, EveryStepIsRefusedWhileAJobRuns) {
    Rig rig;
    JobGuard job;
    ASSERT_TRUE(job.acquired());
    EXPECT_EQ(rig.steps.WriteTerm(Text("x")), StepResult::Busy);
    EXPECT_EQ(rig.steps.SearchLocally(), StepResult::Busy);
    EXPECT_EQ(rig.steps.ShowWebTab(), StepResult::Busy);
    EXPECT_EQ(rig.steps.SearchWeb(), StepResult::Busy);
    EXPECT_EQ(rig.steps.RaiseWindow(), StepResult::Busy);
    EXPECT_EQ(rig.view.term, Text());
    EXPECT_EQ(rig.view.tab, 0);
    EXPECT_TRUE(rig.calls.empty());
}

TEST(CaptureUiSteps, EveryStepIsRefusedOnceTheWindowCloses) {
    Rig rig;
    rig.state.RequestStop();
    rig.RunAll();
    EXPECT_EQ(rig.view.term, Text());
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_FALSE(JobGuard::Busy());
}

}  // namespace
}  // namespace tavimo::capture
