// The fatal texts are GBK bytes; they are checked against the same texts converted from UTF-8.

#include "shadow/binding_messages.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_table.h"
#include "tests/support/gbk_from_utf8.h"

namespace sw {
namespace {

TEST(BindingMessages, TextsAreTheGbkBytes) {
  const struct {
    std::string actual;
    std::string utf8;
    const char* reason;
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
  testing::ForEachRow(cases, [](const auto& c) { EXPECT_EQ(c.actual, testing::GbkFromUtf8(c.utf8)); });
}

}  // namespace
}  // namespace sw
