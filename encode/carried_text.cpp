#include "encode/carried_text.h"

#include <cstdio>

#include "base/gbk.h"
#include "encode/code128_tables.h"

namespace sw::code128 {

std::string ReadableCharacterAt(std::string_view text, std::size_t i, std::size_t& length) {
  if (gbk::IsDoubleByteAt(text, i)) {
    length = 2;
    return std::string(text.substr(i, 2));
  }
  length = 1;
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte >= 0x20 && byte < 0x7F) return std::string(1, text[i]);
  char escaped[5];
  std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
  return escaped;
}

// Digits are neither lead nor trail bytes, so pairing over the whole text is the pairing inside each of
// its segments.
CarriedText SplitCarried(std::string_view text) {
  CarriedText split;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    if (!gbk::IsDoubleByteAt(text, i) && SetBValue(static_cast<unsigned char>(text[i])) >= 0) {
      split.carried += text[i];
    } else {
      split.left_out.push_back(ReadableCharacterAt(text, i, length));
    }
    i += length;
  }
  return split;
}

}  // namespace sw::code128
