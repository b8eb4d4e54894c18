// GS1-128: element strings checked against the AI table, the symbols that carry them, and what plain
// Code 128 bars carry of a text.
#include "encode/gs1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "encode/carried_text.h"
#include "encode/code128_tables.h"
#include "encode/segments.h"
#include "tests/support/case_table.h"
#include "tests/support/gbk_from_utf8.h"

#ifdef SW_WITH_ZINT
#include <zint.h>
#endif

namespace sw::gs1 {
namespace {

using testing::GbkFromUtf8;

// What a scanner reads from a start and the symbols after it, FNC1 as GS (0x1D, as GS1 transmits it).
std::string Read(std::int32_t start, const std::vector<std::int32_t>& symbols) {
  char set = start == code128::kStartC ? 'C' : start == code128::kStartB ? 'B' : 'A';
  std::string text;
  for (std::int32_t v : symbols) {
    if (v == code128::kFnc1) {
      text += '\x1d';
    } else if (set == 'C' && v < 100) {
      text += static_cast<char>('0' + v / 10);
      text += static_cast<char>('0' + v % 10);
    } else if (v < 96) {
      text += static_cast<char>(set == 'B' || v < 64 ? v + ' ' : v - 64);
    } else if (v >= 99 && v <= 101 && 'C' + 99 - v != set) {
      set = static_cast<char>('C' + 99 - v);  // 99: Code C, 100: Code B, 101: Code A
    } else {
      ADD_FAILURE() << "symbol " << v << " in set " << set;
    }
  }
  return text;
}

struct ParseCase {
  std::string_view content;
  std::optional<Gs1Error> error;  // none: it parses
  const char* message;            // UTF-8, for the rows whose wording matters; empty: not compared
  const char* reason;
};

// GTINs and SSCCs from the GS1 General Specifications' examples.
const ParseCase kParseCases[] = {
    /* 0*/ {"(01)09501101530003(17)251231(10)AB12", {}, "", "GTIN, expiry, batch"},
    {"(00)106141411234567897", {}, "", "SSCC"},
    {"(02)09501101530003(37)24", {}, "", "contained GTIN and count"},
    {"(17)250200", {}, "", "day 00: only year and month known"},
    {"(15)240229(11)000101", {}, "", "leap day; 2000-01-01"},
    /* 5*/
    {"(3103)001250(3922)", Gs1Error::kUnknownAi, "(3922) 不是已知的应用标识符", "an AI outside the table"},
    {"(3106)001250", Gs1Error::kUnknownAi, "", "310n takes 0 to 5 decimals"},
    {"(01)09501101530004", Gs1Error::kWrongCheckDigit, "(01) 的校验位应为 3，现为 4", "wrong check digit"},
    {"(414)9501101530002", Gs1Error::kWrongCheckDigit, "", "a GLN's check digit"},
    {"(01)0950110153000", Gs1Error::kWrongLength, "(01) 的数据应为 14 位，现为 13 位",
     "fixed length, one short"},
    /*10*/
    {"(10)ABCDEFGHIJKLMNOPQRSTU", Gs1Error::kWrongLength, "(10) 的数据最多 20 位，现为 21 位", "too long"},
    {"(421)276", Gs1Error::kWrongLength, "(421) 的数据至少 4 位，现为 3 位", "country code without postcode"},
    {"(01)0950110153000A", Gs1Error::kBadCharacter, "(01) 的数据只能是数字，不能有“A”", "a letter in a GTIN"},
    {"(10)AB 12", Gs1Error::kBadCharacter, "", "the space is not in set 82"},
    {"(21)\xcc\xf5", Gs1Error::kBadCharacter, "", "a Chinese character"},
    /*15*/ {"(17)251301", Gs1Error::kBadDate, "(17) 的日期 251301 不是有效的年月日（YYMMDD）", "month 13"},
    {"(17)250229", Gs1Error::kBadDate, "", "no leap day in 2025"},
    {"(7003)2512312460", Gs1Error::kBadDate, "", "hour 24"},
    {"(7003)2512310000", {}, "", "date and time"},
    {"(10)", Gs1Error::kEmptyData, "(10) 后面缺少数据", "no data"},
    /*20*/ {"01095011015300031", Gs1Error::kNotElementStrings, "", "no parentheses"},
    {"(01", Gs1Error::kNotElementStrings, "", "no closing parenthesis"},
    {"(421)276ABC-1(422)276(8005)000125(90)X", {}, "", "country then postcode; fixed AIs outside 00-41"},
};

TEST(Gs1, ParseElementStrings) {
  testing::ForEachRow(kParseCases, [](const ParseCase& row) {
    const Fields fields = ParseElementStrings(row.content);
    ASSERT_EQ(fields.ok(), !row.error) << fields.message();
    if (!row.error) return;
    EXPECT_EQ(fields.code(), *row.error);
    if (*row.message != '\0') {
      EXPECT_EQ(fields.message(), GbkFromUtf8(row.message));
    }
  });
}

constexpr std::int32_t kToB = code128::kCodeBSwitch, kToC = code128::kCodeCSwitch, F1 = code128::kFnc1;
constexpr std::int32_t B(char c) { return c - ' '; }

struct SymbolCase {
  std::string_view content;
  std::int32_t start;
  std::vector<std::int32_t> symbols;
  bool as_libzint;  // libzint chooses the same sets
  const char* reason;
};

const SymbolCase kSymbolCases[] = {
    /* 0*/ {"(01)09501101530003(17)251231(10)AB12",
            code128::kStartC,
            {F1, 1, 9, 50, 11, 1, 53, 0, 3, 17, 25, 12, 31, 10, kToB, B('A'), B('B'), B('1'), B('2')},
            true,
            "predefined lengths run on without FNC1"},
    {"(10)ABC(21)123",
     code128::kStartB,
     {F1, B('1'), B('0'), B('A'), B('B'), B('C'), F1, kToC, 21, 12, kToB, B('3')},
     false,
     "FNC1 after a variable field"},
    {"(422)276(10)X",
     code128::kStartC,
     {F1, 42, 22, 76, F1, kToB, B('1'), B('0'), B('X')},
     false,
     "a fixed length outside the predefined prefixes takes FNC1 too"},
    {"(10)A(17)251231",
     code128::kStartB,
     {F1, B('1'), B('0'), B('A'), F1, kToC, 17, 25, 12, 31},
     false,
     "the last field ends without FNC1"},
    {"(00)106141411234567897", code128::kStartC, {F1, 0, 10, 61, 41, 41, 12, 34, 56, 78, 97}, true, "SSCC"},
    /* 5*/
    {"(01)09501101530003(15)250200(3103)001250",
     code128::kStartC,
     {F1, 1, 9, 50, 11, 1, 53, 0, 3, 15, 25, 2, 0, 31, 3, 0, 12, 50},
     true,
     "digits all through"},
};

TEST(Gs1, SymbolsOfElementStrings) {
  testing::ForEachRow(kSymbolCases, [](const SymbolCase& row) {
    const Fields fields = ParseElementStrings(row.content);
    ASSERT_TRUE(fields.ok()) << fields.message();
    const code128::SymbolSequence sequence = BuildSymbols(fields.value());
    EXPECT_EQ(sequence.start, row.start);
    EXPECT_EQ(sequence.symbols, row.symbols);
  });
}

TEST(Gs1, EveryTableRowIsFoundByItsAi) {
  // The AI prefixes whose data length the GS1 General Specifications predefine (figure 5.10.1-2).
  constexpr std::string_view kPredefined[] = {"00", "01", "02", "03", "04", "11", "12", "13",
                                              "14", "15", "16", "17", "18", "19", "20", "31",
                                              "32", "33", "34", "35", "36", "41"};
  for (const AiRow& row : AiTable()) {
    const std::string ai = std::string(row.ai) + (row.decimal ? "5" : "");
    EXPECT_EQ(FindAi(ai), &row) << ai;
    const bool predefined = std::find(std::begin(kPredefined), std::end(kPredefined), row.ai.substr(0, 2)) !=
                            std::end(kPredefined);
    EXPECT_EQ(row.length == Length::kPredefined, predefined) << ai;
    EXPECT_EQ(row.length != Length::kVariable, row.min_length == row.max_length) << ai;
  }
}

#ifdef SW_WITH_ZINT
// libzint's GS1-128 of the same element strings: what a scanner reads is the same (FNC1s included), and
// where libzint's choice of sets is ours, so are the bars.
TEST(Gs1, AgreesWithLibzint) {
  const code128::PatternRows& rows = code128::PatternTableRows();
  for (const SymbolCase& row : kSymbolCases) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE | GS1PARENS_MODE;
    ASSERT_LT(ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(row.content.data()),
                              static_cast<int>(row.content.size())),
              ZINT_ERROR)
        << symbol->errtxt;
    std::string zint_widths;
    for (int x = 0, run = 0; x < symbol->width; ++x) {
      ++run;
      const auto bit = [&](int at) { return (symbol->encoded_data[0][at >> 3] >> (at & 7)) & 1; };
      if (x + 1 == symbol->width || bit(x + 1) != bit(x))
        zint_widths += static_cast<char>('0' + std::exchange(run, 0));
    }
    ZBarcode_Delete(symbol);
    std::vector<std::int32_t> values;  // start, symbols and check; the stop's 7 widths left over
    for (std::size_t at = 0; at + 7 < zint_widths.size(); at += 6) {
      const auto found = std::find(rows.begin(), rows.end() - 1, zint_widths.substr(at, 6));
      ASSERT_NE(found, rows.end() - 1) << row.content;
      values.push_back(static_cast<std::int32_t>(found - rows.begin()));
    }
    const Fields fields = ParseElementStrings(row.content);
    ASSERT_TRUE(fields.ok());
    const code128::SymbolSequence ours = BuildSymbols(fields.value());
    EXPECT_EQ(Read(values.front(), {values.begin() + 1, values.end() - 1}), Read(ours.start, ours.symbols))
        << row.content;
    if (row.as_libzint) {
      EXPECT_EQ(zint_widths, code128::WidthString(ours)) << row.content;
    }
  }
}
#endif

