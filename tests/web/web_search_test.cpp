#include "web/web_search.h"

#include <ostream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "text/codepage.h"
#include "web/external_browser.h"
#include "web/fake_views.h"

namespace tavimo {
namespace {

using ::testing::ElementsAre;
using testing::FakeView;
using ::testing::IsEmpty;
using testing::RecordingBrowser;

struct AddressCase {
    const char* termUtf8;
    const char* address;
    friend std::ostream& operator<<(std::ostream& os, const AddressCase& c) {
        return os << '"' << c.termUtf8 << '"';
    }
};

class SearchAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(SearchAddressTest, EncodesTheTermAsUtf8) {
    EXPECT_EQ(SearchAddress(FromUtf8(GetParam().termUtf8)), Text(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(
    Terms, SearchAddressTest,
    ::testing::Values(
        AddressCase{"", "https://www.baidu.com/s?wd="},
        AddressCase{"Az09-._~", "https://www.baidu.com/s?wd=Az09-._~"},
        AddressCase{" a  b ", "https://www.baidu.com/s?wd=%20a%20%20b%20"},
        AddressCase{"a&b=c", "https://www.baidu.com/s?wd=a%26b%3Dc"},
        AddressCase{"C#", "https://www.baidu.com/s?wd=C%23"},
        AddressCase{"1+1", "https://www.baidu.com/s?wd=1%2B1"},
        AddressCase{"100%", "https://www.baidu.com/s?wd=100%25"},
        AddressCase{"a/b?c", "https://www.baidu.com/s?wd=a%2Fb%3Fc"},
        AddressCase{"中文", "https://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87"},
        AddressCase{"答案：Ａ", "https://www.baidu.com/s?wd=%E7%AD%94%E6%A1%88%EF%BC%9A%EF%BC%A1"},
        // Already percent-encoded text is the user's term too, not an address.
        AddressCase{"%E4%B8%AD", "https://www.baidu.com/s?wd=%25E4%25B8%25AD"}));

TEST(ShowWebSearch, NavigatesOnlyFromTheBrowserTab) {
    for (int32_t tab : {0, 1, 3, 4}) {
        FakeView view;
        view.tab = tab;
        view.term = "x";
        RecordingBrowser browser;
        ShowWebSearch(view, browser);
        EXPECT_THAT(browser.calls, IsEmpty()) << "tab " << tab;
    }
}

TEST(ShowWebSearch, EachClickOnTheCurrentTabNavigatesAgain) {
    FakeView view;
    view.tab = 2;
    view.term = FromUtf8("中 文");
    RecordingBrowser browser;
    ShowWebSearch(view, browser);
    ShowWebSearch(view, browser);
    view.term = "";
    ShowWebSearch(view, browser);
    EXPECT_THAT(browser.calls,
                ElementsAre("Navigate https://www.baidu.com/s?wd=%E4%B8%AD%20%E6%96%87",
                            "Navigate https://www.baidu.com/s?wd=%E4%B8%AD%20%E6%96%87",
                            "Navigate https://www.baidu.com/s?wd="));
}

class FakeLauncher : public AddressLauncher {
  public:
    std::vector<std::string> launched;
    bool succeed = true;
    bool Launch(const Text& address) override {
        launched.push_back(address.bytes());
        return succeed;
    }
};

TEST(ExternalBrowser, NeverOpensTheSameAddressTwiceInARow) {
    FakeLauncher launcher;
    ExternalBrowser browser(launcher);
    browser.Navigate("a");
    browser.Navigate("a");
    browser.Refresh();
    browser.GoBack();
    browser.GoForward();
    browser.Navigate("b");
    browser.Navigate("a");
    browser.Navigate("a");
    EXPECT_THAT(launcher.launched, ElementsAre("a", "b", "a"));
}

TEST(ExternalBrowser, RetriesAnAddressThatFailedToOpen) {
    FakeLauncher launcher;
    ExternalBrowser browser(launcher);
    launcher.succeed = false;
    browser.Navigate("a");
    launcher.succeed = true;
    browser.Navigate("a");
    browser.Navigate("a");
    EXPECT_THAT(launcher.launched, ElementsAre("a", "a"));
}

TEST(ExternalBrowser, OpensTheEmptyTermsAddressOnce) {
    FakeLauncher launcher;
    ExternalBrowser browser(launcher);
    FakeView view;
    view.tab = 2;
    ShowWebSearch(view, browser);
    ShowWebSearch(view, browser);
    EXPECT_THAT(launcher.launched, ElementsAre("https://www.baidu.com/s?wd="));
}

}  // namespace
}  // namespace tavimo
