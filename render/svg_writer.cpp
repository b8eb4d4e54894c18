#include "render/svg_writer.h"

#include <algorithm>
#include <cstdint>

#include "base/gbk.h"
#include "render/barcode_canvas.h"
#include "render/vector_layout.h"

namespace sw {
namespace {

// A length of the layout's 0.01 mm units in `per` units, to three decimals and no trailing zeros.
std::string Number(std::int64_t units, std::int64_t per) {
  const std::int64_t thousandths = (units * 1000 + per / 2) / per;
  std::string text = std::to_string(thousandths / 1000);
  if (const std::int64_t rest = thousandths % 1000; rest != 0) {
    text += {'.', static_cast<char>('0' + rest / 100), static_cast<char>('0' + rest / 10 % 10),
             static_cast<char>('0' + rest % 10)};
    while (text.back() == '0') text.pop_back();
  }
  return text;
}

// The caption's characters as XML text: ASCII kept (the bars carry only ASCII in practice), markup
// escaped, everything else one '?' a character.
std::string CaptionText(std::string_view caption, std::size_t& characters) {
  std::string text;
  characters = 0;
  for (std::size_t i = 0; i < caption.size(); ++i, ++characters) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (gbk::IsDoubleByteAt(caption, i)) ++i;
    switch (c) {
      case '&': text += "&amp;"; break;
      case '<': text += "&lt;"; break;
      case '>': text += "&gt;"; break;
      case '"': text += "&quot;"; break;
      case '\'': text += "&apos;"; break;
      default: text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
  }
  return text;
}

}  // namespace

SvgWriting SvgFromWidths(std::string_view widths, std::string_view caption, const BarcodeLook& look) {
  if (widths.find_first_not_of("1234") != std::string_view::npos) {
    return Failure<PrintLayoutError>{PrintLayoutError::kUnusable, "not a width string"};
  }
  const VectorLayoutResult laid = LayOutVectorBarcode(ModuleCount(widths), look);
  if (!laid.ok()) return laid.failure();
  const PrintLayout& layout = laid.value().layout;
  const std::int64_t module = layout.module;
  const std::int64_t width = laid.value().width;
  const std::string view_width = Number(width, module);
  const std::string view_height = Number(layout.bottom, module);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      Number(width, 100) + "mm\" height=\"" + Number(layout.bottom, 100) + "mm\" viewBox=\"0 0 " +
      view_width + " " + view_height + "\">\n<rect width=\"" + view_width + "\" height=\"" + view_height +
      "\" fill=\"#fff\"/>\n<g fill=\"#000\">\n";
  const std::string bar_height = Number(layout.bar_height, module);
  std::int64_t x = layout.bars_left / module;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::int64_t modules = widths[i] - '0';
    if (i % 2 == 0) {
      svg += "<rect x=\"" + std::to_string(x) + "\" width=\"" + std::to_string(modules) + "\" height=\"" +
             bar_height + "\"/>\n";
    }
    x += modules;
  }
  svg += "</g>\n";
  if (layout.caption_height > 0) {
    std::size_t characters = 0;
    const std::string text = CaptionText(caption, characters);
    // As on paper, a caption wider than the bars with their quiet zones is set smaller to fit under them;
    // without the face's measures, a character is taken as 0.6 of the font's size, about a digit's.
    const std::int64_t fitting =
        characters > 0 ? width * 10 / (6 * static_cast<std::int64_t>(characters)) : 0;
    const std::int64_t size = characters > 0 ? std::min<std::int64_t>(layout.caption_height, fitting) : 0;
    // The baseline nine tenths of the characters' height below the line's top, where a face's ascent is.
    svg += "<text x=\"" + Number(layout.bars_left + layout.bars_width / 2, module) + "\" y=\"" +
           Number(layout.caption_top + size * 9 / 10, module) + "\" font-size=\"" + Number(size, module) +
           "\" font-family=\"SimSun, 'Songti SC', serif\" text-anchor=\"middle\">" + text + "</text>\n";
  }
  return svg + "</svg>\n";
}

}  // namespace sw
