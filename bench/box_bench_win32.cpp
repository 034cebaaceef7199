// The search and the navigation inside the real rich-edit box of the real
// main window, each beside a baseline measured in the same run:
//  - RunLocalSearch on a 1 MB answer bank with 2,000 hits, beside the box's
//    own unavoidable work (setting the cleaned text and one selection and
//    format call per hit) and beside the literal algorithm (a Find per hit
//    over the text read back from the box, the whole prefix recounted with
//    events dispatched per byte), which cannot finish: it is timed over its
//    first passes and extrapolated from the per-byte and per-pass costs.
//  - One "下一条" press to hit 10,000 of a 10 MB bank.
#include <richedit.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_window_win32.h"
#include "app/startup_win32.h"
#include "search/hit_scan.h"
#include "search/local_search.h"
#include "support/literal_search.h"
#include "text/clean_reference_text.h"
#include "text/codepage.h"
#include "text/display_count.h"
#include "win32/message_pump_win32.h"

namespace {

using namespace tavimo;

double Now() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Lines of Chinese and ASCII with the term every so often.
std::string MakeBank(size_t bytes, int hits) {
    const std::string term = FromUtf8("答案").bytes();
    const std::string line = FromUtf8("问题：下列哪一项是正确的 A. 甲 B. 乙 C. 丙 D. 丁").bytes();
    std::string s;
    s.reserve(bytes + 256);
    size_t every = bytes / static_cast<size_t>(hits);
    while (s.size() < bytes) {
        size_t next = s.size() + every;
        while (s.size() + line.size() + 2 < next)
            s += line + "\r\n";
        s += term + "\r\n";
    }
    return s;
}

// Counting as the literal algorithm does it: a step, then the event dispatch.
int32_t LiteralCount(const Text& text) {
    return oracle::LiteralCount(text, [] { ProcessPendingEvents(); });
}

size_t gBankBytes = 1u << 20;
int gHits = 2000;
// Which steps run: b the box's own work, s the search, l the literal
// algorithm's costs, n the navigation. In Wine's rich edit the first two take
// minutes each at 1 MB, so they can be run apart.
std::string gSteps = "bsln";

bool Runs(char step) {
    return gSteps.find(step) != std::string::npos;
}

void SearchBench(win32::MainWindow& w) {
    const Text term = FromUtf8("答案");
    const Text bank(MakeBank(gBankBytes, gHits));
    w.SetCurrentTab(1);
    w.SetTerm(term);
    ReferenceBox& box = w.Box();
    const Text cleaned = CleanReferenceText(bank);
    HitScan hits = ScanHits(cleaned.view(), term.view());
    std::printf("RunLocalSearch, %zu KB, %zu hits, real rich-edit box\n", gBankBytes / 1024,
                hits.positions.size());
    std::fflush(stdout);

    // Replacing a large text is slow in some rich-edit boxes (Wine's takes
    // time quadratic in the paragraphs deleted), so each step starts from
    // what the user would have: the bank pasted into the box.
    double t0 = Now();
    if (Runs('b') || Runs('s')) {
        box.SetText(bank);
        std::printf("  setting the text             %10.1f ms\n", Now() - t0);
    }

    // The box's unavoidable work: the cleaned text, one selection and one
    // format call per hit.
    double baseline = 0;
    if (Runs('b')) {
        t0 = Now();
        const Text again = CleanReferenceText(bank);
        box.SetText(again);
        HitScan found = ScanHits(again.view(), term.view());
        {
            BulkUpdate bulk(box);
            CharFormat red = G().HighlightFormat;
            red.Color = 255;
            for (int32_t start : found.boxStarts) {
                box.SelectRange(start, 2);
                box.ApplyFormatToSelection(red);
            }
        }
        baseline = Now() - t0;
        std::printf("  box's unavoidable work       %10.1f ms\n", baseline);
        std::fflush(stdout);
    }

    // The search as the button runs it.
    double fast = 0;
    if (Runs('s')) {
        box.SetText(bank);
        t0 = Now();
        RunLocalSearch(w);
        fast = Now() - t0;
        std::printf("  ours                         %10.1f ms", fast);
        if (baseline > 0)
            std::printf("   ours / box's work = %.2f", fast / baseline);
        std::printf("\n");
        std::fflush(stdout);
    }

    // The literal algorithm's first passes, and its costs per pass and per byte.
    if (Runs('l')) {
        // After the search the box holds the cleaned text already.
        if (!Runs('b') && !Runs('s')) {
            t0 = Now();
            box.SetText(cleaned);
            std::printf("  setting the cleaned text     %10.1f ms\n", Now() - t0);
        }
        const int kPasses = 3;
        t0 = Now();
        int32_t from = 0;
        for (int i = 0; i < kPasses; ++i) {
            Text text = box.GetText();
            int32_t p = Find(text, w.Term(), from, 0);
            box.SelectRange(LiteralCount(Left(text, p - 1)), LiteralCount(w.Term()));
            box.ApplyFormatToSelection(G().HighlightFormat);
            from = p + Length(term);
            ProcessPendingEvents();
        }
        const double firstPasses = Now() - t0;
        t0 = Now();
        for (int i = 0; i < kPasses; ++i)
            (void)box.GetText();
        const double readPerPass = (Now() - t0) / kPasses;
        const Text sample = Left(cleaned, 16 * 1024);
        t0 = Now();
        LiteralCount(sample);
        const double countPerByte = (Now() - t0) / Length(sample);
        double literal = 0;
        for (int32_t p : hits.positions)
            literal += readPerPass + countPerByte * (p - 1);
        std::printf("  literal, first %d passes      %10.1f ms\n", kPasses, firstPasses);
        std::printf("  literal, reading %.1f ms a pass, counting %.1f us a byte\n", readPerPass,
                    countPerByte * 1000);
        literal += baseline;
        std::printf("  literal, extrapolated        %10.0f ms   (%s)\n", literal,
                    baseline > 0 ? "with the box's work" : "reading and counting only");
        if (fast > 0)
            std::printf("  literal / ours = %.0f\n", literal / fast);
    }
}

// Holds the text only: the navigation index is built over it, so the real
// box is not coloured 10,000 times first (slow in Wine's rich edit).
class TextOnlyBox final : public ReferenceBox {
  public:
    Text GetText() override { return text; }
    void SetText(const Text& t) override { text = t; }
    void SetSelectionStart(int32_t) override {}
    void SetSelectionLength(int32_t) override {}
    void ApplyFormatToSelection(const CharFormat&) override {}
    void Focus() override {}
    void PasteFromClipboard() override {}
    Text text;
};

class TextOnlyView final : public AppView {
  public:
    Text Term() override { return term; }
    void SetTerm(const Text& t) override { term = t; }
    void SetStatus(const Text&) override {}
    int32_t CurrentTab() override { return 1; }
    void SetCurrentTab(int32_t) override {}
    ReferenceBox& Box() override { return box; }
    bool RaiseOnHoverChecked() override { return false; }
    bool CaptureChecked() override { return false; }
    bool LocalSearchSelected() override { return true; }
    bool WebSearchSelected() override { return false; }
    TextOnlyBox box;
    Text term;
};

void NavigationBench(win32::MainWindow& w) {
    const Text term = FromUtf8("答案");
    const Text bank(MakeBank(10u << 20, 10050));
    w.SetTerm(term);
    double t0 = Now();
    w.Box().SetText(CleanReferenceText(bank));
    std::printf("  (setting 10 MB: %.0f ms)\n", Now() - t0);
    TextOnlyView shadow;
    shadow.term = term;
    shadow.box.text = bank;
    t0 = Now();
    RunLocalSearch(shadow);
    double search = Now() - t0;
    // The press before it selected hit 9,999, so the box repaints only the
    // lines between the two hits, as in use.
    G().CurrentHit = 9998;
    ShowNextHit(w);
    HWND box = w.richBox().hwnd();
    ::UpdateWindow(box);
    CHARRANGE previous{};
    ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&previous));
    t0 = Now();
    ShowNextHit(w);
    double press = Now() - t0;
    ::UpdateWindow(box);
    double pressAndPaint = Now() - t0;
    CHARRANGE chosen{};
    ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    // The box alone, from the same selection to the same one.
    ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&previous));
    ::UpdateWindow(box);
    t0 = Now();
    ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    double bare = Now() - t0;
    ::UpdateWindow(box);
    double bareAndPaint = Now() - t0;
    // From the start of the text, the box repaints every line up to the hit.
    CHARRANGE none{0, 0};
    ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
    ::UpdateWindow(box);
    t0 = Now();
    ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    double fromStart = Now() - t0;
    std::printf("Navigation, 10 MB, %d pieces, real rich-edit box\n", G().HitPieces.Size());
    std::printf("  search without colouring     %10.1f ms\n", search);
    std::printf("  one press, hit %d to %d  %10.3f ms   with the repaint %.3f ms\n",
                G().CurrentHit - 1, G().CurrentHit, press, pressAndPaint);
    std::printf("  the box selecting it alone   %10.3f ms   with the repaint %.3f ms\n", bare,
                bareAndPaint);
    std::printf("  the box selecting it from the start of the text %.3f ms\n", fromStart);
}

}  // namespace

// box_bench [bank KB] [hits] [steps]
int main(int argc, char** argv) {
    if (argc > 1)
        gBankBytes = static_cast<size_t>(std::atol(argv[1])) * 1024;
    if (argc > 2)
        gHits = std::atoi(argv[2]);
    if (argc > 3)
        gSteps = argv[3];
    return win32::RunTavimo(::GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE,
                            [](win32::MainWindow& w) {
                                if (Runs('b') || Runs('s') || Runs('l'))
                                    SearchBench(w);
                                if (Runs('n'))
                                    NavigationBench(w);
                                std::fflush(stdout);
                                w.RequestClose();
                            });
}
