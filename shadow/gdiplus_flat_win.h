// The GDI+ flat functions that the shadow calls, as function-pointer types. The program never links
// gdiplus.dll: these are the signatures its call table binds by name. The SDK's own declarations
// are used only to prove, at compile time, that each type is exact.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <type_traits>

namespace sw::gdip {

using Gdiplus::ARGB;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpPath;
using Gdiplus::GpPen;
using Gdiplus::GpStatus;
using Gdiplus::REAL;

inline constexpr GpStatus kOk = Gdiplus::Ok;
inline constexpr Gdiplus::GpUnit kUnitPixel = Gdiplus::UnitPixel;
inline constexpr Gdiplus::GpFillMode kFillModeAlternate = Gdiplus::FillModeAlternate;
inline constexpr Gdiplus::CombineMode kCombineModeXor = Gdiplus::CombineModeXor;
inline constexpr Gdiplus::SmoothingMode kSmoothingModeAntiAlias = Gdiplus::SmoothingModeAntiAlias;
inline constexpr Gdiplus::CompositingQuality kCompositingQualityAssumeLinear =
    Gdiplus::CompositingQualityAssumeLinear;

using StartupInput = Gdiplus::GdiplusStartupInput;
using StartupOutput = Gdiplus::GdiplusStartupOutput;
using DrawImageAbort = Gdiplus::DrawImageAbort;
using ImageAttributes = Gdiplus::GpImageAttributes;

// clang-format off
using GdiplusStartupFn             = GpStatus(WINAPI*)(ULONG_PTR*, const StartupInput*, StartupOutput*);
using GdipCreateFromHDCFn          = GpStatus(WINAPI*)(HDC, GpGraphics**);
using GdipSetClipHrgnFn            = GpStatus(WINAPI*)(GpGraphics*, HRGN, Gdiplus::CombineMode);
using GdipSetSmoothingModeFn       = GpStatus(WINAPI*)(GpGraphics*, Gdiplus::SmoothingMode);
using GdipSetCompositingQualityFn  = GpStatus(WINAPI*)(GpGraphics*, Gdiplus::CompositingQuality);
using GdipCreatePen1Fn             = GpStatus(WINAPI*)(ARGB, REAL, Gdiplus::GpUnit, GpPen**);
using GdipDrawPathFn               = GpStatus(WINAPI*)(GpGraphics*, GpPen*, GpPath*);
using GdipDeletePathFn             = GpStatus(WINAPI*)(GpPath*);
using GdipDeletePenFn              = GpStatus(WINAPI*)(GpPen*);
using GdipResetClipFn              = GpStatus(WINAPI*)(GpGraphics*);
using GdipDeleteGraphicsFn         = GpStatus(WINAPI*)(GpGraphics*);
using GdipGetImageDimensionFn      = GpStatus(WINAPI*)(GpImage*, REAL*, REAL*);
using GdipDrawImageRectRectFn      = GpStatus(WINAPI*)(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL,
                                                       REAL, REAL, Gdiplus::GpUnit, const ImageAttributes*,
                                                       DrawImageAbort, VOID*);
using GdipCreatePathFn             = GpStatus(WINAPI*)(Gdiplus::GpFillMode, GpPath**);
using GdipAddPathRectangleFn       = GpStatus(WINAPI*)(GpPath*, REAL, REAL, REAL, REAL);
using GdipAddPathArcFn             = GpStatus(WINAPI*)(GpPath*, REAL, REAL, REAL, REAL, REAL, REAL);
using GdipClosePathFigureFn        = GpStatus(WINAPI*)(GpPath*);
using GdipDisposeImageFn           = GpStatus(WINAPI*)(GpImage*);
using GdipCreateBitmapFromStreamFn = GpStatus(WINAPI*)(IStream*, GpBitmap**);
using GdipGetImageWidthFn          = GpStatus(WINAPI*)(GpImage*, UINT*);
using GdipGetImageHeightFn         = GpStatus(WINAPI*)(GpImage*, UINT*);
// clang-format on

#define SW_SAME_AS_SDK(type, function) \
  static_assert(std::is_same_v<type, decltype(&Gdiplus::DllExports::function)>, #function)
static_assert(std::is_same_v<GdiplusStartupFn, decltype(&Gdiplus::GdiplusStartup)>);
SW_SAME_AS_SDK(GdipCreateFromHDCFn, GdipCreateFromHDC);
SW_SAME_AS_SDK(GdipSetClipHrgnFn, GdipSetClipHrgn);
SW_SAME_AS_SDK(GdipSetSmoothingModeFn, GdipSetSmoothingMode);
SW_SAME_AS_SDK(GdipSetCompositingQualityFn, GdipSetCompositingQuality);
SW_SAME_AS_SDK(GdipCreatePen1Fn, GdipCreatePen1);
SW_SAME_AS_SDK(GdipDrawPathFn, GdipDrawPath);
SW_SAME_AS_SDK(GdipDeletePathFn, GdipDeletePath);
SW_SAME_AS_SDK(GdipDeletePenFn, GdipDeletePen);
SW_SAME_AS_SDK(GdipResetClipFn, GdipResetClip);
SW_SAME_AS_SDK(GdipDeleteGraphicsFn, GdipDeleteGraphics);
SW_SAME_AS_SDK(GdipGetImageDimensionFn, GdipGetImageDimension);
SW_SAME_AS_SDK(GdipDrawImageRectRectFn, GdipDrawImageRectRect);
SW_SAME_AS_SDK(GdipCreatePathFn, GdipCreatePath);
SW_SAME_AS_SDK(GdipAddPathRectangleFn, GdipAddPathRectangle);
SW_SAME_AS_SDK(GdipAddPathArcFn, GdipAddPathArc);
SW_SAME_AS_SDK(GdipClosePathFigureFn, GdipClosePathFigure);
SW_SAME_AS_SDK(GdipDisposeImageFn, GdipDisposeImage);
SW_SAME_AS_SDK(GdipCreateBitmapFromStreamFn, GdipCreateBitmapFromStream);
SW_SAME_AS_SDK(GdipGetImageWidthFn, GdipGetImageWidth);
SW_SAME_AS_SDK(GdipGetImageHeightFn, GdipGetImageHeight);
#undef SW_SAME_AS_SDK

}  // namespace sw::gdip
