#include "ui/files/file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_table.h"

namespace sw {
namespace {

// "条码" in GBK, and a GBK character whose trail byte is the backslash byte.
const std::string kChinese = "\xCC\xF5\xC2\xEB";
const std::string kTrailBackslash = "\x81\x5C";

struct Case {
  std::string text;
  bool safe;
  const char* reason;
};

TEST(FileName, SafeParts) {
  const Case cases[] = {
      {"ABC123", true, "letters and digits"},
      {"", true, "empty content names Bar_Code_.bmp"},
      {"a b.c-d_e", true, "spaces, dots and dashes stay in the folder"},
      {kChinese, true, "double-byte characters"},
      {kTrailBackslash, true, "a trail byte equal to a backslash is part of its character"},
      {kChinese + "12", true, "mixed"},
      {"..\\up", false, "backslash climbs out of the folder"},
      {"sub/dir", false, "slash makes a subfolder path"},
      {"name:stream", false, "colon names an alternate data stream"},
      {"C:", false, "drive colon"},
      {std::string("tab\there"), false, "control byte"},
      {std::string("nul\0x", 5), false, "zero byte would cut the name"},
      {"del\x7F", false, "DEL is a control character"},
      {"\xCC", false, "a lead byte without its trail byte"},
      {"\x81/", false, "'/' cannot be a trail byte: the slash is itself, as the barcode encodes it"},
      {"\xC8 B", false, "a lead byte before a byte that cannot be its trail is half a character"},
      {kChinese + "\\", false, "backslash after complete characters"},
  };
  testing::ForEachRow(cases, [](const Case& c) { EXPECT_EQ(IsSafeFileNamePart(c.text), c.safe); });
}

TEST(FileName, NamesOfferedForAFile) {
  struct NameCase {
    std::string stem;
    std::string extension;
    std::string name;
    const char* reason;
    std::size_t most = 255;  // characters the name may have
  };
  const std::string k254(254, 'a');
  const std::string k255(255, 'a');
  const NameCase cases[] = {
      {"Bar_Code_ABC123", ".png", "Bar_Code_ABC123.png", "letters and digits stay"},
      {"Bar_Code_a\\b/c:d", ".png", "Bar_Code_a_b_c_d.png", "separators and the stream colon"},
      {"*?\"<>|", ".bmp", "______.bmp", "wildcards, quote, redirections and the pipe"},
      {std::string("t\tn\x01\x7F", 5), ".png", "t_n__.png", "control bytes and DEL"},
      {"Bar_Code_" + kChinese, ".png", "Bar_Code_" + kChinese + ".png", "double-byte characters stay"},
      {kTrailBackslash + "\x81\x7C", "", kTrailBackslash + "\x81\x7C",
       "trail bytes 0x5C and 0x7C are not separators"},
      {"\x81/", "", "__", "'/' cannot be a trail byte: the lead byte is half a character, the slash itself"},
      {"a\xCC", ".png", "a_.png", "a lead byte at the end is half a character"},
      {"a. ", ".png", "a. .png", "a dot or space before the extension is kept"},
      {"a.", "", "a_", "a trailing dot would be dropped"},
      {"a ", "", "a_", "a trailing space would be dropped"},
      {"con", ".png", "con_.png", "a device name, whatever its case"},
      {"LPT9.x", "", "LPT9_.x", "a device name before a dot"},
      {"COM10", ".png", "COM10.png", "COM10 is no device"},
      {"Bar_Code_CON", ".png", "Bar_Code_CON.png", "a device name inside a longer name"},
      {k255 + "b", "", k255, "cut after 255 characters"},
      {k255, ".png", std::string(251, 'a') + ".png", "the extension is kept whole"},
      {k254 + kChinese, "", k254 + "\xCC\xF5", "cut at a whole double-byte character"},
      {k255, ".png", std::string(59, 'a') + ".png", "the room a folder leaves in a path", 63},
  };
  testing::ForEachRow(
      cases, [](const NameCase& c) { EXPECT_EQ(FileNameFrom(c.stem, c.extension, c.most), c.name); });
}

}  // namespace
}  // namespace sw
