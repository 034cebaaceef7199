#include "loading/automation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "loading/fake_suite.h"
#ifdef TAVIMO_THROUGH_IDISPATCH
#include "loading/dispatch_calls_win32.h"
#include "loading/fake_dispatch_win32.h"
#endif

namespace tavimo::loading {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using namespace tavimo::loading::testing;
using Kind = AutomationOutcome::Kind;

#ifdef TAVIMO_THROUGH_IDISPATCH
// The same suite, reached through IDispatch and the real late-bound calls.
class Factory : public AutoFactory {
  public:
    Factory(std::vector<std::string>& log, std::shared_ptr<FakeObject> app)
        : log_(log), app_(std::move(app)) {}
    Created Create(std::u16string_view progId) override { return real_.Create(progId); }
    std::u16string available = u"Word.Application";
    bool attached = false;

  private:
    DispatchFactory::Instance Make(const std::wstring& progId) {
        log_.push_back("create " + Utf16ToUtf8(std::u16string(progId.begin(), progId.end())));
        if (std::u16string(progId.begin(), progId.end()) != available)
            return {};
        return {ComPtr<IDispatch>(new FakeDispatch(app_)), attached};
    }
    std::vector<std::string>& log_;
    std::shared_ptr<FakeObject> app_;
    DispatchFactory real_{[this](const std::wstring& p) { return Make(p); }};
};
#else
class Factory : public AutoFactory {
  public:
    Factory(std::vector<std::string>& log, AutoRef app) : log_(log), app_(std::move(app)) {}
    Created Create(std::u16string_view progId) override {
        log_.push_back("create " + Utf16ToUtf8(progId));
        if (progId != available)
            return {};
        return {app_, attached};
    }
    std::u16string available = u"Word.Application";
    bool attached = false;

  private:
    std::vector<std::string>& log_;
    AutoRef app_;
};
#endif

class Automation : public ::testing::Test {
  protected:
    AutomationOutcome Run() {
        return CopyDocumentThroughSuite(factory, suite.clipboard, u"C:\\答案.doc");
    }
#ifdef TAVIMO_THROUGH_IDISPATCH
    // Every object the calls handed out has been released again.
    void TearDown() override {
        EXPECT_EQ(FakeDispatch::live.load(), 0);
    }
#endif
    std::vector<std::string> log;
    FakeSuite suite{log};
    Factory factory{log, suite.app};
};

TEST_F(Automation, OpensReadOnlyWithMacrosAndAlertsOffClosesWithoutSavingAndQuits) {
    suite.clipboard.Put(Text("user's"));
    AutomationOutcome out = Run();
    EXPECT_EQ(out.kind, Kind::Text);
    EXPECT_EQ(out.text, FromUtf8("文档内容"));
    EXPECT_THAT(
        log, ElementsAre("create Word.Application", "app.Visible", "app.Documents",
                         "documents.Count", "app.Visible=false", "app.AutomationSecurity",
                         "app.DisplayAlerts", "app.AutomationSecurity=3", "app.DisplayAlerts=false",
                         "documents.Open('C:\\答案.doc',false,true)", "document.Content",
                         "clipboard.Save", "range.Copy", "document.Close(false)", "app.Quit()",
                         "clipboard.Restore"));
    EXPECT_EQ(suite.clipboard.text, Text("user's"));
}

TEST_F(Automation, TriesTheCompatibleSuitesInTurn) {
    factory.available = u"WPS.Application";
    EXPECT_EQ(Run().kind, Kind::Text);
    EXPECT_THAT(std::vector(log.begin(), log.begin() + 4),
                ElementsAre("create Word.Application", "create KWPS.Application",
                            "create WPS.Application", "app.Visible"));
}

TEST_F(Automation, NoSuiteTouchesNothing) {
    factory.available = u"None";
    EXPECT_EQ(Run().kind, Kind::NoSuite);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(Automation, AFailedOpenStillQuitsAndCopiesNothing) {
    suite.documents->answers.erase("Open");
    EXPECT_EQ(Run().kind, Kind::Failed);
    EXPECT_THAT(log, Contains("app.Quit()"));
    EXPECT_THAT(log, Not(Contains("clipboard.Save")));
    EXPECT_THAT(log, Not(Contains("document.Close(false)")));
}

TEST_F(Automation, ACopyWithoutAnyContentGivesTheClipboardBack) {
    suite.range->answers.erase("Copy");
    suite.clipboard.Put(Text("user's"));
    EXPECT_EQ(Run().kind, Kind::Failed);
    EXPECT_EQ(suite.clipboard.text, Text("user's"));
    EXPECT_THAT(log, Not(Contains("clipboard.Restore")));  // nothing to put back
}

TEST_F(Automation, ContentWithoutPlainTextWaitsForThePaste) {
    suite.copyGives = Text();
    suite.copyOther = true;
    AutomationOutcome out = Run();
    EXPECT_EQ(out.kind, Kind::ClipboardOnly);
    ASSERT_TRUE(out.restoreAfterPaste);
    EXPECT_THAT(log, Not(Contains("clipboard.Restore")));
    out.restoreAfterPaste->Restore();
    EXPECT_FALSE(suite.clipboard.other);
}

TEST_F(Automation, AClipboardThatCannotBeSavedIsNotReplaced) {
    suite.clipboard.canSave = false;
    suite.clipboard.Put(Text("user's"));
    EXPECT_EQ(Run().kind, Kind::Failed);
    EXPECT_THAT(log, Not(Contains("range.Copy")));
    EXPECT_THAT(log, Contains("document.Close(false)"));
    EXPECT_EQ(suite.clipboard.text, Text("user's"));
}

// An instance that already held documents, was visible or was running before
// is the user's: it is neither hidden nor quit, and gets its settings back.
struct ForeignCase {
    int32_t openCount;
    int32_t visible;
    bool attached;
};
void PrintTo(const ForeignCase& c, std::ostream* os) {
    *os << "documents" << c.openCount << "_visible" << c.visible << "_attached" << c.attached;
}

class ForeignInstance : public Automation, public ::testing::WithParamInterface<ForeignCase> {};

TEST_P(ForeignInstance, IsLeftRunningAsItWas) {
    suite.openCount = GetParam().openCount;
    int32_t visible = GetParam().visible;
    suite.app->answers["Visible"] = [visible] { return AutoValue{nullptr, visible}; };
    factory.attached = GetParam().attached;
    EXPECT_EQ(Run().kind, Kind::Text);
    EXPECT_THAT(log, Not(Contains("app.Quit()")));
    EXPECT_THAT(log, Not(Contains("app.Visible=false")));
    EXPECT_THAT(std::vector(log.end() - 4, log.end()),
                ElementsAre("document.Close(false)", "app.AutomationSecurity=1",
                            "app.DisplayAlerts=-1", "clipboard.Restore"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ForeignInstance,
                         ::testing::Values(ForeignCase{2, 0, false}, ForeignCase{0, -1, false},
                                           ForeignCase{0, 0, true}));

}  // namespace
}  // namespace tavimo::loading
