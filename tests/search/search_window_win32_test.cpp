// The search and the navigation through the real main window: the buttons,
// the status label and the rich-edit box read back with the plain messages.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_window_win32.h"
#include "app/startup_win32.h"
#include "text/codepage.h"
#include "text/time_slice.h"
#include "win32/codepage_win32.h"

namespace tavimo {
namespace {

using win32::MainWindow;

void Click(MainWindow& w, int32_t id) {
    ::SendMessageW(w.control(id), BM_CLICK, 0, 0);
}

std::wstring WindowText(HWND h) {
    std::wstring s(static_cast<size_t>(::GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<size_t>(::GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

std::pair<LONG, LONG> Selection(HWND box) {
    CHARRANGE r{};
    ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return {r.cpMin, r.cpMax};
}

// The colour of each character: 255 red, 0 black, -1 automatic.
std::vector<long> Colors(HWND box, LONG length) {
    std::vector<long> out;
    for (LONG i = 0; i < length; ++i) {
        CHARRANGE r{i, i + 1};
        ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        ::SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        out.push_back((cf.dwEffects & CFE_AUTOCOLOR) ? -1 : static_cast<long>(cf.crTextColor));
    }
    return out;
}

TEST(SearchWindow, SearchColoursCountsAndNavigates) {
    int result =
        win32::RunTavimo(::GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE, [](MainWindow& w) {
            w.SetCurrentTab(1);
            w.SetTerm(FromUtf8("答案"));
            // Blank lines and a leading break go; the term at the very end counts too.
            w.richBox().SetText(FromUtf8("\r\n问题一 答案\r\n\r\n\r\n问题二答案"));
            Click(w, kButton1);
            HWND box = w.richBox().hwnd();
            EXPECT_EQ(win32::FromWide(WindowText(w.control(kLabel3))),
                      FromUtf8("搜索完毕，一共出现 2次内容，请点击上、下一条按钮精确定位！"));
            EXPECT_EQ(w.richBox().GetText(), FromUtf8("问题一 答案\r\n问题二答案"));
            EXPECT_EQ(Selection(box), std::make_pair(LONG{10}, LONG{10}));  // caret at the last hit

            std::vector<long> colors = Colors(box, 12);
            std::vector<long> want(12, 0);
            want[4] = want[5] = want[10] = want[11] = 255;
            EXPECT_EQ(colors, want);

            Click(w, kButton5);
            EXPECT_EQ(Selection(box), std::make_pair(LONG{4}, LONG{6}));
            Click(w, kButton5);
            EXPECT_EQ(Selection(box), std::make_pair(LONG{10}, LONG{12}));
            Click(w, kButton5);
            EXPECT_EQ(Selection(box), std::make_pair(LONG{10}, LONG{12}));
            Click(w, kButton6);
            EXPECT_EQ(Selection(box), std::make_pair(LONG{4}, LONG{6}));
            EXPECT_EQ(G().CurrentHit, 1);

            w.SetTerm(Text("zz"));
            Click(w, kButton1);
            EXPECT_EQ(
                win32::FromWide(WindowText(w.control(kLabel3))),
                FromUtf8("搜索完毕，没有发现所搜索的内容，请点击上方浏览器模式进行互联网搜索！"));
            EXPECT_EQ(Colors(box, 12), std::vector<long>(12, 0));
            w.RequestClose();
        });
    EXPECT_EQ(result, 0);
}

TEST(SearchWindow, TypingAndPressesDuringASearchChangeNothing) {
    int result =
        win32::RunTavimo(::GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE, [](MainWindow& w) {
            w.SetCurrentTab(1);
            w.SetTerm(Text("ab"));
            std::string text;
            for (int i = 0; i < 400; ++i)
                text += "ab cd\r\n";
            w.richBox().SetText(Text(text));
            // Queued now, dispatched inside the search on its time slice.
            HWND box = w.richBox().hwnd();
            ::PostMessageW(box, WM_KEYDOWN, 'X', 0);
            ::PostMessageW(box, WM_CHAR, L'x', 0);
            ::PostMessageW(w.control(kEditBox1), WM_CHAR, L'y', 0);
            ::PostMessageW(w.control(kButton5), BM_CLICK, 0, 0);
            auto slice = SetTimeSliceLength(std::chrono::microseconds(0));
            Click(w, kButton1);
            SetTimeSliceLength(slice);
            EXPECT_EQ(win32::FromWide(WindowText(w.control(kLabel3))),
                      FromUtf8("搜索完毕，一共出现 400次内容，请点击上、下一条按钮精确定位！"));
            EXPECT_EQ(w.Term(), Text("ab"));
            EXPECT_EQ(Length(w.richBox().GetText()),
                      400 * 7 - 2);        // the final break is cleaned off
            EXPECT_EQ(G().CurrentHit, 0);  // the queued 下一条 was dropped
            w.RequestClose();
        });
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace tavimo
