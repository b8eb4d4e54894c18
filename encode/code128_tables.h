// The two tables of the Code 128 encoder, kept as the CR LF separated texts the encoder is defined by and
// split into rows at compile time (rows are numbered from 1).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sw::code128 {

inline constexpr std::size_t kPatternRowCount = 107;
inline constexpr std::size_t kCharacterRowCount = 94;
inline constexpr std::size_t kStopRow = 107;  // the stop pattern; the pattern of value v is row v + 1

inline constexpr std::int32_t kCodeCSwitch = 99;
inline constexpr std::int32_t kCodeBSwitch = 100;
inline constexpr std::int32_t kFnc1 = 102;  // in sets A, B and C alike
inline constexpr std::int32_t kStartB = 104;
inline constexpr std::int32_t kStartC = 105;
inline constexpr std::int32_t kCheckModulus = 103;

using PatternRows = std::array<std::string_view, kPatternRowCount>;
using CharacterRows = std::array<std::string_view, kCharacterRowCount>;

// Row r is element r - 1. Rows 1 to 106: bar, space, bar, space, bar, space widths of value r - 1;
// row 107: the stop pattern.
const PatternRows& PatternTableRows();
// Row r is the one-character text whose set B value is r: "!" (33) to "~" (126).
const CharacterRows& CharacterTableRows();

// The set B value of a byte: its row in the character table (first match), 0 for the space; -1 for a byte
// with no set B value (control bytes, bytes above 126).
int SetBValue(unsigned char byte);

}  // namespace sw::code128
