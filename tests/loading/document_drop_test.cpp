#include "loading/document_drop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/job_guard.h"
#include "loading/loading_fakes.h"
#include "text/codepage.h"

namespace tavimo::loading {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace tavimo::loading::testing;

const std::string kLoadingMessage = FromUtf8("正在载入拖入的文档，请稍后……").bytes();

class DocumentDropTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitGlobals();
        G().NormalFormat.FontName = Text("Arial");
        G().NormalFormat.PointSize = 20;
        G().NormalFormat.Color = 0x0000FF;
        G().NormalFormat.Effects = 1;
    }
    void TearDown() override { FreeGlobals(); }

    std::vector<std::string> log;
    FakeView view{log};
    FakeBrowser browser;
    FakeShell shell{log};
};

TEST_F(DocumentDropTest, LoadedTextReplacesTheBoxInNineSongBlack) {
    view.tab = 2;
    view.box.text = Text("old");
    shell.text = FromUtf8("答案\r\nabc");
    {
        DocumentDrop drop(shell);
        drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\a\\答案.docx"}));
    }
    std::string path = FromUtf8("C:\\a\\答案.docx").bytes();
    EXPECT_THAT(log, ElementsAre("Tab:1", "SetText:" + kLoadingMessage, "Paint", "Load:" + path,
                                 "SetText:" + shell.text.bytes(), "Start:0", "Length:6", "Apply",
                                 "Length:0"));
    EXPECT_THAT(shell.loadedWide, ElementsAre(u"C:\\a\\答案.docx"));
    EXPECT_TRUE(browser.navigated.empty());
    ASSERT_EQ(view.box.applied.size(), 1u);
    CharFormat expected{FromUtf8("宋体"), 9, 0, 1, 0};
    EXPECT_EQ(view.box.applied[0], expected);
    EXPECT_EQ(G().NormalFormat, expected);
    EXPECT_TRUE(view.status.empty());
}

TEST_F(DocumentDropTest, AnEmptyDocumentLeavesTheBoxEmptyWithoutPasting) {
    view.box.text = Text("old");
    shell.text = Text();
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\empty.txt"}));
    EXPECT_TRUE(view.box.text.empty());
    EXPECT_EQ(shell.period, 0);
}

struct FailureCase {
    std::vector<std::u16string> paths;
    const char* captionPart;
    bool loads;
};
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.paths.size() << "_paths";
}

class DropFailure : public DocumentDropTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DropFailure, KeepsTheOldTextAndSaysSo) {
    view.box.text = FromUtf8("我的参考答案");
    shell.kind = LoadResult::Kind::Failed;
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent(GetParam().paths));
    EXPECT_EQ(view.box.text, FromUtf8("我的参考答案"));
    EXPECT_THAT(view.status.bytes(), HasSubstr(FromUtf8(GetParam().captionPart).bytes()));
    EXPECT_EQ(shell.period, 0);
    EXPECT_EQ(shell.loadedWide.size(), GetParam().loads ? 1u : 0u);
    EXPECT_EQ(view.tab, 1);
    EXPECT_EQ(view.box.length, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, DropFailure,
                         ::testing::Values(FailureCase{{u"D:\\x\\题库.doc"}, "题库.doc", true},
                                           FailureCase{
                                               {u"D:\\a.docx", u"D:\\b.docx"}, "一个文件", false}));

TEST_F(DocumentDropTest, ContentWithoutPlainTextIsPastedOnceThenTheClipboardComesBack) {
    shell.kind = LoadResult::Kind::PasteFallback;
    view.box.pasteGives = Text("pasted");
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\pic.docx"}));
    EXPECT_EQ(shell.period, 100);
    EXPECT_TRUE(view.box.text.empty());
    log.clear();
    drop.OnPasteTimer(view);
    EXPECT_THAT(log, ElementsAre("Timer:0", "Focus", "Paste", "Restore"));
    log.clear();
    drop.OnPasteTimer(view);  // a stray tick pastes nothing more, restores nothing more
    EXPECT_THAT(log, ElementsAre("Timer:0"));
}

TEST_F(DocumentDropTest, APasteThatBringsNothingGivesTheOldTextBack) {
    shell.kind = LoadResult::Kind::PasteFallback;
    view.box.text = FromUtf8("我的参考答案");
    view.box.pasteGives = Text();
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\图.docx"}));
    EXPECT_TRUE(view.box.text.empty());
    drop.OnPasteTimer(view);
    EXPECT_EQ(view.box.text, FromUtf8("我的参考答案"));
    EXPECT_THAT(view.status.bytes(), HasSubstr(FromUtf8("图.docx").bytes()));
    EXPECT_EQ(log.back(), "Restore");
}

TEST_F(DocumentDropTest, TheTimerOnlyStopsWhenTheBoxGotTextMeanwhile) {
    shell.kind = LoadResult::Kind::PasteFallback;
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\pic.docx"}));
    view.box.text = Text("typed");
    log.clear();
    drop.OnPasteTimer(view);
    EXPECT_THAT(log, ElementsAre("Timer:0", "Restore"));
    EXPECT_EQ(view.box.text, Text("typed"));
}

TEST_F(DocumentDropTest, ATickDuringAnotherJobDropsThePasteButNotTheClipboard) {
    shell.kind = LoadResult::Kind::PasteFallback;
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\pic.docx"}));
    log.clear();
    {
        JobGuard running;
        drop.OnPasteTimer(view);
    }
    EXPECT_THAT(log, ElementsAre("Timer:0", "Restore"));
}

TEST_F(DocumentDropTest, ANewDropGivesAWaitingClipboardBackBeforeItLoads) {
    shell.kind = LoadResult::Kind::PasteFallback;
    DocumentDrop drop(shell);
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\1.docx"}));
    shell.kind = LoadResult::Kind::Loaded;
    log.clear();
    drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\2.docx"}));
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "Timer:0");
    EXPECT_EQ(log[1], "Restore");
}

TEST_F(DocumentDropTest, DroppedWhileAnotherJobRuns) {
    view.box.text = Text("old");
    DocumentDrop drop(shell);
    {
        JobGuard running;
        drop.OnGotFile(view, browser, MakeGotFileEvent({u"C:\\a.txt"}));
        view.box.text = Text();
        shell.kind = LoadResult::Kind::PasteFallback;
    }
    EXPECT_TRUE(log.empty());
}

TEST(GotFileEvent, OnePathAloneSeveralEachFollowedByCrLf) {
    EXPECT_EQ(MakeGotFileEvent({u"C:\\a.txt"}).text, Text("C:\\a.txt"));
    GotFileEvent two = MakeGotFileEvent({u"C:\\a.txt", u"D:\\答.doc"});
    EXPECT_EQ(two.text, Concat("C:\\a.txt\r\n", FromUtf8("D:\\答.doc"), "\r\n"));
    EXPECT_EQ(two.widePaths.size(), 2u);
}

TEST(FileNameOf, SplitsOnlyAtWholeCharacters) {
    // 乗 is 0x81 0x5C in code page 936: its trail byte looks like a backslash.
    EXPECT_EQ(FileNameOf(FromUtf8("C:\\资料\\乗车.docx")), FromUtf8("乗车.docx"));
    EXPECT_EQ(FileNameOf(FromUtf8("C:\\dir\\乗")), FromUtf8("乗"));
    EXPECT_EQ(FileNameOf(Text("plain")), Text("plain"));
}

}  // namespace
}  // namespace tavimo::loading
