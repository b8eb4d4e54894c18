#include "shadow/shadow_composition_win.h"

#include <algorithm>

#include "shadow/gdiplus_startup_win.h"
#include "shadow/shadow_geometry.h"
#include "shadow/shadow_properties_win.h"
#include "shadow/shadow_template_image_win.h"

namespace sw {
namespace {

constexpr int kRingCornerRadius = 4;
constexpr int kMaxCornerRadius = 100;

ShadowBitmapObserver g_observer = nullptr;

// The templates serve black shadows of size 5 and 10.
bool HasTemplate(COLORREF color, int size) { return color == 0 && (size == 5 || size == 10); }

// The template for such a shadow, decoded on first use; null if it cannot be decoded (the next
// composition tries again).
gdip::GpImage* TemplateFor(int size) {
  ShadowTemplateImage& holder = size == 5 ? ShadowTemplateSmall() : ShadowTemplateLarge();
  if (holder.GetImage() == nullptr)
    holder.LoadFromBytes(size == 5 ? ShadowTemplateSmallPng() : ShadowTemplateLargePng());
  return holder.GetImage();
}

// Rings from the outer edge inwards, each one pixel wide and more opaque than the last; the owner's
// area is clipped away.
void DrawRings(gdip::GpGraphics* graphics, COLORREF color, int size, int width, int height) {
  const int step = ShadowRingStep(size);
  if (step == 0) return;  // every ring would be fully transparent
  GdiObject region{CallSystem<sysrow::kCreateRectRgn>(size, size, width - size, height - size)};
  CallSystem<sysrow::kGdipSetClipHrgn>(graphics, static_cast<HRGN>(region.get()), gdip::kCombineModeXor);
  CallSystem<sysrow::kGdipSetSmoothingMode>(graphics, gdip::kSmoothingModeAntiAlias);
  CallSystem<sysrow::kGdipSetCompositingQuality>(graphics, gdip::kCompositingQualityAssumeLinear);
  for (int i = 1; i <= size; ++i) {
    gdip::GpPen* pen_handle = nullptr;
    CallSystem<sysrow::kGdipCreatePen1>(MakeShadowArgb(color, static_cast<std::uint32_t>(step * i)), 1.0F,
                                        gdip::kUnitPixel, &pen_handle);
    GdipPen pen{pen_handle};
    GdipPath path = CreateRoundRectPath(static_cast<float>(i - 1), static_cast<float>(i - 1),
                                        static_cast<float>(width - 2 * i + 1),
                                        static_cast<float>(height - 2 * i + 1), kRingCornerRadius);
    CallSystem<sysrow::kGdipDrawPath>(graphics, pen.get(), path.get());
  }
  CallSystem<sysrow::kGdipResetClip>(graphics);
}

}  // namespace

void SetShadowBitmapObserver(ShadowBitmapObserver observer) { g_observer = observer; }

GdipPath CreateRoundRectPath(float x, float y, float width, float height, int radius) {
  gdip::GpPath* handle = nullptr;
  CallSystem<sysrow::kGdipCreatePath>(gdip::kFillModeAlternate, &handle);
  GdipPath path{handle};
  if (radius <= 0) {
    CallSystem<sysrow::kGdipAddPathRectangle>(path.get(), x, y, width, height);
    return path;
  }
  const float d = static_cast<float>(2 * std::clamp(radius, 1, kMaxCornerRadius));
  // Clockwise from the top-left corner; GDI+ joins the arcs with straight lines.
  CallSystem<sysrow::kGdipAddPathArc>(path.get(), x, y, d, d, 180.0F, 90.0F);
  CallSystem<sysrow::kGdipAddPathArc>(path.get(), x + width - d, y, d, d, 270.0F, 90.0F);
  CallSystem<sysrow::kGdipAddPathArc>(path.get(), x + width - d, y + height - d, d, d, 0.0F, 90.0F);
  CallSystem<sysrow::kGdipAddPathArc>(path.get(), x, y + height - d, d, d, 90.0F, 90.0F);
  CallSystem<sysrow::kGdipClosePathFigure>(path.get());
  return path;
}

void DrawImageNineSlice(gdip::GpGraphics* graphics, gdip::GpImage* image, int width, int height,
                        NineSliceCentre centre) {
  constexpr std::size_t kCentrePiece = 4;
  gdip::REAL image_width = 0;
  gdip::REAL image_height = 0;
  CallSystem<sysrow::kGdipGetImageDimension>(image, &image_width, &image_height);
  const auto pieces = NineSlicePieces(image_width, image_height, width, height);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i == kCentrePiece && centre == NineSliceCentre::Skip) continue;
    const NineSlicePiece& piece = pieces[i];
    const SliceRect& to = piece.destination;
    const SliceRect& from = piece.source;
    CallSystem<sysrow::kGdipDrawImageRectRect>(graphics, image, to.x, to.y, to.width, to.height, from.x,
                                               from.y, from.width, from.height, gdip::kUnitPixel, nullptr,
                                               nullptr, nullptr);
  }
}

void DrawShadow(HWND shadow, HDC dc, int width, int height) {
  const COLORREF color = ShadowColorOf(shadow);
  const int size = ShadowSizeOf(shadow);
  if (size < 1) return;  // no size stored: nothing to draw
  StartGdiplus();        // no-op once the program has started it
  gdip::GpGraphics* graphics_handle = nullptr;
  CallSystem<sysrow::kGdipCreateFromHDC>(dc, &graphics_handle);
  GdipGraphics graphics{graphics_handle};
  if (HasTemplate(color, size)) {
    // A template that cannot be decoded leaves the bitmap fully transparent. The templates are clear
    // over the owner, and stretching that clear centre over it cost more than the other eight pieces
    // together, so it is left out.
    if (gdip::GpImage* image = TemplateFor(size)) {
      DrawImageNineSlice(graphics.get(), image, width, height, NineSliceCentre::Skip);
    }
  } else {
    DrawRings(graphics.get(), color, size, width, height);
  }
}

void RenderShadow(HWND owner, int width, int height) {
  HWND shadow = ShadowWindowOf(owner);
  if (shadow == nullptr) return;
  if (width == 0 || height == 0) {
    RECT rect{};
    CallSystem<sysrow::kGetWindowRect>(shadow, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (width == 0 || height == 0) return;
  }
  // The bitmap header counts bytes in 32 bits.
  if (width < 0 || height < 0 ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > 0x3FFFFFFFu)
    return;

  const WindowDc dc = WindowDcOf(shadow);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 32 / 8;
  const MemoryDc memory_dc{CallSystem<sysrow::kCreateCompatibleDC>(dc.get().dc)};
  void* bits = nullptr;
  // A new DIB section is all zeros: fully transparent.
  GdiObject bitmap{
      CallSystem<sysrow::kCreateDIBSection>(memory_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
  const SelectedObject selection = SelectedInto(memory_dc.get(), bitmap.get());
  DrawShadow(shadow, memory_dc.get(), width, height);

  if (g_observer != nullptr && bits != nullptr)
    g_observer(shadow, static_cast<const std::uint32_t*>(bits), width, height);
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // No destination point: the position set when the window was placed stays.
  CallSystem<sysrow::kUpdateLayeredWindow>(shadow, dc.get().dc, nullptr, &size, memory_dc.get(), &source, 0,
                                           &blend, ULW_ALPHA);
}

}  // namespace sw
