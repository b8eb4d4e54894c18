// Decoded pictures turned into device bitmaps and painted: stand-alone, or placed in a control's area.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/color.h"
#include "base/handles_win.h"
#include "ui/picture/picture_decode.h"
#include "ui/picture/picture_placement.h"

namespace sw {

// What MakePictureBitmap gives: a bitmap of its own, or the icon the picture owns.
struct PictureBitmap {
  ScopedBitmap bitmap;
  HICON icon = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  explicit operator bool() const { return bitmap.get() != nullptr || icon != nullptr; }
};

// Makes `picture.icon` for an icon or cursor picture; false when the system refuses its image.
bool MakePictureIcon(DecodedPicture& picture);

// DecodePicture, and for icons and cursors also the icon handle; none when either fails.
std::optional<DecodedPicture> DecodePictureForPainting(const std::uint8_t* bytes, std::int32_t length);

// A device bitmap compatible with `dc`; a PNG's alpha is flattened against `background` (kNoColor: white).
// Empty when the picture is empty or its pixels do not match its kind and size.
PictureBitmap MakePictureBitmap(HDC dc, const DecodedPicture& picture, COLORREF background);

// Draws at (x, y); a width or height of -1 means the picture's own, any other value of 0 or less draws
// nothing. A raster operation -c draws with colour c transparent. The bitmap is made against white.
void PaintPicture(HDC dc, const DecodedPicture& picture, int x, int y, int width, int height,
                  std::int32_t raster_op);

// The same for a bitmap already made.
void DrawPictureBitmap(HDC dc, const PictureBitmap& made, int x, int y, int width, int height,
                       std::int32_t raster_op);

// Paints a control's `area`: the picture (if any) placed by `placement`, the rest in `background`
// (kNoColor: the rest is left as it is). `update` is the part being repainted, which limits the tiles.
void PaintPictureInArea(HDC dc, const DecodedPicture* picture, const RECT& area, const RECT& update,
                        PicturePlacement placement, COLORREF background, std::int32_t raster_op = SRCCOPY);

}  // namespace sw
