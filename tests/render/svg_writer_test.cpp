// The SVG writer: the file's size in millimetres and its caption, and the file rasterised by rsvg-convert
// and read by two decoders we did not write.
#include "render/svg_writer.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "encode/code128_encoder.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  if (pipe != nullptr) pclose(pipe);
  return output;
}

TEST(SvgWriter, SizedInMillimetresReadByBothDecoders) {
  struct Row {
    std::string content, caption;
    BarcodeLook look;
    std::string size, text;  // width="…" height="…" viewBox="0 0 modules …"; the caption as written
    const char* reason;
  };
  // Bars of 10 mm or 15% of their width; a caption of p points (10 pt: 3.53 mm) half its height below
  // them, in a line of 5/4 of it. The width: the symbol's modules and 20 for the quiet zones.
  // clang-format off
  const Row rows[] = {
      /* 0*/ {"SW-2024-0042", "SW-2024-0042", {}, "61.71mm\" height=\"16.18mm\" viewBox=\"0 0 187 ",
              "SW-2024-0042", "default: 10 mm bars, a 10 pt caption"},
      /* 1*/ {"98765432101234567890", "", {250, 15000, false, 10}, "41.25mm\" height=\"15mm\" viewBox=\"0 0 165 ",
              "", "chosen module and bars, no caption"},
      /* 2*/ {"ABCDEFGHIJ0123456789", "ABCDEFGHIJ0123456789", {}, "76.23mm\" height=\"16.63mm\" viewBox=\"0 0 231 ",
              "ABCDEFGHIJ0123456789", "20 characters: bars 15% of their width"},
      /* 3*/ {"A&B<C>\"'", "A&B<C>\"'", {330, 0, true, 8}, "47.19mm\" height=\"14.94mm\" viewBox=\"0 0 143 ",
              "A&amp;B&lt;C&gt;&quot;&apos;", "markup escaped"},
      /* 4*/ {"X", "\xcc\xf5\xc2\xeb\x01X", {400, 0, true, 6}, "26.4mm\" height=\"13.71mm\" viewBox=\"0 0 66 ",
              "???X", "not ASCII, or a control character: one ? a character"},
  };
  // clang-format on
  char pattern[] = "/tmp/sw-svg-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  testing::ForEachRow(rows, [&](const Row& row, std::size_t index) {
    const SvgWriting svg = SvgFromWidths(Code128Encoder().Widths(row.content), row.caption, row.look);
    ASSERT_TRUE(svg.ok()) << svg.message();
    EXPECT_NE(svg.value().find(" width=\"" + row.size), std::string::npos) << svg.value();
    const std::size_t text = svg.value().find("middle\">");
    EXPECT_EQ(
        text == std::string::npos ? "" : svg.value().substr(text + 8, svg.value().find("</text>") - text - 8),
        row.text);
    EXPECT_LT(svg.value().size(), 5000u) << "bytes";
    const std::string path = std::string(pattern) + "/" + std::to_string(index);
    std::ofstream(path + ".svg") << svg.value();
    ASSERT_EQ(RunCommand(SW_RSVG_CONVERT " -d 600 -p 600 -o '" + path + ".png' '" + path + ".svg'"), "");
    EXPECT_EQ(RunCommand(SW_ZBARIMG " -q --raw '" + path + ".png'"), row.content + "\n");
    EXPECT_EQ(RunCommand(SW_ZXINGREADER " -format Code128 -bytes '" + path + ".png'"), row.content);
  });
  std::filesystem::remove_all(pattern);
  EXPECT_EQ(SvgFromWidths("2112x", "", {}).code(), PrintLayoutError::kUnusable) << "not a width string";
  EXPECT_EQ(SvgFromWidths("211214", "", {0, 0, true, 10}).code(), PrintLayoutError::kUnusable) << "no module";
}

}  // namespace
}  // namespace sw
