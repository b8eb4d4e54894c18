// The failure texts are GBK bytes of the Chinese messages; checked against iconv's GBK (code page 936).
#include "render/bitmap_messages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace sw {
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

TEST(BitmapMessages, AreTheGbkBytesOfTheTexts) {
  EXPECT_EQ(bitmap_message::kEmpty, ToGbk("位图尚未创建，没有可用数据"));
  EXPECT_EQ(bitmap_message::kBadBitCount, ToGbk("位深度无效"));
  EXPECT_EQ(bitmap_message::kOutOfRange, ToGbk("像素点坐标越界"));
  EXPECT_EQ(bitmap_message::kBadColorIndex, ToGbk("颜色索引无效"));
  EXPECT_EQ(bitmap_message::kUnsupported, ToGbk("不被支持的位图数据或无法识别的文件格式"));
  EXPECT_EQ(bitmap_message::kNoBuffer, ToGbk("缓冲区无效或大小不够"));
}

}  // namespace
}  // namespace sw
