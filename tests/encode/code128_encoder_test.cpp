// The encoder object: the caption host's lifetime, bare bars without a host, and the caption's placement.
#include "encode/code128_encoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/barcode_canvas.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

class FakeHost : public CaptionHost {
 public:
  bool IsLoaded() const override { return loaded; }
  void LoadHidden() override {
    loaded = true;
    ++loads;
  }
  void Unload() override {
    loaded = false;
    ++unloads;
  }
  void SetPanelSize(std::int32_t w, std::int32_t h) override {
    width = w;
    height = h;
  }
  void SetPanelBackground(std::span<const std::uint8_t> bmp) override {
    background.assign(bmp.begin(), bmp.end());
  }
  std::int32_t PanelFontSize() override { return font_size; }
  void WriteText(std::int32_t x, std::int32_t y, std::string_view t) override {
    text_x = x;
    text_y = y;
    text = t;
  }
  std::vector<std::uint8_t> ReadPanelBmp() override {
    Bitmap panel;
    panel.Create(width, height, 24, kWhite);
    return panel.GetData();
  }

  bool loaded = false;
  int loads = 0, unloads = 0;
  std::int32_t width = 0, height = 0, font_size = 24, text_x = 0, text_y = 0;
  std::vector<std::uint8_t> background;
  std::string text;
};

TEST(Code128Encoder, LoadsTheHostHiddenAndUnloadsItWhenDestroyed) {
  FakeHost host;
  {
    Code128Encoder encoder(&host);
    EXPECT_TRUE(host.loaded);
    encoder.CloseBarcodeHost();
    EXPECT_FALSE(host.loaded);
  }
  EXPECT_EQ(host.unloads, 1) << "destroying an encoder whose host is closed unloads nothing";
  host.loaded = true;
  { Code128Encoder encoder(&host); }
  EXPECT_EQ(host.loads, 1) << "an already loaded host is not loaded again";
  EXPECT_EQ(host.unloads, 2);
}

TEST(Code128Encoder, WithoutAHostMakesTheBareBars) {
  Code128Encoder encoder;
  Bitmap barcode = encoder.MakeBarcode("Code128");
  EXPECT_EQ(barcode.GetBitCount(), 1);
  EXPECT_EQ(barcode.GetData(), RenderWidths(encoder.Widths("Code128")).GetData());
}

TEST(Code128Encoder, CaptionIsCentredByItsEstimateAboveTheBottom) {
  struct Case {
    std::int32_t font_size, x, y;
    const char* reason;
  };
  // "Code128": 112 modules, so the canvas is 3 x 112 + 102 = 438 wide and 150 high.
  constexpr std::int32_t kWidth = 438, kHeight = 150;
  const Case cases[] = {
      {24, kWidth / 2 - 7 * 16 / 2, kHeight - 36, "24 pt: 16 a byte"},
      {15, kWidth / 2 - 7 * 10 / 2, 127, "15 pt: 10 a byte, 150 - 22.5 truncated"},
  };
  testing::ForEachRow(cases, [&](const Case& c) {
    FakeHost host;
    host.font_size = c.font_size;
    Code128Encoder encoder(&host);
    Bitmap barcode = encoder.MakeBarcode("Code128");
    EXPECT_EQ(host.width, kWidth);
    EXPECT_EQ(host.height, kHeight);
    EXPECT_EQ(host.background, RenderWidths(encoder.Widths("Code128")).GetData());
    EXPECT_EQ(host.text, "Code128");
    EXPECT_EQ(host.text_x, c.x);
    EXPECT_EQ(host.text_y, c.y);
    EXPECT_EQ(barcode.GetBitCount(), 24) << "the panel's image replaces the bars";
    EXPECT_EQ(barcode.GetWidth(), kWidth);
  });
}

}  // namespace
}  // namespace sw
