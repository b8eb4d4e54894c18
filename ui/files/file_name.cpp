#include "ui/files/file_name.h"

#include "ui/text/gbk.h"

namespace sw {

bool IsSafeFileNamePart(std::string_view gbk) {
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    if (gbk::IsDoubleByteAt(gbk, i)) {  // its trail byte is part of the character, whatever it equals
      ++i;
      continue;
    }
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (gbk::IsLeadByte(byte)) return false;  // half a character names no file anyone meant
    if (byte < 0x20 || byte == 0x7F || byte == '\\' || byte == '/' || byte == ':') return false;
  }
  return true;
}

}  // namespace sw
