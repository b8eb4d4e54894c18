// The commands' texts are the GBK bytes of their Chinese messages (checked against iconv's code page 936),
// and the text rules of generate and save.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_texts.h"
#include "app/barcode_symbol.h"
#include "tests/support/case_table.h"
#include "tests/support/gbk_from_utf8.h"

namespace sw::app {
namespace {

TEST(AppTexts, AreTheGbkBytesOfTheMessages) {
  EXPECT_EQ(kCueText, testing::GbkFromUtf8("条码内容(仅限数字、字母)"));
  EXPECT_EQ(kEmptyContentMessage, testing::GbkFromUtf8("条码内容为空，请先输入条码内容！"));
  EXPECT_EQ(kNoBarcodeMessage, testing::GbkFromUtf8("系统还没有条码数据哟，请先制作一个条码吧！"));
  EXPECT_EQ(kSaveFailedMessage, testing::GbkFromUtf8("文件保存失败，请重试！"));
  EXPECT_EQ(SavedMessage("D:\\x.bmp"), testing::GbkFromUtf8("文件已保存到：D:\\x.bmp\r\n感谢使用！"));
  EXPECT_EQ(LeftOutMessage(testing::GbkFromUtf8("条码12\t3")),
            testing::GbkFromUtf8("以下字符无法编入条码，已略去：条码\\x09"));
}

TEST(AppCommands, SymbolCaptionsShowWhatTheBarsCarry) {
  BarcodeSettings gs1;
  gs1.gs1 = true;
  EXPECT_EQ(SymbolOf(testing::GbkFromUtf8("条码123"), {}).value().caption, "123") << "plain: what is read";
  EXPECT_EQ(SymbolOf("(01)09501101530003", gs1).value().caption, "(01)09501101530003") << "GS1: as typed";
  EXPECT_EQ(SymbolOf("(01)09501101530004", gs1).code(), SymbolError::kNotEncodable);
}

TEST(AppCommands, EmptyContentIsTheCueTextOrNothing) {
  struct Row {
    std::string text;
    bool empty;
    const char* reason;
  };
  const std::string cue(kCueText);
  const Row rows[] = {
      {cue, true, "the cue text stands for an empty box"},
      {"", true, "an empty box"},
      {" ", false, "a blank is content"},
      {cue + " ", false, "only the exact cue text"},
      {cue.substr(0, cue.size() - 1), false, "a cut cue text is the user's"},
  };
  testing::ForEachRow(rows, [](const Row& row) { EXPECT_EQ(IsEmptyContent(row.text), row.empty); });
}

TEST(AppCommands, SavedFileSitsInTheProgramFolder) {
  const std::string cue(kCueText);
  struct Row {
    std::string directory;
    std::string content;
    std::string path;
    const char* reason;
  };
  const Row rows[] = {
      {"C:\\Tools", "ABC123", "C:\\Tools\\Bar_Code_ABC123.bmp", "folder, prefix, content, extension"},
      {"C:\\Tools", cue, "C:\\Tools\\Bar_Code_" + cue + ".bmp", "the cue text as it is"},
      {"", "7", "\\Bar_Code_7.bmp", "no folder known"},
  };
  testing::ForEachRow(rows,
                      [](const Row& row) { EXPECT_EQ(SavedFilePath(row.directory, row.content), row.path); });
}

}  // namespace
}  // namespace sw::app
