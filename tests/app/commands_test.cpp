// The commands' texts are the GBK bytes of their Chinese messages (checked against iconv's code page 936),
// and the text rules of generate and save.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_texts.h"
#include "app/barcode_symbol.h"
#include "app/progress.h"
#include "app/settings_fields.h"
#include "tests/support/case_table.h"
#include "tests/support/gbk_from_utf8.h"

namespace sw::app {
namespace {

TEST(AppTexts, AreTheGbkBytesOfTheMessages) {
  EXPECT_EQ(kCueText, testing::GbkFromUtf8("条码内容(仅限数字、字母)"));
  EXPECT_EQ(kEmptyContentMessage, testing::GbkFromUtf8("条码内容为空，请先输入条码内容！"));
  EXPECT_EQ(kNoBarcodeMessage, testing::GbkFromUtf8("系统还没有条码数据哟，请先制作一个条码吧！"));
  EXPECT_EQ(kSaveFailedMessage, testing::GbkFromUtf8("文件保存失败，请重试！"));
  EXPECT_EQ(kSettingsMenuItem, testing::GbkFromUtf8("条码设置(&B)..."));
  EXPECT_EQ(kAutoHeightCue, testing::GbkFromUtf8("自动"));
  EXPECT_EQ(SavedMessage("D:\\x.bmp"), testing::GbkFromUtf8("文件已保存到：D:\\x.bmp\r\n感谢使用！"));
  EXPECT_EQ(LeftOutMessage(testing::GbkFromUtf8("条码12\t3")),
            testing::GbkFromUtf8("以下字符无法编入条码，已略去：条码\\x09"));
  EXPECT_EQ(ProgressLine(12, 100), testing::GbkFromUtf8("已完成 12 / 100"));
  EXPECT_EQ(kSavingTitle, testing::GbkFromUtf8("正在保存"));
  EXPECT_EQ(kPrintingTitle, testing::GbkFromUtf8("正在打印"));
  EXPECT_EQ(CancelledSaveMessage(3, 40, "D:\\a"),
            testing::GbkFromUtf8("已取消，已保存 3 个文件（共 40 个）到：D:\\a"));
  EXPECT_EQ(ReplaceQuestion(2),
            testing::GbkFromUtf8("这个文件夹里已有 2 个同名的条码文件，确定要替换它们吗？"));
}

TEST(AppCommands, ProgressShowsForWorkOfMoreThanASecond) {
  struct Row {
    std::int64_t elapsed_ms, done, total;
    bool shown;
    int fill;  // of a 300-pixel track
    const char* reason;
  };
  const Row rows[] = {
      {1000, 1, 10000, true, 0, "a second gone"},
      {999, 999, 1000, false, 299, "quick work nearly through"},
      {300, 10, 100, true, 30, "a quarter second gone, on course for three"},
      {200, 1, 10000, false, 0, "too early to judge"},
      {5000, 100, 100, false, 300, "work that is through"},  // 4
      {5000, 0, 0, false, 0, "no work"},
      {-1, 0, 10, false, 0, "a clock that went back"},
      {400, 0, 10, false, 0, "nothing done yet, under a second"},
      {2000, 20, 10, false, 300, "more done than asked: the bar stays in its track"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    EXPECT_EQ(ShowsProgress(row.elapsed_ms, row.done, row.total), row.shown);
    EXPECT_EQ(ProgressFill(row.done, row.total, 300), row.fill);
  });
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

TEST(SettingsFields, AreReadCheckedAndRefusedByField) {
  using enum SettingsField;
  struct Row {
    SettingsField field;
    std::string text;
    std::int64_t value;  // the setting read; -1: refused, naming the field
    const char* reason;
  };
  const Row rows[] = {
      {kModule, "0,5", 500, "a decimal comma is a point"},
      {kModule, " 0.33 ", 330, "blanks around"},
      {kModule, "abc", -1, "no number"},
      {kModule, "0.18", -1, "below the narrowest module"},
      {kModule, "1.001", -1, "above the widest"},
      /* 5*/ {kModule, "0.3.3", -1, "two separators"},
      {kModule, "", -1, "the module is never automatic"},
      {kBarHeight, "", 0, "empty: automatic"},
      {kBarHeight, "20", 20000, "whole millimetres"},
      {kBarHeight, "4.9", -1, "below 5 mm"},
      /*10*/ {kCaptionPoints, "10.5", -1, "points are whole"},
      {kCaptionPoints, "36", 36, "the largest"},
      {kCount, "10000", 10000, "the longest run"},
      {kCount, "10001", -1, "one more"},
      {kStep, "0", -1, "a step of nothing"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    SettingsTexts texts = TextsOf({});
    texts[row.field] = row.text;
    const auto read = ReadSettingsTexts(texts);
    ASSERT_EQ(read.ok(), row.value >= 0) << read.message();
    if (!read.ok()) {
      EXPECT_EQ(read.code(), row.field);
      return;
    }
    const BarcodeSettings& s = read.value();
    const std::int64_t values[] = {s.look.module_microns,
                                   s.look.bar_height_microns,
                                   s.look.caption_points,
                                   s.start_label,
                                   s.copies,
                                   s.count,
                                   s.step};
    EXPECT_EQ(values[static_cast<std::size_t>(row.field)], row.value);
  });
}

TEST(SettingsFields, ShowTheSettingsAndNameTheRangeAndSize) {
  BarcodeSettings chosen;
  chosen.look = {500, 20000, false, 12};
  chosen.count = 24;
  EXPECT_EQ(ReadSettingsTexts(TextsOf(chosen)).value(), chosen);
  EXPECT_EQ(TextsOf({})[SettingsField::kModule], "0.33");
  EXPECT_EQ(RangeMessage(SettingsField::kModule),
            testing::GbkFromUtf8("条宽(毫米)应为 0.19 到 1.00 之间的数字！"));
  EXPECT_EQ(RangeMessage(SettingsField::kBarHeight),
            testing::GbkFromUtf8("条高(毫米)应为 5 到 100 之间的数字，或留空表示自动！"));
  struct Row {
    std::string widths;
    std::string module, height;
    bool caption;
    std::string line;
    const char* reason;
  };
  const std::string widths_148(37, '4');  // 148 modules
  const Row rows[] = {
      {widths_148, "0.33", "", false, "尺寸：55.4 × 10.0 毫米", "quiet zones counted; automatic 10 mm"},
      {widths_148, "0,5", "20", false, "尺寸：84.0 × 20.0 毫米", "the module and height typed"},
      {widths_148, "0.33", "", true, "尺寸：55.4 × 13.5 毫米", "a 10 pt caption's line under the bars"},
      {std::string(100, '4'), "1", "", false, "尺寸：420.0 × 60.0 毫米", "automatic: 15% of the bars' width"},
      {widths_148, "x", "", false, "尺寸：—", "a module that cannot be read"},
      /* 5*/ {"", "0.33", "", false, "尺寸：—", "no barcode yet"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    SettingsTexts texts = TextsOf({});
    texts[SettingsField::kModule] = row.module;
    texts[SettingsField::kBarHeight] = row.height;
    texts.caption = row.caption;
    EXPECT_EQ(SizeLine(row.widths, texts), testing::GbkFromUtf8(row.line));
  });
}

}  // namespace
}  // namespace sw::app
