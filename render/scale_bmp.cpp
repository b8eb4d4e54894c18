#include "render/scale_bmp.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "render/bitmap.h"
#include "render/palette.h"
#include "render/truncate.h"

namespace sw {
namespace {

// target / source in double precision, then rounded to single precision. A zero source size gives an
// infinite (or, for 0 / 0, undefined) factor, as IEEE division would, without dividing by zero.
float ScaleFactor(std::int32_t target, std::int32_t source) {
  if (source == 0) {
    if (target == 0) return std::numeric_limits<float>::quiet_NaN();
    return target > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(static_cast<double>(target) / static_cast<double>(source));
}

// For target positions 1..count, the source position trunc(k / factor - 1.0), or -1 where that lies outside
// 0..source_size-1. The factor is never 0 here (count > 0 makes the target size positive).
std::vector<std::int32_t> SourcePositions(std::int32_t count, float factor, std::int32_t source_size) {
  std::vector<std::int32_t> positions(static_cast<std::size_t>(count));
  const double f = factor;
  for (std::int32_t k = 1; k <= count; ++k) {
    const std::int32_t p = TruncToInt32(static_cast<double>(k) / f - 1.0);
    positions[static_cast<std::size_t>(k - 1)] = p >= 0 && p < source_size ? p : -1;
  }
  return positions;
}

// Source rows become target rows pixel by pixel; the colour SetPixel(GetPixel(...)) would carry is
// precomputed per source value: a lookup table for indexed images, the stored bits for direct ones.
class RowScaler {
 public:
  RowScaler(const Dib& source, const Dib& target, std::vector<std::int32_t> columns)
      : source_(source), bits_(source.Layout().bits), columns_(std::move(columns)) {
    if (bits_ <= 8) BuildIndexTable(target);
  }

  void Scale(const std::uint8_t* src, std::uint8_t* dst) const {
    switch (bits_) {
      case 1: ScaleOneBit(src, dst); break;
      case 4:
      case 8: ScaleIndexed(src, dst); break;
      case 16: ScaleDirect<2>(src, dst); break;
      case 24: ScaleDirect<3>(src, dst); break;
      default: ScaleDirect<4>(src, dst); break;
    }
  }

 private:
  void BuildIndexTable(const Dib& target) {
    const std::uint32_t count = 1u << bits_;
    const std::span<const std::uint8_t> source_table = source_.Table();
    const std::span<const std::uint8_t> target_table = target.Table();
    // An index the target cannot hold makes SetPixel fail, leaving the black the target was filled with.
    const std::uint32_t black = NearestPaletteIndex(target_table, kBlack);
    auto target_index = [&](ColorRef color) {
      const std::uint32_t index = NearestPaletteIndex(target_table, color);
      return index < count ? index : black;
    };
    index_table_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      // Indices past a short loaded table cannot be read: GetPixel gives black.
      ColorRef color = kBlack;
      if (i < source_.Layout().colors) {
        const std::uint8_t* e = source_table.data() + 4 * std::size_t{i};
        color = MakeColorRef(e[2], e[1], e[0]);
      }
      index_table_[i] = static_cast<std::uint8_t>(target_index(color));
    }
    outside_index_ = static_cast<std::uint8_t>(target_index(kBlack));
  }

  std::uint32_t IndexAt(const std::uint8_t* src, std::size_t x) const {
    const std::int32_t from = columns_[x];
    return from < 0 ? outside_index_ : index_table_[ReadIndex(src, from, bits_)];
  }

  void ScaleOneBit(const std::uint8_t* src, std::uint8_t* dst) const {
    const std::size_t width = columns_.size();
    for (std::size_t x0 = 0; x0 < width; x0 += 8) {
      std::uint32_t byte = 0;
      const std::size_t end = std::min(width, x0 + 8);
      for (std::size_t x = x0; x < end; ++x) byte |= IndexAt(src, x) << (7 - (x - x0));
      // Bits past the width are padding, still zero from Create.
      dst[x0 / 8] = static_cast<std::uint8_t>(byte);
    }
  }

  void ScaleIndexed(const std::uint8_t* src, std::uint8_t* dst) const {
    for (std::size_t x = 0; x < columns_.size(); ++x) {
      WriteIndex(dst, static_cast<std::int32_t>(x), bits_, IndexAt(src, x));
    }
  }

  // 16 bits: the word loses its unused top bit (GetPixel widens 5 bits to 8, SetPixel narrows them back).
  // 24 and 32 bits: blue, green, red are copied; the fourth byte of a 32-bit pixel keeps its zero.
  template <std::size_t Bytes>
  void ScaleDirect(const std::uint8_t* src, std::uint8_t* dst) const {
    for (std::size_t x = 0; x < columns_.size(); ++x) {
      const std::int32_t from = columns_[x];
      std::uint8_t* out = dst + Bytes * x;
      if (from < 0) {
        std::memset(out, 0, Bytes == 2 ? 2 : 3);
        continue;
      }
      const std::uint8_t* in = src + Bytes * static_cast<std::size_t>(from);
      if constexpr (Bytes == 2) {
        out[0] = in[0];
        out[1] = static_cast<std::uint8_t>(in[1] & 0x7F);
      } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
    }
  }

  const Dib& source_;
  int bits_;
  std::vector<std::int32_t> columns_;
  std::vector<std::uint8_t> index_table_;
  std::uint8_t outside_index_ = 0;
};

}  // namespace

std::vector<std::uint8_t> ScaleBmpBytes(std::span<const std::uint8_t> bytes, std::int32_t source_width,
                                        std::int32_t source_height, std::int32_t target_width,
                                        std::int32_t target_height) {
  Bitmap source;
  source.LoadData(bytes);
  Bitmap target;
  // An unreadable source has bit count -1, which Create refuses: the result is then empty bytes.
  target.Create(target_width, target_height, source.GetBitCount(), kBlack);
  if (target.IsEmpty() || source.IsEmpty()) return target.GetData();

  const Dib& src = *source.Image();
  Dib& dst = *target.Image();
  const std::vector<std::int32_t> rows =
      SourcePositions(target_height, ScaleFactor(target_height, source_height), src.Layout().height);
  const RowScaler scaler(
      src, dst, SourcePositions(target_width, ScaleFactor(target_width, source_width), src.Layout().width));

  // Equal source rows give equal target rows: a barcode has only a handful of different ones.
  const std::size_t src_stride = src.Layout().stride;
  const std::size_t dst_stride = dst.Layout().stride;
  const std::uint8_t* last_src = nullptr;
  const std::uint8_t* last_dst = nullptr;
  for (std::int32_t y = 0; y < target_height; ++y) {
    const std::int32_t from = rows[static_cast<std::size_t>(y)];
    if (from < 0) continue;  // outside the source: stays black
    const std::uint8_t* src_row = src.Row(from);
    std::uint8_t* dst_row = dst.Row(y);
    if (last_src != nullptr && (last_src == src_row || std::memcmp(last_src, src_row, src_stride) == 0)) {
      std::memcpy(dst_row, last_dst, dst_stride);
    } else {
      scaler.Scale(src_row, dst_row);
    }
    last_src = src_row;
    last_dst = dst_row;
  }
  return target.GetData();
}

}  // namespace sw
