// Decoded pictures painted into a memory DC and read back pixel by pixel.
#include "ui/picture/picture_paint_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_table.h"
#include "tests/ui/picture/picture_test_images.h"

namespace sw {
namespace {

using test::Bytes;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kMagenta = RGB(255, 0, 255), kGrey = RGB(128, 128, 128), kBlack = RGB(0, 0, 0),
                   kYellow = RGB(255, 255, 0);
constexpr COLORREF kSentinel = RGB(1, 2, 3);         // what the canvas held before painting
constexpr COLORREF kBackground = RGB(88, 201, 185);  // the control's background colour

// A top-down 32-bit DIB section selected into a memory DC, filled with kSentinel.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = ToDib(kSentinel);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // Every pixel outside `inside` (right and bottom exclusive) is `colour`.
  void ExpectOutside(const RECT& inside, COLORREF color, const std::string& why) const {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const bool in = x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
        if (!in) {
          ASSERT_EQ(At(x, y), color) << why << " at " << x << "," << y;
        }
      }
    }
  }

 private:
  static std::uint32_t ToDib(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

test::Color AsColor(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// A 24-bit BMP whose pixel (x, y) is colours[y][x].
Bytes MakeBmp24(const std::vector<std::vector<COLORREF>>& colors) {
  test::BmpFile file{.width = static_cast<std::int32_t>(colors[0].size()),
                     .height = static_cast<std::int32_t>(colors.size()),
                     .bits = 24};
  for (const auto& line : colors) {
    Bytes row;
    for (const COLORREF c : line) row.insert(row.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    file.rows.push_back(row);
  }
  return test::MakeBmp(file);
}

DecodedPicture Decode(const Bytes& bytes) {
  std::optional<DecodedPicture> picture =
      DecodePictureForPainting(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  EXPECT_TRUE(picture);
  return picture ? std::move(*picture) : DecodedPicture{};
}

// 3 x 2: red green blue / yellow magenta black.
const std::vector<std::vector<COLORREF>> kSix = {{kRed, kGreen, kBlue}, {kYellow, kMagenta, kBlack}};

TEST(PaintPictureInArea, NaturalSizeAtTheTopLeftAndBackgroundAround) {
  Canvas canvas(8, 6);
  const DecodedPicture picture = Decode(MakeBmp24(kSix));
  const RECT area{1, 1, 7, 5};
  PaintPictureInArea(canvas.dc(), &picture, area, area, PicturePlacement::kNatural, kBackground);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.At(1 + x, 1 + y), kSix[y][x]) << x << "," << y;
  }
  canvas.ExpectOutside({1, 1, 7, 5}, kSentinel, "outside the area");
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 7; ++x) {
      if (x >= 4 || y >= 3) {
        EXPECT_EQ(canvas.At(x, y), kBackground) << "uncovered " << x << "," << y;
      }
    }
  }
}

TEST(PaintPictureInArea, BmpBytesAtTheirOwnSizeArePaintedUnchanged) {
  // The barcode's way: BMP bytes of exactly the picture box's size.
  std::vector<std::vector<COLORREF>> colors(5, std::vector<COLORREF>(7));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) colors[y][x] = RGB(x * 36, y * 50, (x + y) * 20);
  }
  Canvas canvas(7, 5);
  const DecodedPicture picture = Decode(MakeBmp24(colors));
  const RECT area{0, 0, 7, 5};
  PaintPictureInArea(canvas.dc(), &picture, area, area, PicturePlacement::kCentred, kBackground);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(canvas.At(x, y), colors[y][x]) << x << "," << y;
  }
}

