#include "capture/terminal_classes.h"

#include <gtest/gtest.h>

namespace tavimo::capture {
namespace {

TEST(TerminalClasses, ConsolesAndTerminalsOnly) {
    EXPECT_TRUE(IsTerminalWindowClass(u"ConsoleWindowClass"));
    EXPECT_TRUE(IsTerminalWindowClass(u"CASCADIA_HOSTING_WINDOW_CLASS"));
    EXPECT_TRUE(IsTerminalWindowClass(u"mintty"));
    EXPECT_TRUE(IsTerminalWindowClass(u"PuTTY"));
    EXPECT_FALSE(IsTerminalWindowClass(u"Edit"));
    EXPECT_TRUE(IsTerminalWindowClass(u"consolewindowclass"));  // as Windows compares them
    EXPECT_FALSE(IsTerminalWindowClass(u"ConsoleWindowClas"));
    EXPECT_FALSE(IsTerminalWindowClass(u""));
}

}  // namespace
}  // namespace tavimo::capture
