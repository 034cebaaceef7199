// The fast search and navigation against the literal algorithm on generated
// inputs: the same box, selections, captions and globals.
#include <gtest/gtest.h>

#include <random>

#include "app/globals.h"
#include "search/local_search.h"
#include "support/fake_app_view.h"
#include "support/literal_search.h"

namespace tavimo {
namespace {

using testing::FakeView;

struct Snapshot {
    std::vector<std::pair<std::string, uint32_t>> units;
    int32_t selBegin, selEnd;
    bool focused;
    std::string status;
    std::vector<std::string> pieces;
    int32_t nextFindStart, currentHit;

    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(FakeView& v) {
    Snapshot s;
    for (const auto& u : v.box.chars())
        s.units.emplace_back(u.bytes, u.format.Color);
    s.selBegin = v.box.Selection().first;
    s.selEnd = v.box.Selection().second;
    s.focused = v.box.focused;
    s.status = v.status.bytes();
    for (const Text& t : G().HitPieces.items())
        s.pieces.push_back(t.bytes());
    s.nextFindStart = G().NextFindStart;
    s.currentHit = G().CurrentHit;
    return s;
}

std::string RandomText(std::mt19937& rng) {
    static const char* pieces[] = {"a",
                                   "b",
                                   "\r\n",
                                   "\xB4\xF0",
                                   "\xB0\xB8",
                                   "\xB0"
                                   "a",
                                   " ",
                                   "ab",
                                   "\xA1\xA1",
                                   "\xB4"};
    std::string s;
    for (int n = static_cast<int>(rng() % 40); n > 0; --n)
        s += pieces[rng() % 10];
    return s;
}

TEST(SearchDifferential, FastEqualsLiteral) {
    std::mt19937 rng(99);
    static const char* terms[] = {"a",
                                  "ab",
                                  "\xB4\xF0",
                                  "\xB0\xB8\xB4\xF0",
                                  "b\r\n",
                                  "\xF0",
                                  "\r\n",
                                  " a",
                                  "aa",
                                  "\xB0"
                                  "a"};
    for (int round = 0; round < 1500; ++round) {
        std::string text = RandomText(rng);
        Text term(terms[rng() % 10]);
        if (round % 5 == 0)
            text = std::string(term.bytes()) + text;  // a term at the start
        if (round % 5 == 1)
            text += term.bytes();  // ... and at the end
        std::vector<int> presses;
        for (int i = 0; i < 6; ++i)
            presses.push_back(static_cast<int>(rng() % 3));

        FakeView fast, literal;
        for (FakeView* v : {&fast, &literal}) {
            v->box.SetText(Text(text));
            v->term = term;
        }
        InitGlobals();
        RunLocalSearch(fast);
        Snapshot a = Take(fast);
        std::vector<Snapshot> fastNav;
        for (int p : presses) {
            if (p == 2)
                fast.term = Text("b");  // an edited term takes the exact rule
            p == 1 ? ShowPreviousHit(fast) : ShowNextHit(fast);
            fastNav.push_back(Take(fast));
        }
        FreeGlobals();

        InitGlobals();
        oracle::LiteralRunLocalSearch(literal, true);
        Snapshot b = Take(literal);
        ASSERT_EQ(a, b) << "text " << text << " term " << term.bytes();
        for (size_t i = 0; i < presses.size(); ++i) {
            if (presses[i] == 2)
                literal.term = Text("b");
            presses[i] == 1 ? oracle::LiteralShowPreviousHit(literal)
                            : oracle::LiteralShowNextHit(literal);
            ASSERT_EQ(fastNav[i], Take(literal)) << "press " << i << " text " << text;
        }
        FreeGlobals();
    }
}

}  // namespace
}  // namespace tavimo
