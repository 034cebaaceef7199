#include "text/display_count.h"

#include <gtest/gtest.h>

#include <string>

#include "support/block_kernels.h"
#include "text/time_slice.h"

namespace tavimo {
namespace {

TEST(CountDisplayChars, Table) {
    struct Case {
        std::string bytes;
        int32_t want;
    } cases[] = {
        {"", 0},
        {"a", 1},
        {"ab", 2},
        {"\xB0\xA1", 1},
        {"a\xB0\xA1"
         "b",
         3},
        {"a\r\nb", 3},
        {"a\r\n", 2},
        {"\r\n", 1},
        {"ab\r", 3},      // the last byte is never tested
        {"a\rb", 2},      // a CR takes the next byte, whatever it is
        {"\xB0\r\n", 2},  // a CR as trail byte is not tested
        {"a\xB0", 2},     // a final lone lead byte counts one
        {"\x80\x80\x80", 2},
        {std::string(20, 'x') + "\r\n" + std::string(9, 'y'), 30},  // across the word fast path
        {std::string(15, 'x') + "\xB0\xA1" + std::string(15, 'y'), 31},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountDisplayChars(Text(c.bytes)), c.want) << c.bytes;
}

TEST(CountDisplayChars, PrefixCounterAgreesWithEveryPrefix) {
    std::string s = "ab\xB0\xA1\r\nc\rd\x80\x80xyz\r\n\r\n\xC4\xE3" + std::string(40, 'q') + "\xB0";
    PrefixDisplayCounter counter(s);
    for (size_t n = 0; n <= s.size(); ++n) {
        EXPECT_EQ(counter.CountOfPrefix(n), CountDisplayChars(std::string_view(s).substr(0, n)))
            << n;
    }
}

TEST(CountDisplayChars, YieldsOnTimeSliceNotPerByte) {
    int calls = 0;
    auto previous = SetPendingEventsDispatcher({[](void* c) { ++*static_cast<int*>(c); }, &calls});
    std::string big(8 << 20, 'a');
    EXPECT_EQ(CountDisplayChars(Text(big)), static_cast<int32_t>(big.size()));
    EXPECT_LT(calls, 1000);  // a handful per frame at most, far below one per byte
    calls = 0;
    EXPECT_EQ(CountDisplayChars(Text("x")), 1);
    EXPECT_EQ(calls, 0);
    SetPendingEventsDispatcher(previous);
}

}  // namespace
}  // namespace tavimo

namespace tavimo {
namespace {

// The step-by-step count, for generated texts of every byte class.
int64_t StepCount(const std::string& s) {
    int64_t l = static_cast<int64_t>(s.size()), result = l;
    for (int64_t p = 1; p < l;) {
        unsigned char c = static_cast<unsigned char>(s[static_cast<size_t>(p - 1)]);
        if (c >= 0x80 || c == 13) {
            --result;
            p += 2;
        } else {
            ++p;
        }
    }
    return result;
}

TEST(CountDisplayChars, AgreesWithTheStepwiseCountOnGeneratedText) {
    testing::ForEachBlockKernel([] {
        uint32_t seed = 12345;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        static const char alphabet[] = {'a', '\r', '\n', '\x80', '\xB0', '\xFF', ' ', '\r'};
        for (int round = 0; round < 3000; ++round) {
            std::string s;
            const int len = static_cast<int>(next() % (round % 2 ? 80 : 400));
            for (int n = len; n > 0; --n) {
                // Long runs of one byte cross the 64-byte blocks.
                char c = alphabet[(next() >> 8) % 8];
                s.append(static_cast<size_t>(next() % 4 == 0 ? (next() >> 4) % 70 : 1), c);
            }
            ASSERT_EQ(CountDisplayChars(std::string_view(s)), StepCount(s)) << round;
        }
    });
}

}  // namespace
}  // namespace tavimo
