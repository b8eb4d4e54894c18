#include "ui/files/file_name.h"

namespace sw {

bool IsSafeFileNamePart(std::string_view gbk) {
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (byte >= 0x81 && byte <= 0xFE) {       // a GBK lead byte: the next byte belongs to the same character
      if (i + 1 == gbk.size()) return false;  // a character cut in half names no file anyone meant
      ++i;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F || byte == '\\' || byte == '/' || byte == ':') return false;
  }
  return true;
}

}  // namespace sw
