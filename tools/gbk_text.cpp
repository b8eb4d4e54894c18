#include "tools/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace sw::tools {

std::optional<std::string> GbkFromUtf8(std::string_view utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(utf8);
  std::vector<char> out(in.size() * 2 + 4);  // GBK never needs more bytes than UTF-8 for the same text
  char* in_at = in.data();
  std::size_t in_left = in.size();
  char* out_at = out.data();
  std::size_t out_left = out.size();
  const std::size_t converted = iconv(converter, &in_at, &in_left, &out_at, &out_left);
  iconv_close(converter);
  // A count above 0 means characters were replaced by look-alikes: refused, the bytes must be exact.
  if (converted != 0 || in_left != 0) return std::nullopt;
  return std::string(out.data(), out_at);
}

}  // namespace sw::tools
