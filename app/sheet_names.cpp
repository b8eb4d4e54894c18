#include "app/sheet_names.h"

#include <array>

namespace sw::app {
namespace {

// Until the sheet table holds the label sheets: the page and the label printer.
constexpr std::array<std::string_view, 2> kNames = {{
    "\xd5\xfb\xd2\xb3\xa3\xa8\xc3\xbf\xd2\xb3\xd2\xbb\xb8\xf6\xa3\xa9",  // "整页（每页一个）"
    // "标签打印机（每张一个）"
    "\xb1\xea\xc7\xa9\xb4\xf2\xd3\xa1\xbb\xfa\xa3\xa8\xc3\xbf\xd5\xc5\xd2\xbb\xb8\xf6\xa3\xa9",
}};

}  // namespace

std::span<const std::string_view> SheetNames() { return kNames; }

}  // namespace sw::app
