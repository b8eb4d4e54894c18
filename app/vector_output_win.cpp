#include "app/vector_output_win.h"

#include <cstdint>
#include <vector>

#include "app/barcode_symbol.h"
#include "app/program_state.h"
#include "render/metafile_win.h"
#include "render/svg_writer.h"
#include "ui/files/file_services_win.h"

namespace sw::app {

bool SaveVectorBarcode(VectorFile type, const std::wstring& path, const LOGFONTW& caption_font) {
  const SymbolResult symbol = SymbolOf(GeneratedContent(), CurrentSettings());
  if (!symbol.ok()) return false;
  if (type == VectorFile::kSvg) {
    const SvgWriting svg =
        SvgFromWidths(symbol.value().widths, symbol.value().caption, CurrentSettings().look);
    return svg.ok() &&
           WriteBytesToFile(path, {std::span(reinterpret_cast<const std::uint8_t*>(svg.value().data()),
                                             svg.value().size())});
  }
  const ScopedMetafile metafile = VectorBarcodeMetafile(caption_font);
  const UINT size = metafile ? GetEnhMetaFileBits(metafile.get(), 0, nullptr) : 0;
  if (size == 0) return false;
  std::vector<std::uint8_t> bytes(size);
  return GetEnhMetaFileBits(metafile.get(), size, bytes.data()) == size && WriteBytesToFile(path, {bytes});
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