struct CarriedCase {
  std::string_view text;
  std::string_view carried;
  std::vector<std::string> left_out;
  const char* reason;
};

const CarriedCase kCarriedCases[] = {
    /* 0*/ {"\xcc\xf5\xc2\xeb"
            "123",
            "123",
            {"\xcc\xf5", "\xc2\xeb"},
            "double-byte characters"},
    {"A\tB\x7f", "AB", {"\\x09", "\\x7F"}, "control bytes as \\xNN"},
    {"\xc8"
     "A1",
     "1",
     {"\xc8"
      "A"},
     "a trail byte that looks like a letter goes with its lead"},
    {"1\x81/", "1/", {"\\x81"}, "a lead byte alone"},
    {"Code 128", "Code 128", {}, "everything carried"},
};

TEST(CarriedText, SplitsWhatTheBarsCarryFromWhatTheyLeaveOut) {
  testing::ForEachRow(kCarriedCases, [](const CarriedCase& row) {
    const code128::CarriedText split = code128::SplitCarried(row.text);
    EXPECT_EQ(split.carried, row.carried);
    EXPECT_EQ(split.left_out, row.left_out);
    // What a scanner reads from the text's bars is the carried text.
    const code128::SymbolSequence bars = code128::BuildSymbols(code128::SplitIntoSegments(row.text).list);
    EXPECT_EQ(Read(bars.start, bars.symbols), row.carried);
  });
}

}  // namespace
}  // namespace sw::gs1
