#include "ui/picture/picture_placement.h"

#include <algorithm>
#include <utility>

namespace sw {
namespace {

// Columns (or rows) of tiles of size `step` from `origin` that meet [from, to).
std::pair<std::int32_t, std::int32_t> TileSpan(std::int64_t origin, std::int64_t limit, std::int64_t from,
                                               std::int64_t to, std::int64_t step) {
  from = std::max(from, origin);
  to = std::min(to, limit);
  if (from >= to) return {0, 0};
  return {static_cast<std::int32_t>((from - origin) / step),
          static_cast<std::int32_t>((to - origin + step - 1) / step)};
}

}  // namespace

std::optional<PictureRect> PlacePicture(PicturePlacement placement, const PictureRect& area,
                                        std::int32_t width, std::int32_t height) {
  switch (placement) {
    case PicturePlacement::kNatural: return PictureRect{area.left, area.top, width, height};
    case PicturePlacement::kStretched: return area;
    case PicturePlacement::kTiled: return std::nullopt;
    case PicturePlacement::kCentred: {
      if (width <= 0 || height <= 0) return std::nullopt;
      std::int64_t shown_width = width;
      std::int64_t shown_height = height;
      const std::int64_t area_width = std::max(area.width, 0);
      const std::int64_t area_height = std::max(area.height, 0);
      if (width > area_width || height > area_height) {
        // Shrink by min(area width / width, area height / height), sizes truncated. Done in integers so
        // that the side that limits comes out as the area's side exactly, not one pixel short.
        if (area_width * height <= area_height * width) {
          shown_width = area_width;
          shown_height = std::int64_t{height} * area_width / width;
        } else {
          shown_height = area_height;
          shown_width = std::int64_t{width} * area_height / height;
        }
      }
      return PictureRect{static_cast<std::int32_t>(area.left + (area_width - shown_width) / 2),
                         static_cast<std::int32_t>(area.top + (area_height - shown_height) / 2),
                         static_cast<std::int32_t>(shown_width), static_cast<std::int32_t>(shown_height)};
    }
  }
  return std::nullopt;
}

TileRange TilesToPaint(const PictureRect& area, const PictureRect& update, std::int32_t width,
                       std::int32_t height) {
  if (width <= 0 || height <= 0) return {};
  const auto [first_column, last_column] =
      TileSpan(area.left, std::int64_t{area.left} + area.width, update.left,
               std::int64_t{update.left} + update.width, width);
  const auto [first_row, last_row] = TileSpan(area.top, std::int64_t{area.top} + area.height, update.top,
                                              std::int64_t{update.top} + update.height, height);
  if (first_column == last_column || first_row == last_row) return {};
  return {first_column, last_column, first_row, last_row};
}

}  // namespace sw
