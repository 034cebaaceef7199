#include "text/clean_reference_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "support/fake_regex_component.h"
#include "text/clean_reference_text_cases.h"
#include "text/regex_engine.h"

namespace tavimo {
namespace {

TEST(CleanReferenceText, WorkedExamplesWithThePortableEngine) {
    for (const auto& c : testing::kCleanCases) {
        EXPECT_EQ(CleanReferenceText(Text(c.in), StandInRegexComponent()), Text(c.out))
            << "input: " << Text(c.in);
    }
}

TEST(CleanReferenceText, DefaultComponentWorksWithoutSetUp) {
    EXPECT_EQ(CleanReferenceText(Text("\r\nA\r\n\r\n\r\nB\r\n")), Text("A\r\nB"));
}

TEST(CleanReferenceText, FailingComponentKeepsTheText) {
    for (auto mode : {testing::FakeMode::kCannotCreate, testing::FakeMode::kEveryCallFails}) {
        auto fake = std::make_shared<testing::FakeRegexComponent>(mode);
        EXPECT_EQ(CleanReferenceText(Text("\r\nA\r\n\r\nB\r\n"), fake), Text("A\r\n\r\nB"));
        EXPECT_EQ(fake->log->entered, 1);
        EXPECT_EQ(fake->log->left, 1);
    }
}

TEST(CleanReferenceText, RunsOnSeveralThreadsAtOnce) {
    std::vector<std::thread> threads;
    std::vector<Text> results(4);
    for (size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&results, i] {
            std::string text;
            for (int line = 0; line < 2000; ++line)
                text += "line\r\n \r\n\r\n";
            results[i] = CleanReferenceText(Text(text));
        });
    }
    for (auto& t : threads)
        t.join();
    std::string want;
    for (int line = 0; line < 2000; ++line)
        want += "line\r\n";
    for (const Text& r : results)
        EXPECT_EQ(r, Text(want));
}

}  // namespace
}  // namespace tavimo
