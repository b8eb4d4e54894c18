#include "base/text_codepage_win.h"

#include <windows.h>

#include <climits>

namespace sw {

std::wstring WideFromGbk(std::string_view gbk) {
  if (gbk.empty() || gbk.size() > INT_MAX) return {};
  const int length = static_cast<int>(gbk.size());
  const int count = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), length, nullptr, 0);
  if (count <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), length, wide.data(), count);
  return wide;
}

std::string GbkFromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int count = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string gbk(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, gbk.data(), count, nullptr, nullptr);
  return gbk;
}

}  // namespace sw
