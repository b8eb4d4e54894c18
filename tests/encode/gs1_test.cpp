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

// What a scanner reads from a start and the symbols after it, FNC1 as | (outside GS1's set 82).
std::string Read(std::int32_t start, const std::vector<std::int32_t>& symbols) {
  char set = start == code128::kStartC ? 'C' : start == code128::kStartB ? 'B' : 'A';
  std::string text;
  for (std::int32_t v : symbols) {
    if (v == code128::kFnc1) {
      text += '|';
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

// GTINs, SSCCs and GLNs from the GS1 General Specifications' examples.
const ParseCase kParseCases[] = {
    /* 0*/ {"(01)09501101530003(17)251231(10)AB12", {}, "", "GTIN, expiry, batch"},
    {"(17)250200(15)240229(11)000101", {}, "", "day 00, a leap day, 2000-01-01"},
    {"(421)276ABC-1(422)276(8005)000125(90)X", {}, "", "country then postcode; fixed AIs past 41"},
    {"(3103)001250(3922)1", Gs1Error::kUnknownAi, "(3922) 不是已知的应用标识符", "an AI not in the table"},
    {"(3106)001250", Gs1Error::kUnknownAi, "", "310n takes 0 to 5 decimals"},
    /* 5*/ {"(01)09501101530004", Gs1Error::kWrongCheckDigit, "(01) 的校验位应为 3，现为 4", "check digit"},
    {"(414)9501101530002", Gs1Error::kWrongCheckDigit, "", "a GLN's check digit"},
    {"(01)0950110153000", Gs1Error::kWrongLength, "(01) 的数据应为 14 位，现为 13 位", "fixed, one short"},
    {"(10)ABCDEFGHIJKLMNOPQRSTU", Gs1Error::kWrongLength, "(10) 的数据最多 20 位，现为 21 位", "too long"},
    {"(421)276", Gs1Error::kWrongLength, "", "a country code without a postcode"},
    /*10*/ {"(01)0950110153000A", Gs1Error::kBadCharacter, "(01) 的数据只能是数字，不能有“A”", "a letter"},
    {"(10)AB 12", Gs1Error::kBadCharacter, "", "the space is not in set 82"},
    {"(17)251301", Gs1Error::kBadDate, "(17) 的日期 251301 不是有效的年月日（YYMMDD）", "month 13"},
    {"(17)250229", Gs1Error::kBadDate, "", "no leap day in 2025"},
    {"(7003)2512312460", Gs1Error::kBadDate, "", "hour 24"},
    /*15*/ {"(10)(21)1", Gs1Error::kEmptyData, "(10) 后面缺少数据", "no data"},
    {"01095011015300031", Gs1Error::kNotElementStrings, "", "no parentheses"},
};

TEST(Gs1, ParseElementStrings) {
  testing::ForEachRow(kParseCases, [](const ParseCase& row) {
    const Fields fields = ParseElementStrings(row.content);
    ASSERT_EQ(fields.ok(), !row.error) << fields.message();
    if (!row.error) return;
    EXPECT_EQ(fields.code(), *row.error);
    if (*row.message == '\0') return;
    EXPECT_EQ(fields.message(), GbkFromUtf8(row.message));
  });
}

TEST(Gs1, EveryTableRowIsFoundAndSeparatedAsItsPrefixPredefines) {
  // The AI prefixes whose data length is predefined (GS1 General Specifications, figure 5.10.1-2).
  const std::string_view predefined = "00 01 02 03 04 11 12 13 14 15 16 17 18 19 20 31 32 33 34 35 36 41";
  for (const AiRow& row : AiTable()) {
    const std::string ai = std::string(row.ai) + (row.decimal ? "5" : "");
    EXPECT_EQ(FindAi(ai), &row) << ai;
    EXPECT_EQ(row.length == Length::kPredefined, predefined.find(row.ai.substr(0, 2)) != predefined.npos)
        << ai;
    EXPECT_EQ(row.length != Length::kVariable, row.min_length == row.max_length) << ai;
  }
}

struct SymbolCase {
  std::string_view content;
  std::string_view read;  // what a scanner reads, | for each FNC1 (the first one too)
  bool as_libzint;        // libzint chooses the same sets, so its bars are ours
  const char* reason;
};

const SymbolCase kSymbolCases[] = {
    /* 0*/ {"(01)09501101530003(17)251231(10)AB12", "|01095011015300031725123110AB12", true, "run on"},
    {"(00)106141411234567897", "|00106141411234567897", true, "set C from the start"},
    {"(10)ABC(21)123", "|10ABC|21123", false, "FNC1 after a variable field"},
    {"(422)276(10)X", "|422276|10X", false, "a fixed length past 41 takes FNC1 too"},
    {"(10)A(17)251231", "|10A|17251231", false, "none after the last"},
};

// Ours, and libzint's GS1-128 where it is installed.
TEST(Gs1, SymbolsCarryTheElementStrings) {
  testing::ForEachRow(kSymbolCases, [](const SymbolCase& row) {
    const Fields fields = ParseElementStrings(row.content);
    ASSERT_TRUE(fields.ok()) << fields.message();
    const code128::SymbolSequence ours = BuildSymbols(fields.value());
    EXPECT_EQ(Read(ours.start, ours.symbols), row.read);
#ifdef SW_WITH_ZINT
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE | GS1PARENS_MODE;
    const auto* input = reinterpret_cast<const unsigned char*>(row.content.data());
    ASSERT_LT(ZBarcode_Encode(symbol, input, static_cast<int>(row.content.size())), ZINT_ERROR)
        << symbol->errtxt;
    std::string widths;
    const auto bit = [&](int x) { return (symbol->encoded_data[0][x >> 3] >> (x & 7)) & 1; };
    for (int x = 0, run = 1; x < symbol->width; ++x, ++run) {
      if (x + 1 == symbol->width || bit(x + 1) != bit(x))
        widths += static_cast<char>('0' + std::exchange(run, 0));
    }
    ZBarcode_Delete(symbol);
    const code128::PatternRows& rows = code128::PatternTableRows();
    std::vector<std::int32_t> values;  // start, symbols and check; the stop's 7 widths left over
    for (std::size_t at = 0; at + 7 < widths.size(); at += 6) {
      values.push_back(static_cast<std::int32_t>(std::find(rows.begin(), rows.end(), widths.substr(at, 6)) -
                                                 rows.begin()));
    }
    EXPECT_EQ(Read(values.front(), {values.begin() + 1, values.end() - 1}), row.read) << "libzint";
    if (!row.as_libzint) return;
    EXPECT_EQ(widths, code128::WidthString(ours));
#endif
  });
}

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
    {"A\tB\x7f", "AB", {"\\x09", "\\x7F"}, "control bytes, shown as \\xNN"},
    {"\xc8"
     "A1\x81/",
     "1/",
     {"\xc8"
      "A",
      "\\x81"},
     "a trail byte like a letter; a lead byte alone"},
};

TEST(CarriedText, SplitsWhatTheBarsCarryFromWhatTheyLeaveOut) {
  testing::ForEachRow(kCarriedCases, [](const CarriedCase& row) {
    const code128::CarriedText split = code128::SplitCarried(row.text);
    EXPECT_EQ(split.carried, row.carried);
    EXPECT_EQ(split.left_out, row.left_out);
    const code128::SymbolSequence bars = code128::BuildSymbols(code128::SplitIntoSegments(row.text).list);
    EXPECT_EQ(Read(bars.start, bars.symbols), row.carried) << "what a scanner reads from the text's bars";
  });
}

}  // namespace
}  // namespace sw::gs1
