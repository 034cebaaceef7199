// The worker's order of steps, against fakes that write one shared log.
#include "capture/capture_worker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavimo::capture {
namespace {

using Log = std::vector<std::string>;

// The clipboard: a text (or a non-text payload) and a sequence number that
// every change moves on.
struct FakeClipboard : CaptureClipboard {
    Log& log;
    CaptureState* state = nullptr;
    std::string text = "user text";
    bool hasOther = false;
    uint32_t seq = 7;
    bool saveFails = false;
    std::string savedText;
    bool savedOther = false;
    bool pendingAtRestore = false;

    explicit FakeClipboard(Log& l) : log(l) {}
    std::optional<uint32_t> Save() override {
        log.push_back("save");
        if (saveFails)
            return std::nullopt;
        savedText = text;
        savedOther = hasOther;
        return seq;
    }
    bool Restore() override {
        log.push_back("restore");
        pendingAtRestore = state && state->RestorePending();
        text = savedText;
        hasOther = savedOther;
        ++seq;
        return true;
    }
    Text ReadText() override {
        log.push_back("read");
        return Text(text);
    }
    uint32_t SequenceNumber() override { return seq; }
};

// What the program under the cursor does with the Ctrl+C.
enum class Copy { Text, NonText, Nothing };

struct FakeKeys : KeySender {
    Log& log;
    FakeClipboard& clip;
    CaptureState& state;
    Copy copy = Copy::Text;
    std::string selection = "  selected 文字 ";
    bool pendingAtPress = false;
    FakeKeys(Log& l, FakeClipboard& c, CaptureState& s) : log(l), clip(c), state(s) {}
    void PressCtrlC() override {
        log.push_back("ctrl+c");
        pendingAtPress = state.RestorePending();
        if (copy == Copy::Nothing)
            return;
        clip.text = copy == Copy::Text ? selection : "";
        clip.hasOther = copy == Copy::NonText;
        ++clip.seq;
    }
};

struct FakeForeground : ForegroundProbe {
    bool terminal = false;
    bool ForegroundIsTerminal() override { return terminal; }
};

struct FakeModifiers : ModifierProbe {
    int heldForPolls = 0;  // -1: never released
    int polls = 0;
    bool ModifiersHeld() override {
        ++polls;
        return heldForPolls < 0 || polls <= heldForPolls;
    }
};

struct FakeUi : CaptureUi {
    Log& log;
    std::string busyStep;  // the step that is refused
    std::string term;
    explicit FakeUi(Log& l) : log(l) {}
    StepResult Step(const char* name) {
        log.push_back(name);
        return busyStep == name ? StepResult::Busy : StepResult::Ran;
    }
    StepResult WriteTerm(const Text& t) override {
        term = t.bytes();
        return Step("term");
    }
    StepResult SearchLocally() override { return Step("local"); }
    StepResult ShowWebTab() override { return Step("webtab"); }
    StepResult SearchWeb() override { return Step("web"); }
    StepResult RaiseWindow() override { return Step("raise"); }
};

struct Rig {
    Log log;
    CaptureState state;
    FakeClipboard clip{log};
    FakeKeys keys{log, clip, state};
    FakeForeground foreground;
    FakeModifiers modifiers;
    FakeUi ui{log};
    bool stopAfterKeys = false;  // the window closes while the copy settles

