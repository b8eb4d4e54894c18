#include "ui/picture/picture_placement.h"

#include <gtest/gtest.h>

#include "tests/support/case_table.h"

namespace sw {
namespace {

using P = PicturePlacement;

struct PlacementCase {
  P placement;
  PictureRect area;
  std::int32_t width, height;
  std::optional<PictureRect> expected;
  const char* reason;
};

TEST(PlacePicture, PutsThePictureByMode) {
  const PictureRect area{10, 20, 100, 50};
  const PlacementCase cases[] = {
      {P::kNatural, area, 30, 40, PictureRect{10, 20, 30, 40}, "own size at the top-left corner"},
      {P::kNatural, area, 300, 400, PictureRect{10, 20, 300, 400},
       "larger than the area: clipped, not shrunk"},
      {P::kStretched, area, 30, 40, area, "over the whole area"},
      {P::kCentred, area, 30, 40, PictureRect{10 + 35, 20 + 5, 30, 40}, "smaller: centred at own size"},
      {P::kCentred, area, 31, 41, PictureRect{10 + 34, 20 + 4, 31, 41},
       "odd leftovers: the extra pixel right/below"},
      {P::kCentred, area, 200, 50, PictureRect{10, 20 + 12, 100, 25},
       "twice as wide: halved, centred vertically"},
      {P::kCentred, area, 100, 100, PictureRect{10 + 25, 20, 50, 50}, "too tall: the height limits"},
      {P::kCentred, area, 300, 149, PictureRect{10, 20, 100, 49}, "sizes truncated: 149 / 3 is 49.67"},
      {P::kCentred, {0, 0, 7, 7}, 3, 1000, PictureRect{3, 0, 0, 7}, "shrinks to less than a pixel wide"},
      {P::kCentred,
       {0, 0, 49, 100},
       147,
       100,
       PictureRect{0, 0 + 33, 49, 33},
       "limiting side exactly the area's"},
      {P::kCentred, area, 0, 40, std::nullopt, "zero width: nothing to divide by"},
      {P::kCentred, area, 30, -1, std::nullopt, "negative height"},
      {P::kTiled, area, 30, 40, std::nullopt, "tiles are not one rectangle"},
  };
  testing::ForEachRow(cases, [](const PlacementCase& c) {
    EXPECT_EQ(PlacePicture(c.placement, c.area, c.width, c.height), c.expected);
  });
}

struct TileCase {
  PictureRect update;
  std::int32_t width, height;
  TileRange expected;
  const char* reason;
};

TEST(TilesToPaint, OnlyTilesThatMeetTheUpdate) {
  const PictureRect area{10, 20, 100, 50};
  const TileCase cases[] = {
      {area, 30, 20, {0, 4, 0, 3}, "whole area: 4 columns (the last cut), 3 rows"},
      {{50, 45, 1, 1}, 30, 20, {1, 2, 1, 2}, "one pixel inside tile (1, 1)"},
      {{40, 40, 30, 20}, 30, 20, {1, 2, 1, 2}, "exactly tile (1, 1)"},
      {{0, 0, 5, 5}, 30, 20, {}, "update outside the area"},
      {{0, 0, 1000, 1000}, 30, 20, {0, 4, 0, 3}, "update beyond the area is cut to it"},
      {area, 0, 20, {}, "zero width: no tiles (and no endless loop)"},
      {area, 30, -5, {}, "negative height"},
  };
  testing::ForEachRow(cases, [&](const TileCase& c) {
    EXPECT_EQ(TilesToPaint(area, c.update, c.width, c.height), c.expected);
  });
}

}  // namespace
}  // namespace sw
