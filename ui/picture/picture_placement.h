// Where a picture goes inside a control's area, by the control's display mode. Pure arithmetic.
#pragma once

#include <cstdint>
#include <optional>

namespace sw {

enum class PicturePlacement : std::int32_t {
  kNatural = 0,    // own size at the area's top-left corner
  kTiled = 1,      // repeated from the top-left corner in steps of its own size
  kCentred = 2,    // centred, shrunk (never grown) to fit when larger than the area
  kStretched = 3,  // over the whole area
};

struct PictureRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// The one rectangle the picture covers in modes 0, 2 and 3; none for kTiled, and none when a mode that
// divides by the picture's size is given a zero or negative size (nothing is painted then).
std::optional<PictureRect> PlacePicture(PicturePlacement placement, const PictureRect& area,
                                        std::int32_t width, std::int32_t height);

// The tiles of kTiled that meet `update` (both in the area's coordinates), as index ranges
// [first, last) of columns and rows; tile (c, r) is at area.left + c * width, area.top + r * height.
struct TileRange {
  std::int32_t first_column = 0;
  std::int32_t last_column = 0;
  std::int32_t first_row = 0;
  std::int32_t last_row = 0;
  friend bool operator==(const TileRange&, const TileRange&) = default;
};
TileRange TilesToPaint(const PictureRect& area, const PictureRect& update, std::int32_t width,
                       std::int32_t height);

}  // namespace sw
