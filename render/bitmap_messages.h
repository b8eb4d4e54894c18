// The texts a Bitmap leaves in its last error, GBK-encoded as the program shows them.
#pragma once

#include <string_view>

namespace sw::bitmap_message {

// "位图尚未创建，没有可用数据": the bitmap has not been created; no data available.
inline constexpr std::string_view kEmpty =
    "\xce\xbb\xcd\xbc\xc9\xd0\xce\xb4\xb4\xb4\xbd\xa8\xa3\xac\xc3\xbb\xd3\xd0\xbf\xc9\xd3\xc3\xca\xfd\xbe"
    "\xdd";
// "位深度无效": invalid bit depth.
inline constexpr std::string_view kBadBitCount = "\xce\xbb\xc9\xee\xb6\xc8\xce\xde\xd0\xa7";
// "像素点坐标越界": pixel coordinate out of range.
inline constexpr std::string_view kOutOfRange = "\xcf\xf1\xcb\xd8\xb5\xe3\xd7\xf8\xb1\xea\xd4\xbd\xbd\xe7";
// "颜色索引无效": invalid colour index.
inline constexpr std::string_view kBadColorIndex = "\xd1\xd5\xc9\xab\xcb\xf7\xd2\xfd\xce\xde\xd0\xa7";
// "不被支持的位图数据或无法识别的文件格式": unsupported bitmap data or unrecognised file format.
inline constexpr std::string_view kUnsupported =
    "\xb2\xbb\xb1\xbb\xd6\xa7\xb3\xd6\xb5\xc4\xce\xbb\xcd\xbc\xca\xfd\xbe\xdd\xbb\xf2\xce\xde\xb7\xa8\xca\xb6"
    "\xb1\xf0"
    "\xb5\xc4\xce\xc4\xbc\xfe\xb8\xf1\xca\xbd";
// "缓冲区无效或大小不够": buffer invalid or too small.
inline constexpr std::string_view kNoBuffer =
    "\xbb\xba\xb3\xe5\xc7\xf8\xce\xde\xd0\xa7\xbb\xf2\xb4\xf3\xd0\xa1\xb2\xbb\xb9\xbb";

}  // namespace sw::bitmap_message
