#include "ui/picture/picture_paint_win.h"

#include <algorithm>
#include <new>
#include <vector>

#include "ui/picture/alpha_flatten.h"
#include "ui/picture/packed_dib.h"

namespace sw {
namespace {

std::size_t Bytes(std::int32_t width, std::int32_t height, std::size_t bytes_per_pixel) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytes_per_pixel;
}

// The pixels hold at least what kind, width and height promise (a DecodedPicture can be made by hand).
bool PixelsMatch(const DecodedPicture& picture) {
  const std::int32_t w = picture.width;
  const std::int32_t h = picture.height;
  if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide) return false;
  const std::size_t have = picture.pixels.size();
  switch (picture.kind) {
    case PictureKind::kJpeg:
    case PictureKind::kBmp: return have >= Bytes(w, h, 3);
    case PictureKind::kPng: return have >= Bytes(w, h, 4);
    case PictureKind::kGif:
    case PictureKind::kPcx8: {
      // CreateDIBitmap goes by the header inside the pixels: it must say what the picture says.
      if (have < kPackedDibPixelsAt + (static_cast<std::size_t>(w) + 3) / 4 * 4 * h) return false;
      const auto& header = *reinterpret_cast<const BITMAPINFOHEADER*>(picture.pixels.data());
      return header.biSize == kPackedDibHeaderSize && header.biWidth == w && header.biHeight == -h &&
             header.biBitCount == 8 && header.biCompression == BI_RGB && header.biClrUsed == kPackedDibColors;
    }
    case PictureKind::kPcx1: return have >= (static_cast<std::size_t>(w) + 15) / 16 * 2 * h;
    default: return false;
  }
}

BITMAPINFOHEADER DibHeader(std::int32_t width, std::int32_t height, WORD bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // negative for top-down rows
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

HBITMAP FromDib(HDC dc, const BITMAPINFOHEADER& header, const void* bits) {
  return CreateDIBitmap(dc, &header, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(&header),
                        DIB_RGB_COLORS);
}

// 24-bit bottom-up rows without padding, padded to 4 bytes as DIB rows must be.
HBITMAP FromPacked24(HDC dc, const DecodedPicture& picture) {
  const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
  const std::size_t stride = (row + 3) / 4 * 4;
  std::vector<std::uint8_t> padded(stride * static_cast<std::size_t>(picture.height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(picture.height); ++y) {
    std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                padded.begin() + static_cast<std::ptrdiff_t>(y * stride));
  }
  return FromDib(dc, DibHeader(picture.width, picture.height, 24), padded.data());
}

HBITMAP FromPackedDib(HDC dc, const DecodedPicture& picture) {
  const auto* info = reinterpret_cast<const BITMAPINFO*>(picture.pixels.data());
  return CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, picture.pixels.data() + kPackedDibPixelsAt, info,
                        DIB_RGB_COLORS);
}

HBITMAP FromBgra(HDC dc, const DecodedPicture& picture, COLORREF background) {
  const std::vector<std::uint8_t> flat =
      FlattenAlpha(picture.pixels, background == kNoColor ? kWhite : background);
  return FromDib(dc, DibHeader(picture.width, -picture.height, 32), flat.data());
}

HBITMAP MakeBitmapOfKind(HDC dc, const DecodedPicture& picture, COLORREF background) {
  switch (picture.kind) {
    case PictureKind::kJpeg:
    case PictureKind::kBmp: return FromPacked24(dc, picture);
    case PictureKind::kGif:
    case PictureKind::kPcx8: return FromPackedDib(dc, picture);
    case PictureKind::kPcx1: return CreateBitmap(picture.width, picture.height, 1, 1, picture.pixels.data());
    case PictureKind::kPng: return FromBgra(dc, picture, background);
    default: return nullptr;
  }
}

// HALFTONE on displays of more than 16 bits a pixel, COLORONCOLOR on the rest.
void ChooseStretchMode(HDC dc) {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  const bool deep =
      EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) != 0 && mode.dmBitsPerPel > 16;
  SetStretchBltMode(dc, deep ? HALFTONE : COLORONCOLOR);
  if (deep) SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE needs the brush origin reset after it is chosen
}

// Colour `transparent` of the bitmap is left out: XOR the picture in, clear the opaque pixels through a
// mask (white where the colour is), and XOR the picture in again.
void DrawTransparent(HDC dc, HDC source, const PictureBitmap& made, int x, int y, int width, int height,
                     COLORREF transparent) {
  const ScopedBitmap mask(CreateBitmap(made.width, made.height, 1, 1, nullptr));
  const ScopedMemoryDc mask_dc = CreateMemoryDc(dc);
  const ScopedSelect mask_selected = SelectInto(mask_dc.get(), mask.get());
  if (!mask_selected) return;
  SetBkColor(source, transparent);
  BitBlt(mask_dc.get(), 0, 0, made.width, made.height, source, 0, 0, SRCCOPY);
  StretchBlt(dc, x, y, width, height, source, 0, 0, made.width, made.height, SRCINVERT);
  StretchBlt(dc, x, y, width, height, mask_dc.get(), 0, 0, made.width, made.height, SRCAND);
  StretchBlt(dc, x, y, width, height, source, 0, 0, made.width, made.height, SRCINVERT);
}