TEST(PaintPictureInArea, TilesRepeatAndOnlyThoseMeetingTheUpdateAreDrawn) {
  Canvas canvas(8, 5);
  const DecodedPicture picture = Decode(MakeBmp24(kSix));
  const RECT area{0, 0, 8, 5};
  PaintPictureInArea(canvas.dc(), &picture, area, area, PicturePlacement::kTiled, kBackground);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(canvas.At(x, y), kSix[y % 2][x % 3]) << x << "," << y;
  }

  Canvas partial(8, 5);
  const RECT update{4, 3, 5, 4};  // one pixel of tile (1, 1)
  PaintPictureInArea(partial.dc(), &picture, area, update, PicturePlacement::kTiled, kBackground);
  EXPECT_EQ(partial.At(4, 3), kSix[1][1]);
  partial.ExpectOutside({3, 2, 6, 4}, kSentinel, "tiles away from the update");
}

TEST(PaintPictureInArea, CentredAndShrunkToFit) {
  const DecodedPicture small = Decode(MakeBmp24(kSix));
  Canvas canvas(10, 9);
  const RECT area{0, 0, 10, 9};
  PaintPictureInArea(canvas.dc(), &small, area, area, PicturePlacement::kCentred, kBackground);
  // (10 - 3) / 2 = 3 and (9 - 2) / 2 = 3.
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.At(3 + x, 3 + y), kSix[y][x]) << x << "," << y;
  }
  canvas.ExpectOutside({3, 3, 6, 5}, kBackground, "centred: the rest is background");

  // 12 x 4 of one colour into 6 x 6: halved to 6 x 2, at (0, 2).
  const DecodedPicture wide = Decode(MakeBmp24(std::vector(4, std::vector<COLORREF>(12, kBlue))));
  Canvas shrunk(6, 6);
  const RECT square{0, 0, 6, 6};
  PaintPictureInArea(shrunk.dc(), &wide, square, square, PicturePlacement::kCentred, kBackground);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(shrunk.At(x, 2), kBlue) << x;
  shrunk.ExpectOutside({0, 2, 6, 4}, kBackground, "shrunk");
}

TEST(PaintPictureInArea, StretchedOverTheWholeArea) {
  const DecodedPicture picture = Decode(MakeBmp24({{kRed, kBlue}}));
  Canvas canvas(10, 4);
  const RECT area{0, 0, 10, 4};
  PaintPictureInArea(canvas.dc(), &picture, area, area, PicturePlacement::kStretched, kBackground);
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(0, 3), kRed);
  EXPECT_EQ(canvas.At(9, 0), kBlue);
  EXPECT_EQ(canvas.At(9, 3), kBlue);
}

TEST(PaintPictureInArea, NoPictureOrABrokenOnePaintsTheBackground) {
  Canvas canvas(4, 4);
  const RECT area{0, 0, 4, 4};
  PaintPictureInArea(canvas.dc(), nullptr, area, area, PicturePlacement::kNatural, kBackground);
  canvas.ExpectOutside({0, 0, 0, 0}, kBackground, "no picture");

  DecodedPicture lying = Decode(MakeBmp24(kSix));
  lying.width = 1000;  // pixels no longer match the size: refused, not read past
  Canvas second(4, 4);
  PaintPictureInArea(second.dc(), &lying, area, area, PicturePlacement::kNatural, kBackground);
  second.ExpectOutside({0, 0, 0, 0}, kBackground, "inconsistent picture");
}

TEST(PaintPicture, NegativeRasterOperationLeavesThatColorOut) {
  // Magenta pixels are transparent: the canvas keeps what it had there.
  const DecodedPicture picture = Decode(MakeBmp24({{kMagenta, kRed}, {kGreen, kMagenta}}));
  Canvas canvas(2, 2);
  PaintPicture(canvas.dc(), picture, 0, 0, -1, -1, -static_cast<std::int32_t>(kMagenta));
  EXPECT_EQ(canvas.At(0, 0), kSentinel);
  EXPECT_EQ(canvas.At(1, 0), kRed);
  EXPECT_EQ(canvas.At(0, 1), kGreen);
  EXPECT_EQ(canvas.At(1, 1), kSentinel);

  // In a control's area the background shows through instead.
  Canvas area_canvas(4, 2);
  const RECT area{0, 0, 4, 2};
  PaintPictureInArea(area_canvas.dc(), &picture, area, area, PicturePlacement::kNatural, kBackground,
                     -static_cast<std::int32_t>(kMagenta));
  EXPECT_EQ(area_canvas.At(0, 0), kBackground);
  EXPECT_EQ(area_canvas.At(1, 0), kRed);
  EXPECT_EQ(area_canvas.At(3, 1), kBackground);
}

