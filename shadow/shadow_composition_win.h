// Composes the shadow bitmap of a shadow window with GDI+ and hands it to the layered window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shadow/gdiplus_flat_win.h"
#include "shadow/shadow_handles_win.h"

namespace sw {

// Composes the shadow of `owner`'s shadow window at width x height (0 for either: the window's own
// size) and puts it on screen with per-pixel alpha.
void RenderShadow(HWND owner, int width, int height);

// Draws the shadow into `dc`, which has a 32-bit bitmap of width x height selected.
void DrawShadow(HWND shadow, HDC dc, int width, int height);

// Fills (0, 0, width, height) with `image` in nine slices. An image whose centre is fully transparent
// may leave the centre piece out: drawn over a clear bitmap it changes no pixel.
enum class NineSliceCentre { Draw, Skip };
void DrawImageNineSlice(gdip::GpGraphics* graphics, gdip::GpImage* image, int width, int height,
                        NineSliceCentre centre = NineSliceCentre::Draw);

// A closed rectangle path with corners rounded by `radius` (clamped to 1..100; 0 or less: square).
GdipPath CreateRoundRectPath(float x, float y, float width, float height, int radius);

// Sees every composed bitmap just before it goes to UpdateLayeredWindow: BGRA pixels with
// premultiplied alpha, bottom row first. For tests and benchmarks; null to stop.
using ShadowBitmapObserver = void (*)(HWND shadow, const std::uint32_t* pixels, int width, int height);
void SetShadowBitmapObserver(ShadowBitmapObserver observer);

}  // namespace sw
