#include "exchange/TextTable.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

using namespace tl5;

namespace {

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

int ReadString(TextTable& t, const std::string& bytes) {
    return t.ReadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::u16string CellText(const TextTable& t, uint32_t c, uint32_t r) { return std::u16string(t.Cell(c, r)); }

}  // namespace

TEST(ExchangeCodePage, EveryByteRoundTripsAndHighBytesMapAsWindows) {
    for (int b = 0; b < 256; ++b) {
        const char16_t wide = CodePage1252ToUtf16(static_cast<uint8_t>(b));
        uint8_t back = 0;
        ASSERT_TRUE(Utf16ToCodePage1252(wide, &back)) << b;
        EXPECT_EQ(back, b);
    }
    EXPECT_EQ(CodePage1252ToUtf16(0x80), u'\u20AC');
    EXPECT_EQ(CodePage1252ToUtf16(0x9F), u'\u0178');
    EXPECT_EQ(CodePage1252ToUtf16(0xAE), u'\u00AE');
    EXPECT_EQ(CodePage1252ToUtf16(0x81), u'\u0081');
    bool lossy = false;
    EXPECT_EQ(Utf16ToCodePage1252(u"caf\u00e9 \u20ac", &lossy), "caf\xe9 \x80");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(Utf16ToCodePage1252(u"\u4e2d!", &lossy), "?!");
    EXPECT_TRUE(lossy);
}

TEST(ExchangeTextTable, Utf16AndSingleByteFilesGiveTheSameTable) {
    const std::u16string text = u"CardName\tUser\tPass\r\nBank\tJos\u00e9\t\u20ac5\r\nMail\t\"x\"\t\r\n";
    TextTable wide, narrow;
    ASSERT_EQ(ReadString(wide, Utf16File(text)), kTextTableOk);
    ASSERT_EQ(ReadString(narrow, Utf16ToCodePage1252(text)), kTextTableOk);
    ASSERT_EQ(wide.Columns(), 3u);
    ASSERT_EQ(wide.Rows(), 4u);
    EXPECT_EQ(narrow.Columns(), wide.Columns());
    EXPECT_EQ(narrow.Rows(), wide.Rows());
    for (uint32_t r = 0; r < wide.Rows(); ++r) {
        for (uint32_t c = 0; c <= wide.Columns(); ++c) EXPECT_EQ(CellText(wide, c, r), CellText(narrow, c, r));
    }
    EXPECT_EQ(CellText(wide, 1, 1), u"Jos\u00e9");
    EXPECT_EQ(CellText(wide, 2, 1), u"\u20ac5");
    EXPECT_EQ(CellText(wide, 1, 2), u"x");   // quotes stripped
    EXPECT_EQ(CellText(wide, 2, 2), u"");
    EXPECT_EQ(CellText(wide, 0, 3), u"");    // the row after the last line break is empty
    EXPECT_FALSE(wide.Ragged());
}

TEST(ExchangeTextTable, ShapeAndCellRules) {
    TextTable t;
    // Three tabs in the first line give four columns; five line breaks give six rows.
    ASSERT_EQ(t.ParseText(u"a\tb\tc\td\r\n1\r\n2\r\n3\r\n4\r\n"), kTextTableOk);
    EXPECT_EQ(t.Columns(), 4u);
    EXPECT_EQ(t.Rows(), 6u);
    EXPECT_EQ(CellText(t, 4, 0), u"");       // column == columns is out of range
    EXPECT_EQ(CellText(t, 0, 6), u"");
    EXPECT_TRUE(t.Ragged());                 // rows of one cell shift into the first row's columns
    EXPECT_EQ(CellText(t, 1, 1), u"2");     // shifted as the walk fills cells in reading order

    struct Case { std::u16string cell; std::u16string expected; };
    const Case cases[] = {
        {u"\"quoted\"", u"quoted"}, {u"\"", u""}, {u"\"\"", u""}, {u"open\"", u"open"},
        {u"\"start", u"start"}, {u"in\"side", u"in\"side"}, {u"", u""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(t.ParseText(u"h\t" + c.cell + u"\r\nx\ty"), kTextTableOk);
        EXPECT_EQ(CellText(t, 1, 0), c.expected) << std::string(c.cell.begin(), c.cell.end());
        EXPECT_EQ(CellText(t, 1, 1), u"y");
    }
}

TEST(ExchangeTextTable, LoneCarriageReturnKeepsTheNextCharacter) {
    TextTable t;
    ASSERT_EQ(t.ParseText(u"CardName\tA\rxy\tz"), kTextTableOk);
    EXPECT_EQ(t.Rows(), 2u);
    EXPECT_EQ(CellText(t, 0, 1), u"xy");
    EXPECT_EQ(CellText(t, 1, 1), u"z");
}

TEST(ExchangeTextTable, ErrorsLeaveTheTableCleared) {
    TextTable t;
    ASSERT_EQ(t.ParseText(u"a\tb"), kTextTableOk);
    EXPECT_EQ(ReadString(t, ""), kTextTableCannotOpen);
    EXPECT_FALSE(t.Loaded());
    EXPECT_EQ(t.Columns(), 0u);
    EXPECT_EQ(ReadString(t, "x"), kTextTableFirstBytes);
    EXPECT_EQ(ReadString(t, std::string("\xFF\xFE", 2)), kTextTableNoText);      // only the mark
    EXPECT_EQ(ReadString(t, std::string("\0abc", 4)), kTextTableNoText);          // NUL first
    EXPECT_EQ(CellText(t, 0, 0), u"");
    // Text ends at the first NUL.
    ASSERT_EQ(ReadString(t, std::string("a\tb\0c\td", 7)), kTextTableOk);
    EXPECT_EQ(t.Columns(), 2u);
    EXPECT_EQ(CellText(t, 1, 0), u"b");
}

TEST(ExchangeTextTable, ManyTabsAndLinesDoNotAllocateTheFullGrid) {
    // 20,000 tabs in the first line and 20,000 line breaks: 400 million addressable cells, but only
    // the cells the text holds are kept.
    std::u16string text(20000, u'\t');
    for (int i = 0; i < 20000; ++i) text += u"\r\n";
    TextTable t;
    ASSERT_EQ(t.ParseText(text), kTextTableOk);
    EXPECT_EQ(t.Columns(), 20001u);
    EXPECT_EQ(t.Rows(), 20001u);
    EXPECT_EQ(CellText(t, 20000, 20000), u"");
    EXPECT_EQ(CellText(t, 5, 3), u"");
}
