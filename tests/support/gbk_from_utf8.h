// The GBK (code page 936) bytes of a UTF-8 text, by iconv: an independent check of the program's texts.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace sw::testing {

inline std::string GbkFromUtf8(std::string utf8) {
  iconv_t convert = iconv_open("CP936", "UTF-8");
  if (convert == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "no CP936 converter";
    return {};
  }
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in_ptr = utf8.data();
  char* out_ptr = out.data();
  std::size_t in_left = utf8.size(), out_left = out.size();
  const std::size_t result = iconv(convert, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(convert);
  EXPECT_NE(result, static_cast<std::size_t>(-1)) << "not convertible: " << utf8;
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace sw::testing
