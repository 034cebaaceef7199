#include "support/fake_reference_box.h"

#include <gtest/gtest.h>

#include "support/reference_box_contract.h"

namespace tavimo {
namespace {

class FakeBoxAdapter {
  public:
    ReferenceBox& box() { return fake; }
    std::pair<int32_t, int32_t> Selection() { return fake.Selection(); }
    CharFormat FormatAt(int32_t position) { return fake.FormatAt(position); }
    void SetClipboard(const Text& text) { fake.clipboardText = text; }
    bool HasFocus() { return fake.focused; }

    FakeReferenceBox fake;
};

using FakeBox = ::testing::Types<FakeBoxAdapter>;
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ReferenceBoxContract, FakeBox);

TEST(FakeReferenceBox, BulkUpdateRepaintsOnceAtTheOutermostEnd) {
    FakeReferenceBox box;
    {
        BulkUpdate outer(box);
        BulkUpdate inner(box);
        EXPECT_EQ(box.bulkDepth, 2);
    }
    EXPECT_EQ(box.bulkDepth, 0);
    EXPECT_EQ(box.repaints, 1);
}

}  // namespace
}  // namespace tavimo
