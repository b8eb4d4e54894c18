// What of a text the Code 128 bars carry and what they leave out, by the rule code128::BuildSymbols
// encodes by: bytes with a set B value are carried; a GBK double-byte character, and any other byte
// (control bytes, 127, a lead byte alone), is left out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sw::code128 {

struct CarriedText {
  std::string carried;                // what a scanner reads
  std::vector<std::string> left_out;  // each left-out character, as ReadableCharacterAt shows it
};

CarriedText SplitCarried(std::string_view text);

// The character at `i` for a message: a double-byte character or a printable byte as it is, any other
// byte as "\xNN". `length` gets its bytes in `text`.
std::string ReadableCharacterAt(std::string_view text, std::size_t i, std::size_t& length);

}  // namespace sw::code128