// Stretch mode, and black and white as the colours a 1-bit bitmap (and the mask) takes from the target.
void PrepareTarget(HDC dc) {
  ChooseStretchMode(dc);
  SetTextColor(dc, kBlack);
  SetBkColor(dc, kWhite);
}

// Draws on a target that PrepareTarget has set up.
void DrawPrepared(HDC dc, const PictureBitmap& made, int x, int y, int width, int height,
                  std::int32_t raster_op) {
  if (width == -1) width = made.width;
  if (height == -1) height = made.height;
  if (width <= 0 || height <= 0) return;
  if (made.icon != nullptr) {
    DrawIconEx(dc, x, y, made.icon, width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  const ScopedMemoryDc source = CreateMemoryDc(dc);
  const ScopedSelect source_selected = SelectInto(source.get(), made.bitmap.get());
  if (!source_selected) return;
  if (raster_op < 0) {
    DrawTransparent(dc, source.get(), made, x, y, width, height,
                    static_cast<COLORREF>(-std::int64_t{raster_op}));
  } else {
    StretchBlt(dc, x, y, width, height, source.get(), 0, 0, made.width, made.height,
               static_cast<DWORD>(raster_op));
  }
}

void FillRectWith(HDC dc, const RECT& rect, COLORREF color) {
  const ScopedBrush brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &rect, brush.get());
}

}  // namespace

PictureBitmap MakePictureBitmap(HDC dc, const DecodedPicture& picture, COLORREF background) {
  PictureBitmap made;
  made.width = picture.width;
  made.height = picture.height;
  if (picture.kind == PictureKind::kIcon || picture.kind == PictureKind::kCursor) {
    made.icon = static_cast<HICON>(picture.icon.get().handle);
    return made;
  }
  if (!PixelsMatch(picture)) return made;
  try {
    made.bitmap.reset(MakeBitmapOfKind(dc, picture, background));
  } catch (const std::bad_alloc&) {
    // A padded or flattened copy that does not fit leaves the picture unpainted.
  }
  return made;
}

void DrawPictureBitmap(HDC dc, const PictureBitmap& made, int x, int y, int width, int height,
                       std::int32_t raster_op) {
  if (!made) return;
  const ScopedSaveDc saved = SaveDcState(dc);
  PrepareTarget(dc);
  DrawPrepared(dc, made, x, y, width, height, raster_op);
}

void PaintPicture(HDC dc, const DecodedPicture& picture, int x, int y, int width, int height,
                  std::int32_t raster_op) {
  DrawPictureBitmap(dc, MakePictureBitmap(dc, picture, kWhite), x, y, width, height, raster_op);
}

void PaintPictureInArea(HDC dc, const DecodedPicture* picture, const RECT& area, const RECT& update,
                        PicturePlacement placement, COLORREF background, std::int32_t raster_op) {
  const ScopedSaveDc saved = SaveDcState(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  const bool fill = background != kNoColor;
  PictureBitmap made;
  if (picture != nullptr) made = MakePictureBitmap(dc, *picture, background);
  if (!made) {
    if (fill) FillRectWith(dc, area, background);
    return;
  }

  PrepareTarget(dc);
  // A transparent colour, or an icon's mask, lets the background show through the picture itself.
  const bool see_through = raster_op < 0 || made.icon != nullptr;
  const PictureRect area_rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
  if (placement == PicturePlacement::kTiled) {
    const PictureRect update_rect{update.left, update.top, update.right - update.left,
                                  update.bottom - update.top};
    const TileRange tiles = TilesToPaint(area_rect, update_rect, made.width, made.height);
    if (fill && see_through) FillRectWith(dc, area, background);
    for (std::int32_t row = tiles.first_row; row < tiles.last_row; ++row) {
      for (std::int32_t column = tiles.first_column; column < tiles.last_column; ++column) {
        DrawPrepared(dc, made, area.left + column * made.width, area.top + row * made.height, made.width,
                     made.height, raster_op);
      }
    }
    return;
  }

  const std::optional<PictureRect> placed = PlacePicture(placement, area_rect, made.width, made.height);
  if (fill) {
    // Only the uncovered part of an opaque picture.
    const ScopedSaveDc around = SaveDcState(dc);
    if (placed && !see_through) {
      ExcludeClipRect(dc, placed->left, placed->top, placed->left + placed->width,
                      placed->top + placed->height);
    }
    FillRectWith(dc, area, background);
  }
  if (placed) DrawPrepared(dc, made, placed->left, placed->top, placed->width, placed->height, raster_op);
}

}  // namespace sw
