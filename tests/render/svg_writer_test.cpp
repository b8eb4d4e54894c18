// The SVG writer: the file's size in millimetres, its bars and caption, read back by rsvg-convert,
// rasterised and read by two decoders we did not write.
#include "render/svg_writer.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return "<popen failed>";
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);
  return output;
}

std::string Between(const std::string& text, const std::string& before, const std::string& after) {
  const std::size_t start = text.find(before);
  if (start == std::string::npos) return "<none>";
  const std::size_t from = start + before.size();
  return text.substr(from, text.find(after, from) - from);
}

TEST(SvgWriter, SizedInMillimetresReadByBothDecoders) {
  struct Row {
    std::string content, caption;
    BarcodeLook look;
    std::string height_mm, text;  // the caption's text as written; "<none>" without one
    const char* reason;
  };
  // Heights in 0.01 mm: bars of 10 mm or 15% of their width (211 modules of 0.33 mm: 10.45 mm), then for
  // a caption of p points (10 pt: 353) half its height and a line of 5/4 of it (10 pt: 176 + 442).
  const Row rows[] = {
      /* 0*/ {"SW-2024-0042",
              "SW-2024-0042",
              {},
              "16.18",
              "SW-2024-0042",
              "default: 10 mm bars, a 10 pt caption"},
      /* 1*/ {"98765432101234567890", "", {250, 15000, false, 10}, "15", "<none>", "chosen bars, no caption"},
      /* 2*/
      {"ABCDEFGHIJ0123456789",
       "ABCDEFGHIJ0123456789",
       {},
       "16.63",
       "ABCDEFGHIJ0123456789",
       "20 characters: bars 15% of their width"},
      /* 3*/
      {"A&B<C>\"'",
       "A&B<C>\"'",
       {330, 0, true, 8},
       "14.94",
       "A&amp;B&lt;C&gt;&quot;&apos;",
       "markup escaped"},
      /* 4*/
      {"X", "\xcc\xf5\xc2\xeb\x01X", {400, 0, true, 6}, "13.71", "???X", "not ASCII: one ? a character"},
  };
  char pattern[] = "/tmp/sw-svg-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  testing::ForEachRow(rows, [&](const Row& row, std::size_t index) {
    const std::string widths = Code128Encoder().Widths(row.content);
    const SvgWriting svg = SvgFromWidths(widths, row.caption, row.look);
    ASSERT_TRUE(svg.ok()) << svg.message();
    const std::int64_t across = ModuleCount(widths) + 20;
    char width_mm[32];
    std::snprintf(width_mm, sizeof width_mm, "%g",
                  static_cast<double>(across) * row.look.module_microns / 1000);
    EXPECT_EQ(Between(svg.value(), "width=\"", "\""), std::string(width_mm) + "mm");
    EXPECT_EQ(Between(svg.value(), "height=\"", "\""), row.height_mm + "mm");
    EXPECT_EQ(Between(svg.value(), "viewBox=\"0 0 ", " "), std::to_string(across)) << "modules";
    EXPECT_EQ(Between(svg.value(), "text-anchor=\"middle\">", "</text>"), row.text);
    EXPECT_LT(svg.value().size(), 5000u) << "bytes";
    const std::string path = dir + "/" + std::to_string(index);
    std::ofstream(path + ".svg") << svg.value();
    ASSERT_EQ(
        RunCommand(std::string(SW_RSVG_CONVERT) + " -d 600 -p 600 -o '" + path + ".png' '" + path + ".svg'"),
        "");
    EXPECT_EQ(RunCommand(std::string(SW_ZBARIMG) + " -q --raw '" + path + ".png'"), row.content + "\n");
    EXPECT_EQ(RunCommand(std::string(SW_ZXINGREADER) + " -format Code128 -bytes '" + path + ".png'"),
              row.content);
  });
  std::filesystem::remove_all(dir);
}

TEST(SvgWriter, RefusesWhatIsNoWidthString) {
  EXPECT_EQ(SvgFromWidths("2112x", "", {}).code(), PrintLayoutError::kUnusable);
  EXPECT_EQ(SvgFromWidths("", "", {}).code(), PrintLayoutError::kUnusable);
  EXPECT_EQ(SvgFromWidths("211214", "", {0, 0, true, 10}).code(), PrintLayoutError::kUnusable);
}

}  // namespace
}  // namespace sw
