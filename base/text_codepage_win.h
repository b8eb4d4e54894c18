// The program's texts are GBK (code page 936) bytes; Windows gets them as UTF-16 through the wide functions,
// so Chinese text shows correctly whatever the system's own code page is.
#pragma once

#include <string>
#include <string_view>

namespace sw {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring WideFromGbk(std::string_view gbk);
std::string GbkFromWide(std::wstring_view wide);

}  // namespace sw
