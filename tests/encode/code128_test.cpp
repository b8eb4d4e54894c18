// Segments, symbol values, check values and module counts of the Code 128 encoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode/code128_tables.h"
#include "encode/segments.h"
#include "encode/symbols.h"
#include "render/barcode_canvas.h"
#include "tests/support/case_table.h"

namespace sw::code128 {
namespace {

std::string C(std::string_view digits) { return kSetCMarker + std::string(digits); }
std::string B(std::string_view text) { return kSetBMarker + std::string(text); }
constexpr std::int32_t ValueB(char c) { return c - ' '; }  // set B value of a printable character
constexpr std::int32_t kToC = kCodeCSwitch, kToB = kCodeBSwitch;

struct Case {
  std::string_view text;
  std::vector<std::string> segments;
  bool has_non_digit;
  std::int32_t start;
  std::vector<std::int32_t> symbols;
  std::int32_t check;
  const char* reason;
};

const Case kCases[] = {
    {"12345",
     {C("1234"), B("5")},
     false,
     kStartC,
     {12, 34, kToB, ValueB('5')},
     54,
     "five digits at the end: 4 in C"},
    {"123456", {C("123456")}, false, kStartC, {12, 34, 56}, 44, "an even run at the end"},
    {"1234", {B("1234")}, false, kStartB, {17, 18, 19, 20}, 88, "four digits at the end stay in B"},
    {"A1234B",
     {B("A"), C("1234"), B("B")},
     true,
     kStartB,
     {33, kToC, 12, 34, kToB, 34},
     78,
     "a run of 4 inside"},
    {"12345A",
     {C("1234"), B("5A")},
     true,
     kStartC,
     {12, 34, kToB, 21, 33},
     13,
     "an odd run gives its last digit to B"},
    {"AB12", {B("AB"), B("12")}, true, kStartB, {33, 34, 17, 18}, 19, "no switch between two B segments"},
    {"AB123",
     {B("AB1"), C("23")},
     true,
     kStartB,
     {33, 34, 17, kToC, 23},
     46,
     "odd end run: first digit moves back"},
    {"A12B", {B("A"), B("12B")}, true, kStartB, {33, 17, 18, 34}, 52, "a short run stays in B"},
    {"Code128",
     {B("Code1"), C("28")},
     true,
     kStartB,
     {35, 79, 68, 69, 17, kToC, 28},
     4,
     "letters, then a short run whose odd digit moves back"},
    {"A", {B("A")}, true, kStartB, {33}, (104 + 33) % 103, "one letter"},
    {"1", {B("1")}, false, kStartB, {17}, (104 + 17) % 103, "one digit"},
    {"123",
     {B("12"), B("3")},
     false,
     kStartB,
     {17, 18, 19},
     (104 + 17 + 2 * 18 + 3 * 19) % 103,
     "lone odd end run: the last digit splits off"},
    {"", {}, false, kStartC, {}, 2, "nothing: start, check and stop"},
    // Bytes without a set B value.
    {"A B", {B("A B")}, true, kStartB, {33, 0, 34}, (104 + 33 + 0 + 3 * 34) % 103, "the space is value 0"},
    {"A\x01"
     "B",
     {B("A\x01"
        "B")},
     true,
     kStartB,
     {33, 34},
     (104 + 33 + 2 * 34) % 103,
     "a control byte is left out"},
    {"\xb0\xa1"
     "12345678",
     {B("\xb0\xa1"), C("12345678")},
     true,
     kStartC,
     {12, 34, 56, 78},
     (105 + 12 + 2 * 34 + 3 * 56 + 4 * 78) % 103,
     "a leading double-byte character yields nothing: Start C"},
    {"12345678\x7f",
     {C("12345678"), B("\x7f")},
     true,
     kStartC,
     {12, 34, 56, 78},
     (105 + 12 + 2 * 34 + 3 * 56 + 4 * 78) % 103,
     "no switch before a segment that yields nothing"},
    {"\xb0\xa1", {B("\xb0\xa1")}, true, kStartC, {}, 2, "nothing encodable: as the empty text"},
    // GBK double-byte characters (lead 0x81-0xFE, trail 0x40-0xFE but 0x7F) are left out whole.
    {"\xc8\x41"
     "Z",
     {B("\xc8\x41"
        "Z")},
     true,
     kStartB,
     {ValueB('Z')},
     (104 + ValueB('Z')) % 103,
     "a character whose trail byte equals 'A' gives no A"},
    {"\x81\x40", {B("\x81\x40")}, true, kStartC, {}, 2, "lowest lead and trail ('@'): nothing encodable"},
    {"1234\xe9\x46"
     "5678",
     {C("1234"), B("\xe9\x46"), B("5678")},
     true,
     kStartC,
     {12, 34, kToB, 21, 22, 23, 24},
     (105 + 12 + 2 * 34 + 3 * kToB + 4 * 21 + 5 * 22 + 6 * 23 + 7 * 24) % 103,
     "a character (trail 'F') between digit runs keeps them apart, as typed, and gives no F"},
    {"\x81\x81"
     "A",
     {B("\x81\x81"
        "A")},
     true,
     kStartB,
     {33},
     (104 + 33) % 103,
     "a lead byte as trail: one character, and the A after it stays"},
    {"A\xc8 B",
     {B("A\xc8 B")},
     true,
     kStartB,
     {33, 0, 34},
     (104 + 33 + 0 + 3 * 34) % 103,
     "a lead byte before a space is left out alone: the space stays"},
    {"\x81?",
     {B("\x81?")},
     true,
     kStartB,
     {ValueB('?')},
     (104 + ValueB('?')) % 103,
     "'?' (0x3F) lies just below the trail bytes: the lead is left out alone and the ? stays"},
    {"\x80"
     "A\xff"
     "B",
     {B("\x80"
        "A\xff"
        "B")},
     true,
     kStartB,
     {33, 34},
     (104 + 33 + 2 * 34) % 103,
     "0x80 and 0xFF lead no character: the letters after them stay"},
};

TEST(Code128, SegmentsSymbolsAndCheckValues) {
  testing::ForEachRow(kCases, [](const Case& c) {
    const Segments segments = SplitIntoSegments(c.text);
    EXPECT_EQ(segments.list, c.segments);
    EXPECT_EQ(segments.has_non_digit, c.has_non_digit);
    const SymbolSequence sequence = BuildSymbols(segments.list);
    EXPECT_EQ(sequence.start, c.start);
    EXPECT_EQ(sequence.symbols, c.symbols);
    EXPECT_EQ(sequence.check, c.check);
    // 11 modules a symbol (start and check included), 13 for the stop pattern: 79 for "12345", 68 for
    // "123456", 112 for "Code128", 46 for one character.
    const std::string widths = WidthString(sequence);
    EXPECT_EQ(ModuleCount(widths), 11 * static_cast<std::int64_t>(c.symbols.size() + 2) + 13);
    EXPECT_EQ(widths.substr(0, 6), PatternTableRows()[static_cast<std::size_t>(c.start)]);
    EXPECT_EQ(widths.substr(widths.size() - 7), "2331112");
  });
}

TEST(Code128, CheckValueOfALongTextDoesNotOverflow) {
  // 20000 letters: the plain weighted sum passes 2^31; the check must still be the true one.
  constexpr std::int64_t kLength = 20000;
  const std::int64_t sum = kStartB + ValueB('A') * kLength * (kLength + 1) / 2;
  const SymbolSequence sequence = BuildSymbols(SplitIntoSegments(std::string(kLength, 'A')).list);
  EXPECT_EQ(sequence.check, sum % kCheckModulus);
}

}  // namespace
}  // namespace sw::code128
