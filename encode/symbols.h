// The Code 128 symbol sequence of a segment list and its width string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sw::code128 {

struct SymbolSequence {
  std::int32_t start = 0;
  std::vector<std::int32_t> symbols;  // data and switch symbols after the start symbol
  std::int32_t check = 0;
};

// Start C when the first segment that yields a symbol is set C (or none does), else Start B; a switch before
// every later such segment whose set differs from the one in force. Bytes without a set B value (anything
// but the space and 33 to 126) are left out, and so is a GBK double-byte character whole (base/gbk.h,
// which the file-name check reads by too), even when its trail byte equals a printable character; a lead
// byte with no trail byte after it is left out alone. A segment left with nothing is passed over. A
// segment that is kFnc1Segment alone is FNC1, in the set in force (or, before any, the one that starts).
inline constexpr std::string_view kFnc1Segment = "f";
SymbolSequence BuildSymbols(const std::vector<std::string>& segments);

// The pattern rows of start, symbols, check and the stop pattern, concatenated: bar and space widths.
std::string WidthString(const SymbolSequence& sequence);

}  // namespace sw::code128
