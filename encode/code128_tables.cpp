#include "encode/code128_tables.h"

#include <algorithm>

namespace sw::code128 {
namespace {

// Code 128 symbol patterns in value order (ISO/IEC 15417), then the stop pattern.
constexpr std::string_view kPatternTable =
    "212222\r\n"  // 0
    "222122\r\n"
    "222221\r\n"
    "121223\r\n"
    "121322\r\n"
    "131222\r\n"  // 5
    "122213\r\n"
    "122312\r\n"
    "132212\r\n"
    "221213\r\n"
    "221312\r\n"  // 10
    "231212\r\n"
    "112232\r\n"
    "122132\r\n"
    "122231\r\n"
    "113222\r\n"  // 15
    "123122\r\n"
    "123221\r\n"
    "223211\r\n"
    "221132\r\n"
    "221231\r\n"  // 20
    "213212\r\n"
    "223112\r\n"
    "312131\r\n"
    "311222\r\n"
    "321122\r\n"  // 25
    "321221\r\n"
    "312212\r\n"
    "322112\r\n"
    "322211\r\n"
    "212123\r\n"  // 30
    "212321\r\n"
    "232121\r\n"
    "111323\r\n"
    "131123\r\n"
    "131321\r\n"  // 35
    "112313\r\n"
    "132113\r\n"
    "132311\r\n"
    "211313\r\n"
    "231113\r\n"  // 40
    "231311\r\n"
    "112133\r\n"
    "112331\r\n"
    "132131\r\n"
    "113123\r\n"  // 45
    "113321\r\n"
    "133121\r\n"
    "313121\r\n"
    "211331\r\n"
    "231131\r\n"  // 50
    "213113\r\n"
    "213311\r\n"
    "213131\r\n"
    "311123\r\n"
    "311321\r\n"  // 55
    "331121\r\n"
    "312113\r\n"
    "312311\r\n"
    "332111\r\n"
    "314111\r\n"  // 60
    "221411\r\n"
    "431111\r\n"
    "111224\r\n"
    "111422\r\n"
    "121124\r\n"  // 65
    "121421\r\n"
    "141122\r\n"
    "141221\r\n"
    "112214\r\n"
    "112412\r\n"  // 70
    "122114\r\n"
    "122411\r\n"
    "142112\r\n"
    "142211\r\n"
    "241211\r\n"  // 75
    "221114\r\n"
    "413111\r\n"
    "241112\r\n"
    "134111\r\n"
    "111242\r\n"  // 80
    "121142\r\n"
    "121241\r\n"
    "114212\r\n"
    "124112\r\n"
    "124211\r\n"  // 85
    "411212\r\n"
    "421112\r\n"
    "421211\r\n"
    "212141\r\n"
    "214121\r\n"  // 90
    "412121\r\n"
    "111143\r\n"
    "111341\r\n"
    "131141\r\n"
    "114113\r\n"  // 95
    "114311\r\n"
    "411113\r\n"
    "411311\r\n"  // 98: Shift
    "113141\r\n"  // 99: Code C
    "114131\r\n"  // 100: Code B
    "311141\r\n"  // 101: Code A
    "411131\r\n"  // 102: FNC 1
    "211412\r\n"  // 103: Start A
    "211214\r\n"  // 104: Start B
    "211232\r\n"  // 105: Start C
    "2331112";    // stop pattern

// The printable bytes 33 to 126 in code order; a row number is the character's set B value.
constexpr std::string_view kCharacterTable =
    "!\r\n"  // row 1
    "\"\r\n"
    "#\r\n"
    "$\r\n"
    "%\r\n"
    "&\r\n"
    "'\r\n"
    "(\r\n"
    ")\r\n"  // row 9
    "*\r\n"
    "+\r\n"
    ",\r\n"
    "-\r\n"
    ".\r\n"
    "/\r\n"
    "0\r\n"
    "1\r\n"  // row 17
    "2\r\n"
    "3\r\n"
    "4\r\n"
    "5\r\n"
    "6\r\n"
    "7\r\n"
    "8\r\n"
    "9\r\n"  // row 25
    ":\r\n"
    ";\r\n"
    "<\r\n"
    "=\r\n"
    ">\r\n"
    "?\r\n"
    "@\r\n"
    "A\r\n"  // row 33
    "B\r\n"
    "C\r\n"
    "D\r\n"
    "E\r\n"
    "F\r\n"
    "G\r\n"
    "H\r\n"
    "I\r\n"  // row 41
    "J\r\n"
    "K\r\n"
    "L\r\n"
    "M\r\n"
    "N\r\n"
    "O\r\n"
    "P\r\n"
    "Q\r\n"  // row 49
    "R\r\n"
    "S\r\n"
    "T\r\n"
    "U\r\n"
    "V\r\n"
    "W\r\n"
    "X\r\n"
    "Y\r\n"  // row 57
    "Z\r\n"
    "[\r\n"
    "\\\r\n"
    "]\r\n"
    "^\r\n"
    "_\r\n"
    "`\r\n"
    "a\r\n"  // row 65
    "b\r\n"
    "c\r\n"
    "d\r\n"
    "e\r\n"
    "f\r\n"
    "g\r\n"
    "h\r\n"
    "i\r\n"  // row 73
    "j\r\n"
    "k\r\n"
    "l\r\n"
    "m\r\n"
    "n\r\n"
    "o\r\n"
    "p\r\n"
    "q\r\n"  // row 81
    "r\r\n"
    "s\r\n"
    "t\r\n"
    "u\r\n"
    "v\r\n"
    "w\r\n"
    "x\r\n"
    "y\r\n"  // row 89
    "z\r\n"
    "{\r\n"
    "|\r\n"
    "}\r\n"
    "~";

// Splits on "\r\n"; a table with any other number of rows does not compile.
template <std::size_t N>
consteval std::array<std::string_view, N> SplitRows(std::string_view text) {
  std::array<std::string_view, N> rows{};
  std::size_t count = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n");
    if (count == N) throw "the table has more rows than declared";
    rows[count++] = text.substr(0, end);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
  if (count != N) throw "the table has fewer rows than declared";
  return rows;
}

constexpr PatternRows kPatternRows = SplitRows<kPatternRowCount>(kPatternTable);
constexpr CharacterRows kCharacterRows = SplitRows<kCharacterRowCount>(kCharacterTable);

consteval bool PatternsAreWellFormed() {
  for (std::size_t r = 0; r < kPatternRowCount; ++r) {
    const std::string_view row = kPatternRows[r];
    const bool stop = r + 1 == kStopRow;
    if (row.size() != (stop ? 7u : 6u)) return false;
    int modules = 0;
    int bar_modules = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (row[i] < '1' || row[i] > '4') return false;
      modules += row[i] - '0';
      if (i % 2 == 0) bar_modules += row[i] - '0';
    }
    // Every symbol is 11 modules with an even number of them black; the stop pattern is 13.
    if (modules != (stop ? 13 : 11) || bar_modules % 2 != 0) return false;
    for (std::size_t other = 0; other < r; ++other) {
      if (kPatternRows[other] == row) return false;
    }
  }
  return true;
}
static_assert(PatternsAreWellFormed());
static_assert(kPatternRows[0] == "212222" && kPatternRows[kStartB - 1] == "211412");  // value 0, Start A
static_assert(kPatternRows[kStartB] == "211214" && kPatternRows[kStartC] == "211232");

consteval std::array<std::int16_t, 256> MakeSetBValues() {
  std::array<std::int16_t, 256> values{};
  values.fill(-1);
  values[' '] = 0;  // the space has no row; it is set B value 0 as in the standard
  for (std::size_t r = kCharacterRowCount; r >= 1; --r) {  // backwards, so the first match wins
    const std::string_view row = kCharacterRows[r - 1];
    if (row.size() != 1) throw "a character row holds one character";
    values[static_cast<unsigned char>(row[0])] = static_cast<std::int16_t>(r);
  }
  return values;
}
constexpr std::array<std::int16_t, 256> kSetBValues = MakeSetBValues();
static_assert(kSetBValues['!'] == 1 && kSetBValues['A'] == 33 && kSetBValues['~'] == 94);

}  // namespace

const PatternRows& PatternTableRows() { return kPatternRows; }
const CharacterRows& CharacterTableRows() { return kCharacterRows; }
int SetBValue(unsigned char byte) { return kSetBValues[byte]; }

}  // namespace sw::code128
