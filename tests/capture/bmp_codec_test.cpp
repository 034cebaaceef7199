#include "capture/bmp_codec.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavimo::capture {
namespace {

BitmapImage Sample(int32_t w, int32_t h, uint16_t bits) {
    BitmapImage img;
    img.width = w;
    img.height = h;
    img.bitsPerPixel = bits;
    auto table = FixedColorTable(bits);
    img.colors.assign(table.begin(), table.end());
    img.pixels.resize(static_cast<size_t>(BmpStride(w, bits) * h));
    for (size_t i = 0; i < img.pixels.size(); ++i)
        img.pixels[i] = static_cast<uint8_t>(i * 37 + 1);
    return img;
}

uint32_t Le32(const ImageBytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(BmpCodec, StrideRoundsBitsUpToWholeWords) {
    EXPECT_EQ(BmpStride(1, 1), 4u);
    EXPECT_EQ(BmpStride(33, 1), 8u);
    EXPECT_EQ(BmpStride(3, 24), 12u);
    EXPECT_EQ(BmpStride(5, 4), 4u);
    EXPECT_EQ(BmpStride(9, 4), 8u);
    EXPECT_EQ(BmpStride(3, 16), 8u);
    EXPECT_EQ(BmpStride(0, 24), 0u);
    EXPECT_EQ(BmpStride(3, 2), 0u);
}

TEST(BmpCodec, HeaderLayout) {
    ImageBytes b = EncodeBmp(Sample(3, 2, 8));
    ASSERT_EQ(b.size(), 54u + 1024 + 8);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 6), 0u);
    EXPECT_EQ(Le32(b, 10), 54u + 1024);
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 3u);
    EXPECT_EQ(Le32(b, 22), 2u);
    EXPECT_EQ(b[26] | b[27] << 8, 1);
    EXPECT_EQ(b[28] | b[29] << 8, 8);
    EXPECT_TRUE(std::all_of(b.begin() + 30, b.begin() + 54, [](uint8_t v) { return v == 0; }));
    // Entry 255 of the cube is white, entry 0xE0 pure red: blue, green, red, 0.
    EXPECT_EQ(Le32(b, 54 + 4 * 255), 0x00FFFFFFu);
    EXPECT_EQ(Le32(b, 54 + 4 * 0xE0), 0x00FF0000u);
}

TEST(BmpCodec, SixteenColourTableInItsOrder) {
    auto t = FixedColorTable(4);
    ASSERT_EQ(t.size(), 16u);
    EXPECT_EQ(t[1], (BmpColor{0, 0, 128, 0}));      // dark red
    EXPECT_EQ(t[7], (BmpColor{128, 128, 128, 0}));  // grey
    EXPECT_EQ(t[8], (BmpColor{192, 192, 192, 0}));  // silver
    EXPECT_EQ(t[12], (BmpColor{255, 0, 0, 0}));     // blue
    EXPECT_EQ(FixedColorTable(1)[1], (BmpColor{255, 255, 255, 0}));
    EXPECT_TRUE(FixedColorTable(24).empty());
}

class RoundTrip : public testing::TestWithParam<uint16_t> {};

TEST_P(RoundTrip, EveryDepth) {
    for (auto [w, h] : {std::pair{1, 1}, {7, 3}, {33, 2}}) {
        BitmapImage img = Sample(w, h, GetParam());
        ImageBytes b = EncodeBmp(img);
        ASSERT_FALSE(b.empty());
        auto back = DecodeBmp(b);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, img);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, RoundTrip, testing::Values(1, 4, 8, 16, 24, 32));

TEST(BmpCodec, EncoderRefusesInconsistentImages) {
    BitmapImage img = Sample(4, 4, 24);
    img.pixels.pop_back();
    EXPECT_TRUE(EncodeBmp(img).empty());
    img = Sample(4, 4, 8);
    img.colors.pop_back();
    EXPECT_TRUE(EncodeBmp(img).empty());
    img = Sample(4, 4, 24);
    img.bitsPerPixel = 2;
    EXPECT_TRUE(EncodeBmp(img).empty());
    img = Sample(4, 4, 24);
    img.height = 0;
    EXPECT_TRUE(EncodeBmp(img).empty());
}

struct Corruption {
    const char* name;
    size_t at;
    uint8_t value;
};

class Rejects : public testing::TestWithParam<Corruption> {};

TEST_P(Rejects, CorruptedHeader) {
    ImageBytes b = EncodeBmp(Sample(5, 3, 4));
    b[GetParam().at] = GetParam().value;
    EXPECT_FALSE(DecodeBmp(b).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Rejects,
    testing::Values(Corruption{"magic", 1, 'X'}, Corruption{"total_size", 2, 0},
                    Corruption{"reserved", 7, 1}, Corruption{"pixel_offset", 10, 55},
                    Corruption{"info_size", 14, 12}, Corruption{"width_bigger", 18, 9},
                    Corruption{"width_negative", 21, 0x80}, Corruption{"height_bigger", 22, 4},
                    Corruption{"height_top_down", 25, 0xFF}, Corruption{"planes", 26, 2},
                    Corruption{"depth", 28, 2}, Corruption{"compressed", 30, 1},
                    Corruption{"colour_count", 46, 2}, Corruption{"table_reserved", 57, 9}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(BmpCodec, RejectsTruncatedAndPaddedInput) {
    ImageBytes b = EncodeBmp(Sample(5, 3, 24));
    for (size_t n : {size_t{0}, size_t{2}, size_t{53}, size_t{54}, b.size() - 1}) {
        EXPECT_FALSE(DecodeBmp(std::span(b.data(), n)).has_value()) << n;
    }
    ImageBytes longer = b;
    longer.push_back(0);
    EXPECT_FALSE(DecodeBmp(longer).has_value());
}

TEST(BmpCodec, RejectsOversizedDimensionsWithoutAllocating) {
    // A header that claims 65535 x 65535 at 32 bits but carries no pixels.
    ImageBytes b = EncodeBmp(Sample(1, 1, 32));
    for (size_t at : {18u, 22u}) {
        b[at] = 0xFF;
        b[at + 1] = 0xFF;
    }
    EXPECT_FALSE(DecodeBmp(b).has_value());
}

}  // namespace
}  // namespace tavimo::capture
