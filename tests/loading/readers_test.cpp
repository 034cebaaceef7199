#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loading/document_readers.h"
#include "loading/docx_reader.h"
#include "loading/plain_text_reader.h"
#include "loading/zip_reader.h"
#include "text/codepage.h"

#ifndef TAVIMO_LOADING_FIXTURES
#error "TAVIMO_LOADING_FIXTURES must name the fixture folder"
#endif

namespace tavimo::loading {
namespace {

std::filesystem::path Fixture(const char* name) {
    return std::filesystem::path(TAVIMO_LOADING_FIXTURES) / name;
}

std::string FixtureBytes(const char* name) {
    return ReadWholeFile(Fixture(name)).value();
}

struct PlainCase {
    std::string bytes;
    const char* utf8;
};
void PrintTo(const PlainCase& c, std::ostream* os) {
    *os << c.bytes.size() << "_bytes";
    for (size_t i = 0; i < c.bytes.size() && i < 3; ++i) {
        *os << "_" << static_cast<int>(static_cast<unsigned char>(c.bytes[i]));
    }
}

class PlainText : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainText, DecodesToCp936WithCrLf) {
    EXPECT_EQ(DecodePlainText(GetParam().bytes), FromUtf8(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, PlainText,
    ::testing::Values(PlainCase{"\xEF\xBB\xBF\xE7\xAD\x94\xE6\xA1\x88", "答案"},
                      PlainCase{"\xE7\xAD\x94\xE6\xA1\x88\nx", "答案\r\nx"},
                      PlainCase{std::string("\xFF\xFE\x54\x7B\x48\x68\x0D\x00\x0A\x00", 10),
                                "答案\r\n"},
                      PlainCase{std::string("\xFE\xFF\x7B\x54\x68\x48\x00\x0A", 8), "答案\r\n"},
                      // GBK bytes are not UTF-8: taken as they are.
                      PlainCase{"\xB4\xF0\xB0\xB8\r\n", "答案\r\n"},
                      PlainCase{"a\rb\r\nc\n", "a\r\nb\r\nc\r\n"},
                      PlainCase{std::string("a\0b", 3), "ab"}, PlainCase{"", ""}));

TEST(PlainText, RejectsOverlongsAndSurrogatesAsUtf8) {
    EXPECT_TRUE(IsValidUtf8("abc \xE7\xAD\x94 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xE7\xAD"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xB4\xF0\xB0\xB8"));  // GBK 答案
}

TEST(PlainText, FixtureFilesOfEveryEncodingReadAlike) {
    Text expected = FromUtf8("答案：北京\r\n第二行 abc\r\n");
    for (const char* name : {"utf8.txt", "utf8_bom.txt", "utf16le.txt", "utf16be.txt", "gbk.txt"}) {
        EXPECT_EQ(ReadDocumentFile(Fixture(name), nullptr), expected) << name;
    }
}

TEST(Docx, ParagraphsAndTableCellsFromARealWordProcessorFile) {
    auto text = ReadDocumentFile(Fixture("answers.docx"), nullptr);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, FromUtf8("第一题：中国的首都是北京。\r\n"
                              "第二题 & 答案：长江 <最长>\r\n"
                              "问题\t答案\r\n"
                              "水的化学式\tH2O\r\n"
                              "结束"));
}

TEST(Docx, TheMainPartIsTheOneThePackageNames) {
    EXPECT_EQ(ReadDocumentFile(Fixture("renamed_main_document.docx"), nullptr), FromUtf8("另一个名字"));
}

TEST(Docx, CorruptedAndOverCapArchivesAreRefused) {
    EXPECT_FALSE(ReadDocumentFile(Fixture("corrupted.docx"), nullptr));
    // bomb.docx is 49 KB on disk and would expand to 48 MiB.
    std::string bomb = FixtureBytes("bomb.docx");
    EXPECT_LT(bomb.size(), 100u * 1024);
    EXPECT_FALSE(ReadDocx(bomb));
    // Under a larger cap the same archive is fine, so the cap is what refused it.
    EXPECT_TRUE(ReadDocx(bomb, 64u << 20));
}

TEST(Docx, TruncatedArchivesNeverReadPastTheirEnd) {
    std::string good = FixtureBytes("answers.docx");
    for (size_t n = 0; n < good.size(); n += 97) {
        EXPECT_FALSE(ReadDocx(std::string_view(good).substr(0, n))) << n;
    }
}

TEST(Docx, DamagedArchivesAreReadOrRefusedNeverOverrun) {
    // Damage anywhere: headers, sizes and offsets of the central directory,
    // compressed data. Each copy is either read or refused.
    std::string good = FixtureBytes("answers.docx");
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 3000; ++round) {
        std::string bad = good;
        for (int k = 0; k < 1 + round % 4; ++k) {
            size_t at = round % 2 ? bad.size() - 1 - next() % 400 : next() % bad.size();
            bad[at] = static_cast<char>(next() >> 8);
        }
        (void)ReadDocx(bad);
    }
}

TEST(Docx, MissingMainPartAndOtherFilesAreRefused) {
    std::string good = FixtureBytes("answers.docx");
    EXPECT_FALSE(ReadZipMember(good, "word/missing.xml", 1 << 20));
    EXPECT_TRUE(ReadZipMember(good, "word/styles.xml", 1 << 20));
    EXPECT_FALSE(ReadDocumentFile(Fixture("no-such-file.docx"), nullptr));
    EXPECT_FALSE(ReadDocumentFile(Fixture(""), nullptr));  // the folder itself
}

struct XmlCase {
    const char* xml;
    const char* utf8;
};
void PrintTo(const XmlCase& c, std::ostream* os) {
    *os << std::strlen(c.xml) << "_bytes_of_xml";
}

class DocumentXml : public ::testing::TestWithParam<XmlCase> {};

TEST_P(DocumentXml, KeepsTheTextOfTheRuns) {
    EXPECT_EQ(DocumentXmlText(GetParam().xml), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, DocumentXml,
    ::testing::Values(
        XmlCase{
            "<w:p><w:r><w:t>a&amp;b&lt;&gt;&quot;&apos;&#31572;&#x6848;&bogus;</w:t></w:r></w:p>",
            "a&b<>\"'答案&bogus;"},
        XmlCase{"<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t></w:r></w:p>",
                "a\tb\r\nc"},
        XmlCase{"<w:p/><w:p><w:r><w:t>x</w:t></w:r></w:p><w:p></w:p>", "\r\nx\r\n"},
        // Tab stops in paragraph properties are no characters.
        XmlCase{"<w:p><w:pPr><w:tabs><w:tab w:val=\"left\"/></w:tabs></w:pPr><w:r><w:t>x</w:t>"
                "</w:r></w:p>",
                "x"},
        // Deleted text, field codes and the fallback copy of a text box are skipped.
        XmlCase{"<w:p><w:r><w:delText>gone</w:delText><w:instrText>PAGE</w:instrText>"
                "<mc:AlternateContent><mc:Choice><w:t>box</w:t></mc:Choice>"
                "<mc:Fallback><w:t>box</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>",
                "box"},
        XmlCase{"<w:tbl><w:tr><w:tc><w:p><w:r><w:t>1</w:t></w:r></w:p><w:p><w:r><w:t>2</w:t>"
                "</w:r></w:p></w:tc><w:tc><w:p/></w:tc><w:tc><w:p><w:r><w:t>3</w:t></w:r></w:p>"
                "</w:tc></w:tr></w:tbl><w:p><w:r><w:t a=\">\">end</w:t></w:r></w:p>",
                "1\r\n2\t\t3\r\nend"}));

}  // namespace
}  // namespace tavimo::loading
