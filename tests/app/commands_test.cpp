// The commands' texts are the GBK bytes of their Chinese messages (checked against iconv's code page 936),
// and the text rules of generate and save.
#include "app/commands.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "app/app_texts.h"

namespace sw::app {
namespace {

std::string ToGbk(std::string utf8) {
  iconv_t convert = iconv_open("CP936", "UTF-8");
  EXPECT_NE(convert, reinterpret_cast<iconv_t>(-1));
  std::string out(utf8.size() * 2, '\0');
  char* in_ptr = utf8.data();
  char* out_ptr = out.data();
  std::size_t in_left = utf8.size(), out_left = out.size();
  EXPECT_NE(iconv(convert, &in_ptr, &in_left, &out_ptr, &out_left), static_cast<std::size_t>(-1));
  iconv_close(convert);
  out.resize(out.size() - out_left);
  return out;
}

TEST(AppTexts, AreTheGbkBytesOfTheMessages) {
  EXPECT_EQ(kCueText, ToGbk("条码内容(仅限数字、字母)"));
  EXPECT_EQ(kEmptyContentMessage, ToGbk("条码内容为空，请先输入条码内容！"));
  EXPECT_EQ(kNoBarcodeMessage, ToGbk("系统还没有条码数据哟，请先制作一个条码吧！"));
  EXPECT_EQ(kSaveFailedMessage, ToGbk("文件保存失败，请重试！"));
  EXPECT_EQ(SavedMessage("D:\\x.bmp"), ToGbk("文件已保存到：D:\\x.bmp\r\n感谢使用！"));
}

TEST(AppCommands, EmptyContentIsTheCueTextOrNothing) {
  struct Row {
    std::string text;
    bool empty;
    const char* why;
  };
  const std::string cue(kCueText);
  const Row rows[] = {
      {cue, true, "the cue text stands for an empty box"},
      {"", true, "an empty box"},
      {" ", false, "a blank is content"},
      {cue + " ", false, "only the exact cue text"},
      {cue.substr(0, cue.size() - 1), false, "a cut cue text is the user's"},
  };
  for (const Row& row : rows) EXPECT_EQ(IsEmptyContent(row.text), row.empty) << row.why;
}

TEST(AppCommands, SavedFileSitsInTheProgramFolder) {
  const std::string cue(kCueText);
  struct Row {
    std::string directory;
    std::string content;
    std::string path;
    const char* why;
  };
  const Row rows[] = {
      {"C:\\Tools", "ABC123", "C:\\Tools\\Bar_Code_ABC123.bmp", "folder, prefix, content, extension"},
      {"C:\\Tools", cue, "C:\\Tools\\Bar_Code_" + cue + ".bmp", "the cue text as it is"},
      {"", "7", "\\Bar_Code_7.bmp", "no folder known"},
  };
  for (const Row& row : rows) EXPECT_EQ(SavedFilePath(row.directory, row.content), row.path) << row.why;
}

}  // namespace
}  // namespace sw::app
