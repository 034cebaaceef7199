#include "search/local_search.h"

#include <gtest/gtest.h>

#include <chrono>

#include "app/globals.h"
#include "app/job_guard.h"
#include "support/fake_app_view.h"
#include "text/codepage.h"
#include "text/time_slice.h"

namespace tavimo {
namespace {

using testing::FakeView;

class LocalSearch : public ::testing::Test {
  protected:
    void SetUp() override { InitGlobals(); }
    void TearDown() override { FreeGlobals(); }

    void Search(const Text& text, const Text& term) {
        view.box.SetText(text);
        view.term = term;
        RunLocalSearch(view);
    }
    std::pair<int32_t, int32_t> Selection() const { return view.box.Selection(); }
    std::vector<int32_t> RedPositions() const {
        std::vector<int32_t> out;
        for (int32_t i = 0; i < view.box.Length(); ++i)
            if (view.box.FormatAt(i).Color == 255)
                out.push_back(i);
        return out;
    }

    FakeView view;
};

const Text kNotFound =
    FromUtf8("搜索完毕，没有发现所搜索的内容，请点击上方浏览器模式进行互联网搜索！");

TEST_F(LocalSearch, CaptionsAndFormats) {
    Search(Text("xa-xa-xa-"), Text("xa"));
    EXPECT_EQ(view.status, FromUtf8("搜索完毕，一共出现 3次内容，请点击上、下一条按钮精确定位！"));
    EXPECT_EQ(RedPositions(), (std::vector<int32_t>{0, 1, 3, 4, 6, 7}));
    for (const auto& u : view.box.chars()) {
        EXPECT_EQ(u.format.FontName, FromUtf8("宋体"));
        EXPECT_EQ(u.format.PointSize, 9);
        EXPECT_TRUE(u.format.Color == 0 || u.format.Color == 255);
    }
    EXPECT_EQ(G().CurrentHit, 0);
    EXPECT_EQ(G().NextFindStart, 9);  // just past the last hit
    EXPECT_TRUE(view.box.focused);
    EXPECT_EQ(Selection(), std::make_pair(6, 6));  // caret at the last hit, nothing selected
}

TEST_F(LocalSearch, NothingFoundCases) {
    struct Case {
        const char* text;
        const char* term;
        int32_t pieces;
    } cases[] = {{"abc", "", 1}, {"", "x", 0}, {"abc", "x", 1}};
    for (const auto& c : cases) {
        Search(Text(c.text), Text(c.term));
        EXPECT_EQ(view.status, kNotFound) << c.text << "/" << c.term;
        EXPECT_EQ(G().HitPieces.Size(), c.pieces);
        EXPECT_TRUE(RedPositions().empty());
        for (const auto& u : view.box.chars())
            EXPECT_EQ(u.format.Color, 0u);
        EXPECT_EQ(Selection(), std::make_pair(0, 0));
    }
}

TEST_F(LocalSearch, TwoByteText) {
    Search(FromUtf8("甲乙\r\n丙丁"), FromUtf8("丙"));
    EXPECT_EQ(RedPositions(), std::vector<int32_t>{3});
    ShowNextHit(view);
    EXPECT_EQ(Selection(), std::make_pair(3, 4));
}

TEST_F(LocalSearch, TermAtTheEndIsAHit) {
    Search(Text("ab-ab"), Text("ab"));
    EXPECT_EQ(RedPositions(), (std::vector<int32_t>{0, 1, 3, 4}));
    EXPECT_EQ(G().HitPieces.Size(), 3);
    ShowNextHit(view);
    ShowNextHit(view);
    EXPECT_EQ(Selection(), std::make_pair(3, 5));
    ShowNextHit(view);  // stays on the last hit
    EXPECT_EQ(G().CurrentHit, 2);
    EXPECT_EQ(Selection(), std::make_pair(3, 5));

    Search(Text("ab"), Text("ab"));
    EXPECT_EQ(view.status, FromUtf8("搜索完毕，一共出现 1次内容，请点击上、下一条按钮精确定位！"));
}

TEST_F(LocalSearch, NavigationEdges) {
    Search(Text("a1a2a3"), Text("a"));
    ShowPreviousHit(view);  // the first press of either button selects hit 1
    EXPECT_EQ(Selection(), std::make_pair(0, 1));
    ShowPreviousHit(view);
    EXPECT_EQ(Selection(), std::make_pair(0, 1));
    ShowNextHit(view);
    EXPECT_EQ(Selection(), std::make_pair(2, 3));

    // An edited term: the stored pieces with the new term, which can land away
    // from the coloured hits.
    view.term = Text("a1");
    ShowNextHit(view);  // hit 3: "" + "a1" + "1" + "a1" + "2" + "a1" -> 9 - 2 = 7, past the end
    EXPECT_EQ(G().CurrentHit, 3);
    EXPECT_EQ(Selection(), std::make_pair(6, 6));
}

TEST_F(LocalSearch, NavigationWithoutHits) {
    Search(Text("hello"), Text("xy"));
    ShowNextHit(view);  // CurrentHit 0: the first positions, as many as the term has
    EXPECT_EQ(G().CurrentHit, 0);
    EXPECT_EQ(Selection(), std::make_pair(0, 2));
    ShowPreviousHit(view);  // CurrentHit 1: the caret at the end
    EXPECT_EQ(Selection(), std::make_pair(5, 5));
    view.term = Text();
    ShowNextHit(view);
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
}

TEST_F(LocalSearch, NavigationBeforeAnySearch) {
    view.box.SetText(Text("hello"));
    view.term = Text("he");
    ShowNextHit(view);
    EXPECT_EQ(G().CurrentHit, -1);
    EXPECT_EQ(Selection(), std::make_pair(0, 2));
    ShowPreviousHit(view);  // no pieces to read: nothing is selected
    EXPECT_EQ(G().CurrentHit, 1);
    EXPECT_EQ(Selection().second - Selection().first, 0);
}

TEST_F(LocalSearch, PressesDuringTheSearchAreDroppedAndEditsDoNotChangeIt) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "q\xB4\xF0\xB0\xB8 answer\r\n";  // 答案
    struct Ctx {
        FakeView* view;
        int calls = 0;
    } ctx{&view};
    auto previous = SetPendingEventsDispatcher({[](void* c) {
                                                    auto* x = static_cast<Ctx*>(c);
                                                    if (x->calls++ > 0)
                                                        return;
                                                    x->view->term = Text("zzz");
                                                    x->view->box.SetText(Text("nothing here"));
                                                    RunLocalSearch(*x->view);
                                                    ShowNextHit(*x->view);
                                                    ShowPreviousHit(*x->view);
                                                },
                                                &ctx});
    auto slice = SetTimeSliceLength(std::chrono::microseconds(0));
    Search(Text(text), FromUtf8("答案"));
    SetTimeSliceLength(slice);
    SetPendingEventsDispatcher(previous);

    EXPECT_GT(ctx.calls, 0);
    EXPECT_EQ(view.status,
              FromUtf8("搜索完毕，一共出现 3000次内容，请点击上、下一条按钮精确定位！"));
    EXPECT_EQ(G().HitPieces.Size(), 3001);
    EXPECT_EQ(G().CurrentHit, 0);  // the navigation presses did nothing
    EXPECT_FALSE(JobGuard::Busy());
}

TEST_F(LocalSearch, ABusyJobDropsEveryPress) {
    view.box.SetText(Text("abc"));
    view.term = Text("b");
    JobGuard other;
    RunLocalSearch(view);
    ShowNextHit(view);
    EXPECT_EQ(view.status, Text());
    EXPECT_EQ(G().CurrentHit, 0);
}

}  // namespace
}  // namespace tavimo
