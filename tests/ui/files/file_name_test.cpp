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

}  // namespace
}  // namespace sw