TEST(PaintPicture, SizesOfZeroOrLessOtherThanMinusOneDrawNothing) {
  const DecodedPicture picture = Decode(MakeBmp24(kSix));
  for (const auto& [width, height] : {std::pair{0, 2}, {3, 0}, {-2, 2}, {3, -5}}) {
    Canvas canvas(4, 4);
    PaintPicture(canvas.dc(), picture, 0, 0, width, height, SRCCOPY);
    canvas.ExpectOutside({0, 0, 0, 0}, kSentinel, std::to_string(width) + " x " + std::to_string(height));
  }
}

TEST(MakePictureBitmap, PngAlphaIsFlattenedAgainstTheBackground) {
  // Black at alpha 128, black at alpha 1, red at alpha 0, blue opaque.
  const Bytes png = test::WritePng(4, 1, Bytes{0, 0, 0, 128, 0, 0, 0, 1, 255, 0, 0, 0, 0, 0, 255, 255});
  const DecodedPicture picture = Decode(png);
  Canvas canvas(4, 1);
  PaintPicture(canvas.dc(), picture, 0, 0, -1, -1, SRCCOPY);  // stand-alone: against white
  EXPECT_EQ(canvas.At(0, 0), RGB(126, 126, 126));
  EXPECT_EQ(canvas.At(1, 0), RGB(253, 253, 253));
  EXPECT_EQ(canvas.At(2, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(3, 0), kBlue);

  Canvas over_background(4, 1);
  const RECT area{0, 0, 4, 1};
  PaintPictureInArea(over_background.dc(), &picture, area, area, PicturePlacement::kNatural, kBackground);
  EXPECT_EQ(over_background.At(2, 0), kBackground);
  EXPECT_EQ(over_background.At(3, 0), kBlue);
}

TEST(MakePictureBitmap, IconsGetTheirHandleFromTheChosenEntry) {
  // All entries 16 pixels wide: the last one (blue) is shown.
  const Bytes icon =
      test::MakeIconFile(1, {{.width_byte = 16, .width = 16, .height = 16, .color = AsColor(kRed)},
                             {.width_byte = 16, .width = 16, .height = 16, .color = AsColor(kBlue)}});
  const DecodedPicture picture = Decode(icon);
  ASSERT_NE(picture.icon.get().handle, nullptr);
  Canvas canvas(16, 16);
  PaintPicture(canvas.dc(), picture, 0, 0, -1, -1, SRCCOPY);
  EXPECT_EQ(canvas.At(0, 0), kBlue);
  EXPECT_EQ(canvas.At(15, 15), kBlue);
}

// A 32-bit icon image, `size` pixels square: the left half transparent (alpha 0 and mask set), the right
// half opaque `colour`.
Bytes LeftHalfTransparentIcon(std::int32_t size, COLORREF color) {
  Bytes image = test::MakeIconImage(size, size, AsColor(color));
  constexpr std::size_t kHeader = 40;
  const std::size_t mask_at = kHeader + static_cast<std::size_t>(size) * size * 4;
  const std::size_t mask_stride = (static_cast<std::size_t>(size) + 31) / 32 * 4;
  for (std::int32_t y = 0; y < size; ++y) {
    for (std::int32_t x = 0; x < size / 2; ++x) {
      image[kHeader + (static_cast<std::size_t>(y) * size + x) * 4 + 3] = 0;
      image[mask_at + y * mask_stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return image;
}

TEST(PaintPictureInArea, TransparentPixelsOfAnIconShowTheBackground) {
  const DecodedPicture picture =
      Decode(test::MakeIconFile(1, {{.width_byte = 8, .image = LeftHalfTransparentIcon(8, kRed)}}));
  ASSERT_NE(picture.icon.get().handle, nullptr);
  struct Row {
    PicturePlacement placement;
    RECT area;
    POINT transparent, opaque;
    const char* reason;
  };
  const Row rows[] = {
      {PicturePlacement::kNatural, {0, 0, 12, 12}, {1, 1}, {6, 1}, "at the top-left corner"},
      {PicturePlacement::kCentred, {0, 0, 12, 12}, {3, 3}, {8, 3}, "centred at (2, 2)"},
      {PicturePlacement::kTiled, {0, 0, 16, 8}, {9, 1}, {14, 1}, "the second tile"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    Canvas canvas(16, 12);
    PaintPictureInArea(canvas.dc(), &picture, row.area, row.area, row.placement, kBackground);
    EXPECT_EQ(canvas.At(row.transparent.x, row.transparent.y), kBackground);
    EXPECT_EQ(canvas.At(row.opaque.x, row.opaque.y), kRed);
  });
}

TEST(DecodePictureForPainting, ACursorIsMadeAsACursorWithItsHotSpot) {
  struct Row {
    test::IconEntry entry;
    const char* reason;
  };
  const Row rows[] = {
      {{.width_byte = 16, .width = 16, .height = 16, .planes_or_hot_x = 3, .bits_or_hot_y = 5},
       "bitmap image"},
      {{.width_byte = 16,
        .image = test::WritePng(16, 16, Bytes(16 * 16 * 4, 0xFF)),
        .planes_or_hot_x = 3,
        .bits_or_hot_y = 5},
       "PNG image"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    const DecodedPicture picture = Decode(test::MakeIconFile(2, {row.entry}));
    ASSERT_NE(picture.icon.get().handle, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(picture.icon.get().handle), &info));
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    EXPECT_FALSE(info.fIcon) << "a cursor, not an icon";
    EXPECT_EQ(info.xHotspot, 3u) << "the hot spot from the directory entry, not the centre";
    EXPECT_EQ(info.yHotspot, 5u);
  });
}

TEST(MakePictureBitmap, GifAndPcxPaintTheirColors) {
  const std::vector<test::Color> palette = {AsColor(kRed), AsColor(kGreen), AsColor(kBlue), AsColor(kGrey)};
  const Bytes gif = test::MakeGif({.screen_width = 2,
                                   .screen_height = 2,
                                   .palette = palette,
                                   .width = 2,
                                   .height = 2,
                                   .min_code_size = 2,
                                   .indices = {0, 1, 2, 3}});
  const Bytes pcx8 =
      test::MakePcx({.bits = 8, .width = 2, .height = 2, .palette = palette, .lines = {{0, 1}, {2, 3}}});
  for (const Bytes& bytes : {gif, pcx8}) {
    const DecodedPicture picture = Decode(bytes);
    Canvas canvas(2, 2);
    PaintPicture(canvas.dc(), picture, 0, 0, -1, -1, SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), kRed) << static_cast<int>(picture.kind);
    EXPECT_EQ(canvas.At(1, 0), kGreen);
    EXPECT_EQ(canvas.At(0, 1), kBlue);
    EXPECT_EQ(canvas.At(1, 1), kGrey);
  }
  // 1 bit: a set bit is white, a clear one black.
  const DecodedPicture mono =
      Decode(test::MakePcx({.version = 3, .bits = 1, .width = 2, .height = 1, .lines = {{0x80, 0}}}));
  Canvas canvas(2, 1);
  PaintPicture(canvas.dc(), mono, 0, 0, -1, -1, SRCCOPY);
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(1, 0), kBlack);
}

}  // namespace
}  // namespace sw
