// The fatal texts are GBK bytes; they are checked against the same texts converted from UTF-8.
#include <iconv.h>

#include <gtest/gtest.h>

#include <string>

#include "binding_messages.h"

namespace sw {
namespace {

std::string Gbk(const std::string& utf8) {
  iconv_t convert = iconv_open("GBK", "UTF-8");
  if (convert == reinterpret_cast<iconv_t>(-1)) return "(no GBK converter)";
  std::string in = utf8, out(utf8.size() * 2 + 4, '\0');
  char* in_pointer = in.data();
  char* out_pointer = out.data();
  size_t in_left = in.size(), out_left = out.size();
  const size_t result = iconv(convert, &in_pointer, &in_left, &out_pointer, &out_left);
  iconv_close(convert);
  if (result == static_cast<size_t>(-1)) return "(not convertible)";
  out.resize(out.size() - out_left);
  return out;
}

TEST(BindingMessages, TextsAreTheGbkBytes) {
  const struct {
    std::string actual;
    std::string utf8;
    const char* why;
  } cases[] = {
      {std::string{kRuntimeErrorCaption}, "运行时出错!", "caption of the fatal box"},
      {std::string{kStackErrorMessage}, "调用DLL命令后发现堆栈错误", "stack depth changed by a call"},
      {MissingExportMessage("gdiplus.dll", "GdiplusStartup"),
       "无法找到指定DLL库文件“gdiplus.dll”中的输出命令“GdiplusStartup”", "named library, with both names"},
      {MissingExportMessage("user32", "#12"), "无法找到指定DLL库文件“user32”中的输出命令“#12”",
       "an ordinal is shown as written"},
      {MissingSystemExportMessage("GetPropA"), "无法找到指定DLL库文件中的输出命令“GetPropA”",
       "no library named: function name only"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, Gbk(c.utf8)) << c.why;
}

}  // namespace
}  // namespace sw
