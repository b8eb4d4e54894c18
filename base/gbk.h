// What one character of the program's texts is. The texts are GBK (code page 936): a lead byte 0x81-0xFE
// with a trail byte 0x40-0xFE other than 0x7F after it is one character; every other byte is one by
// itself. Portable, so that the encoder and the file-name check read a text the same way.
#pragma once

#include <cstddef>
#include <string_view>

namespace sw::gbk {

constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
constexpr bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// Whether the bytes at `i` and `i + 1` are one double-byte character. A trail byte may equal a printable
// byte ("\xC8" "A", "\x81" "\\"), which it does not stand for; a lead byte with no trail byte after it
// ("\x81" "/") is a byte alone, and the byte after it is itself.
constexpr bool IsDoubleByteAt(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) &&
         IsTrailByte(static_cast<unsigned char>(text[i + 1]));
}

}  // namespace sw::gbk
