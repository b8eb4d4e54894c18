#include "render/metafile_win.h"

#include "render/barcode_canvas.h"
#include "render/print_page_win.h"
#include "render/vector_layout.h"

namespace sw {
namespace {

MetafileResult Refuse(MetafileError code, const char* message) {
  return Failure<MetafileError>{code, message};
}

}  // namespace

MetafileResult BarcodeMetafile(std::string_view widths, std::string_view caption, const BarcodeLook& look,
                               const LOGFONTW& font) {
  if (widths.find_first_not_of("1234") != std::string_view::npos) {
    return Refuse(MetafileError::kUnusable, "not a width string");
  }
  const VectorLayoutResult laid = LayOutVectorBarcode(ModuleCount(widths), look);
  if (!laid.ok()) return Refuse(MetafileError::kUnusable, "no modules, or no module size");
  const PrintLayout& layout = laid.value().layout;
  // The frame is in 0.01 mm, the layout's own unit.
  const RECT frame{0, 0, laid.value().width, layout.bottom};
  // The reference device is the screen; a metafile's records are in its dots, which playback maps from
  // the frame as the reference device measures it (HORZSIZE mm across HORZRES dots).
  const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Stripewright\0barcode\0");
  if (dc == nullptr) return Refuse(MetafileError::kRefused, "no metafile DC");
  // One logical unit 0.01 mm, by the world transform, which the drawing's MM_TEXT mapping leaves alone.
  const XFORM scale{
      static_cast<FLOAT>(GetDeviceCaps(dc, HORZRES)) / (GetDeviceCaps(dc, HORZSIZE) * 100.0f), 0.0f, 0.0f,
      static_cast<FLOAT>(GetDeviceCaps(dc, VERTRES)) / (GetDeviceCaps(dc, VERTSIZE) * 100.0f), 0.0f, 0.0f};
  bool drawn = SetGraphicsMode(dc, GM_ADVANCED) != 0 && SetWorldTransform(dc, &scale) != 0;
  // Opaque white, as the saved and copied bitmaps are, whatever the page it is placed on.
  drawn = drawn && FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))) != 0;
  drawn = drawn && DrawPrintedBarcode(dc, layout, widths, caption, font);
  ScopedMetafile metafile(CloseEnhMetaFile(dc));
  if (!metafile) return Refuse(MetafileError::kRefused, "the metafile was not closed");
  if (!drawn) return Refuse(MetafileError::kRefused, "the drawing was not recorded");
  return metafile;
}

}  // namespace sw
