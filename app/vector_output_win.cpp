#include "app/vector_output_win.h"

#include "app/app_texts.h"
#include "app/barcode_picture_win.h"
#include "app/barcode_settings.h"
#include "app/program_state.h"
#include "base/text_codepage_win.h"
#include "render/metafile_win.h"
#include "render/png_writer.h"
#include "render/svg_writer.h"

namespace sw::app {

std::vector<SaveFileType> SaveAsTypes() {
  return {{WideFromGbk(kPngTypeName), L"png"},
          {WideFromGbk(kBmpTypeName), L"bmp"},
          {WideFromGbk(kSvgTypeName), L"svg"},
          {WideFromGbk(kEmfTypeName), L"emf"}};
}

std::vector<std::uint8_t> BarcodeFileBytes(std::size_t type, const BarcodeSymbol& symbol,
                                           const BarcodeLook& look, const LOGFONTW& caption_font) {
  if (type == kSvgFile) {
    const SvgWriting svg = SvgFromWidths(symbol.widths, symbol.caption, look);
    if (!svg.ok()) return {};
    return std::vector<std::uint8_t>(svg.value().begin(), svg.value().end());
  }
  if (type == kEmfFile) {
    const MetafileResult metafile = BarcodeMetafile(symbol.widths, symbol.caption, look, caption_font);
    const UINT size = metafile.ok() ? GetEnhMetaFileBits(metafile.value().get(), 0, nullptr) : 0;
    if (size == 0) return {};
    std::vector<std::uint8_t> bytes(size);
    if (GetEnhMetaFileBits(metafile.value().get(), size, bytes.data()) != size) return {};
    return bytes;
  }
  std::vector<std::uint8_t> picture = BarcodePictureAt300Dpi(symbol, look, caption_font);
  if (type == kBmpFile || picture.empty()) return picture;
  PngWriting png = PngFromBmp(picture, kPixelsPerMetreAt300Dpi);
  return png.ok() ? std::move(png).value() : std::vector<std::uint8_t>();
}

ScopedMetafile VectorBarcodeMetafile(const LOGFONTW& caption_font) {
  if (GeneratedContent().empty()) return {};
  const SymbolResult symbol = SymbolOf(GeneratedContent(), CurrentSettings());
  if (!symbol.ok()) return {};
  MetafileResult made =
      BarcodeMetafile(symbol.value().widths, symbol.value().caption, CurrentSettings().look, caption_font);
  return made.ok() ? std::move(made).value() : ScopedMetafile();
}

}  // namespace sw::app
