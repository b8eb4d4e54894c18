// The failure texts are GBK bytes of the Chinese messages; checked against iconv's GBK (code page 936).
#include "render/bitmap_messages.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/gbk_from_utf8.h"

namespace sw {
namespace {

TEST(BitmapMessages, AreTheGbkBytesOfTheTexts) {
  EXPECT_EQ(bitmap_message::kEmpty, testing::GbkFromUtf8("位图尚未创建，没有可用数据"));
  EXPECT_EQ(bitmap_message::kBadBitCount, testing::GbkFromUtf8("位深度无效"));
  EXPECT_EQ(bitmap_message::kOutOfRange, testing::GbkFromUtf8("像素点坐标越界"));
  EXPECT_EQ(bitmap_message::kBadColorIndex, testing::GbkFromUtf8("颜色索引无效"));
  EXPECT_EQ(bitmap_message::kUnsupported, testing::GbkFromUtf8("不被支持的位图数据或无法识别的文件格式"));
  EXPECT_EQ(bitmap_message::kNoBuffer, testing::GbkFromUtf8("缓冲区无效或大小不够"));
}

}  // namespace
}  // namespace sw