    Rig() { clip.state = &state; }
    CaptureOutcome Run() {
        CaptureSeams seams{
            clip, keys, foreground, modifiers, ui, state, [this](int32_t ms) {
                log.push_back("sleep " + std::to_string(ms));
                if (stopAfterKeys && log.size() >= 2 && log[log.size() - 2] == "ctrl+c") {
                    state.RequestStop();
                }
            }};
        CaptureOutcome outcome = RunCapture(seams);
        EXPECT_FALSE(state.RestorePending());
        return outcome;
    }
};

const Log kFullRun = {"sleep 100", "save",   "ctrl+c", "sleep 100", "read", "term",
                      "local",     "webtab", "web",    "restore",   "raise"};

TEST(CaptureWorker, CopiedTextIsSearchedAndTheClipboardComesBack) {
    Rig rig;
    EXPECT_EQ(rig.Run(), CaptureOutcome::Searched);
    EXPECT_EQ(rig.log, kFullRun);
    EXPECT_EQ(rig.ui.term, "  selected 文字 ");  // unchanged, not trimmed
    EXPECT_EQ(rig.clip.text, "user text");
    EXPECT_TRUE(rig.keys.pendingAtPress);
    EXPECT_TRUE(rig.clip.pendingAtRestore);
}

TEST(CaptureWorker, FailedSaveEndsBeforeAnyKey) {
    Rig rig;
    rig.clip.saveFails = true;
    EXPECT_EQ(rig.Run(), CaptureOutcome::SaveFailed);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save"}));
    EXPECT_EQ(rig.clip.text, "user text");
}

// A window drag, a scroll-bar drag: the clipboard did not change, so the
// stale text is not searched and the clipboard is left alone.
TEST(CaptureWorker, NothingCopiedMeansNoSearchAndNoRestore) {
    Rig rig;
    rig.keys.copy = Copy::Nothing;
    EXPECT_EQ(rig.Run(), CaptureOutcome::NothingCopied);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save", "ctrl+c", "sleep 100"}));
    EXPECT_EQ(rig.clip.seq, 7u);
}

TEST(CaptureWorker, CopyWithoutTextIsStillUndone) {
    Rig rig;
    rig.keys.copy = Copy::NonText;
    EXPECT_EQ(rig.Run(), CaptureOutcome::NoText);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save", "ctrl+c", "sleep 100", "read", "restore"}));
    EXPECT_EQ(rig.clip.text, "user text");
    EXPECT_FALSE(rig.clip.hasOther);
}

TEST(CaptureWorker, EmptyClipboardBeforeIsRestoredEmpty) {
    Rig rig;
    rig.clip.text = "";
    EXPECT_EQ(rig.Run(), CaptureOutcome::Searched);
    EXPECT_EQ(rig.clip.text, "");
}

class BusyStep : public testing::TestWithParam<int> {};

// A refused step skips the rest of the search steps and the raise, never the
// restore.
TEST_P(BusyStep, GoesStraightToTheRestore) {
    const char* steps[] = {"term", "local", "webtab", "web"};
    int busy = GetParam();
    Rig rig;
    rig.ui.busyStep = steps[busy];
    EXPECT_EQ(rig.Run(), CaptureOutcome::UiBusy);
    Log expected(kFullRun.begin(), kFullRun.begin() + 5 + busy + 1);
    expected.push_back("restore");
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(rig.clip.text, "user text");
}

INSTANTIATE_TEST_SUITE_P(EachStep, BusyStep, testing::Range(0, 4));

TEST(CaptureWorker, RefusedRaiseStillCountsAsSearched) {
    Rig rig;
    rig.ui.busyStep = "raise";
    EXPECT_EQ(rig.Run(), CaptureOutcome::Searched);
    EXPECT_EQ(rig.log, kFullRun);
}

TEST(CaptureWorker, NeverPressesIntoATerminal) {
    Rig rig;
    rig.foreground.terminal = true;
    EXPECT_EQ(rig.Run(), CaptureOutcome::TerminalForeground);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save"}));
}

TEST(CaptureWorker, WaitsForHeldModifiersToBeReleased) {
    Rig rig;
    rig.modifiers.heldForPolls = 3;
    EXPECT_EQ(rig.Run(), CaptureOutcome::Searched);
    Log expected = {"sleep 100", "save", "sleep 10", "sleep 10", "sleep 10", "ctrl+c"};
    EXPECT_EQ(Log(rig.log.begin(), rig.log.begin() + 6), expected);
}

TEST(CaptureWorker, GivesUpWhenModifiersStayDown) {
    Rig rig;
    rig.modifiers.heldForPolls = -1;
    EXPECT_EQ(rig.Run(), CaptureOutcome::ModifiersHeld);
    ASSERT_EQ(rig.log.size(), 2u + kModifierWaitMs / kModifierPollMs);
    EXPECT_EQ(rig.log.back(), "sleep 10");
    EXPECT_EQ(rig.clip.seq, 7u);
}

TEST(CaptureWorker, ClosingBeforeTheKeysPressesNothing) {
    Rig rig;
    rig.state.RequestStop();
    EXPECT_EQ(rig.Run(), CaptureOutcome::Stopped);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save"}));
}

TEST(CaptureWorker, ClosingAfterTheKeysSkipsTheStepsButRestores) {
    Rig rig;
    rig.stopAfterKeys = true;
    EXPECT_EQ(rig.Run(), CaptureOutcome::UiBusy);
    EXPECT_EQ(rig.log, (Log{"sleep 100", "save", "ctrl+c", "sleep 100", "read", "restore"}));
    EXPECT_EQ(rig.clip.text, "user text");
}

TEST(StartCapture, OneAtATime) {
    CaptureState state;
    int started = 0;
    auto start = [&] {
        ++started;
        return true;
    };
    EXPECT_TRUE(StartCapture(state, start));
    EXPECT_FALSE(StartCapture(state, start));  // dropped while the first runs
    EXPECT_EQ(started, 1);
    state.End();
    EXPECT_TRUE(StartCapture(state, start));
    EXPECT_EQ(started, 2);
}

TEST(StartCapture, ThreadFailureFreesTheSlot) {
    CaptureState state;
    EXPECT_FALSE(StartCapture(state, [] { return false; }));
    EXPECT_FALSE(state.Running());
    EXPECT_TRUE(StartCapture(state, [] { return true; }));
}

}  // namespace
}  // namespace tavimo::capture
