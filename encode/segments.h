// Cuts a text into code set B and code set C segments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sw::code128 {

// A segment is its set's marker followed by the bytes it encodes.
inline constexpr char kSetCMarker = 'c';  // 99, the Code C switch value: digits taken in pairs
inline constexpr char kSetBMarker = 'd';  // 100, the Code B switch value: bytes taken one at a time

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Segments {
  std::vector<std::string> list;
  bool has_non_digit = false;
};

// Byte by byte, as typed: runs of 4 or more digits followed by another byte, and runs of 5 or more at the
// end, go to set C (an odd run gives its last digit to set B); everything else is set B. Neither byte of a
// double-byte character is a digit (trail bytes start at 0x40), so such a character stays whole inside one
// segment and separates the digit runs on either side of it, as the user sees them, even though it
// encodes to nothing.
Segments SplitIntoSegments(std::string_view text);

}  // namespace sw::code128
