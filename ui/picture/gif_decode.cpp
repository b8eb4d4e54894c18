// GIF by our own reader: the first image of the file, placed on its logical screen, becomes an 8-bit DIB.
// The screen outside that image shows the background colour; transparency and animation are ignored.
#include <algorithm>
#include <array>
#include <utility>

#include "base/byte_reader.h"
#include "ui/picture/packed_dib.h"
#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;

constexpr std::size_t kSignatureSize = 6;
constexpr std::size_t kScreenDescriptorSize = 7;
constexpr std::size_t kImageDescriptorSize = 9;  // after its 0x2C introducer
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageIntroducer = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kHasColorTable = 0x80;
constexpr std::uint8_t kInterlaced = 0x40;
constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

struct ColorTable {
  std::array<DibColor, 256> colors{};
  std::size_t count = 0;
};

// Reads a colour table of 2^(size bits + 1) entries at `at`; false when the data ends first.
bool ReadColorTable(std::span<const std::uint8_t> bytes, std::size_t& at, std::uint8_t flags,
                    ColorTable& table) {
  table.count = std::size_t{2} << (flags & 0x07);
  if (!FitsIn(bytes.size(), at, table.count * 3)) return false;
  for (std::size_t i = 0; i < table.count; ++i, at += 3)
    table.colors[i] = {bytes[at], bytes[at + 1], bytes[at + 2]};
  return true;
}

// Joins the data sub-blocks that start at `at` (length byte, then that many bytes; a 0 length ends them).
// Without `out` they are only skipped. False when the data ends before the terminating block.
bool ReadSubBlocks(std::span<const std::uint8_t> bytes, std::size_t& at, std::vector<std::uint8_t>* out) {
  while (true) {
    if (at >= bytes.size()) return false;
    const std::size_t length = bytes[at++];
    if (length == 0) return true;
    if (!FitsIn(bytes.size(), at, length)) return false;
    if (out != nullptr) out->insert(out->end(), bytes.begin() + at, bytes.begin() + at + length);
    at += length;
  }
}

// Codes are packed least significant bit first.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data) : data_(data) {}
  // -1 when fewer than `bits` bits are left.
  int Next(int bits) {
    while (held_bits_ < bits) {
      if (at_ >= data_.size()) return -1;
      held_ |= std::uint32_t{data_[at_++]} << held_bits_;
      held_bits_ += 8;
    }
    const int code = static_cast<int>(held_ & ((1u << bits) - 1));
    held_ >>= bits;
    held_bits_ -= bits;
    return code;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
  std::uint32_t held_ = 0;
  int held_bits_ = 0;
};

// Where the decoded indices of the image go: rows in file order (interlaced or not), clipped to the screen.
class FramePlacer {
 public:
  FramePlacer(PackedDib8& dib, std::int32_t screen_width, std::int32_t screen_height, std::int32_t left,
              std::int32_t top, std::int32_t width, std::int32_t height, bool interlaced,
              std::size_t color_count)
      : dib_(dib),
        screen_width_(screen_width),
        screen_height_(screen_height),
        left_(left),
        top_(top),
        width_(width),
        height_(height),
        color_count_(color_count) {
    rows_.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
      for (std::int32_t y = 0; y < height; ++y) rows_.push_back(y);
      return;
    }
    // Interlaced rows come in four passes: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd
    // from 1.
    constexpr std::array<std::pair<std::int32_t, std::int32_t>, 4> kPasses = {
        {{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    for (const auto& [start, step] : kPasses) {
      for (std::int32_t y = start; y < height; y += step) rows_.push_back(y);
    }
  }
  bool Full() const { return row_ == height_; }
  // False for an index past the colour table.
  bool Put(std::uint8_t index) {
    if (index >= color_count_) return false;
    const std::int32_t x = left_ + column_;
    const std::int32_t y = top_ + rows_[static_cast<std::size_t>(row_)];
    if (x < screen_width_ && y < screen_height_) dib_.Row(y)[x] = index;
    if (++column_ == width_) {
      column_ = 0;
      ++row_;
    }
    return true;
  }

 private:
  PackedDib8& dib_;
  std::int32_t screen_width_, screen_height_, left_, top_, width_, height_;
  std::size_t color_count_;
  std::vector<std::int32_t> rows_;
  std::int32_t row_ = 0;
  std::int32_t column_ = 0;
};

// Variable-length LZW as GIF uses it: codes grow from min_code_size + 1 to 12 bits; a full table stays
// as it is until the next clear code.
DecodeFailure DecodeLzw(std::span<const std::uint8_t> data, int min_code_size, FramePlacer& placer) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  std::array<std::uint16_t, kTableSize> prefix{};
  std::array<std::uint8_t, kTableSize> suffix{};
  std::array<std::uint8_t, kTableSize> first{};  // first index of each code's string
  std::array<std::uint8_t, kTableSize> stack{};
  for (int code = 0; code < clear; ++code) suffix[code] = first[code] = static_cast<std::uint8_t>(code);

  CodeReader reader(data);
  int code_bits = min_code_size + 1;
  int next = clear + 2;
  int previous = -1;
  while (!placer.Full()) {
    const int code = reader.Next(code_bits);
    if (code < 0 || code == end) return DecodeFailure::kTruncated;  // the image ended before its last pixel
    if (code == clear) {
      code_bits = min_code_size + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (previous < 0) {
      if (code > clear) return DecodeFailure::kBadData;  // the first code after a clear is a plain index
      if (!placer.Put(static_cast<std::uint8_t>(code))) return DecodeFailure::kBadPalette;
      previous = code;
      continue;
    }
    if (code > next || (code == next && next == kTableSize))
      return DecodeFailure::kBadData;  // past the table
    // code == next is the string of `previous` followed by its own first index.
    const std::uint8_t head = code == next ? first[previous] : first[code];
    std::size_t depth = 0;
    if (code == next) stack[depth++] = head;
    for (int walk = code == next ? previous : code;; walk = prefix[walk]) {
      stack[depth++] = suffix[walk];
      if (walk < clear) break;
    }
    while (depth > 0 && !placer.Full()) {
      if (!placer.Put(stack[--depth])) return DecodeFailure::kBadPalette;
    }
    if (next < kTableSize) {
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = head;
      first[next] = first[previous];
      ++next;
      if (next == (1 << code_bits) && code_bits < kMaxCodeBits) ++code_bits;
    }
    previous = code;
  }
  return DecodeFailure::kNone;
}

}  // namespace

PictureDecoding DecodeGif(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSignatureSize || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F') {
    return Fail(DecodeFailure::kUnrecognised);
  }
  ByteReader gif(bytes);
  std::size_t at = kSignatureSize;
  if (!gif.Fits(at, kScreenDescriptorSize)) return Fail(DecodeFailure::kTruncated);
  const std::int32_t screen_width = gif.U16At(at);
  const std::int32_t screen_height = gif.U16At(at + 2);
  const std::uint8_t screen_flags = bytes[at + 4];
  const std::uint8_t background = bytes[at + 5];
  at += kScreenDescriptorSize;
  if (screen_width == 0 || screen_height == 0) return Fail(DecodeFailure::kBadHeader);
  if (!picture_bytes::WithinCaps(screen_width, screen_height)) return Fail(DecodeFailure::kTooLarge);

  ColorTable global;
  if ((screen_flags & kHasColorTable) != 0 && !ReadColorTable(bytes, at, screen_flags, global)) {
    return Fail(DecodeFailure::kTruncated);
  }
  // Extensions (comments, graphic control, application data) before the first image are skipped.
  while (true) {
    if (at >= bytes.size()) return Fail(DecodeFailure::kTruncated);
    const std::uint8_t introducer = bytes[at++];
    if (introducer == kImageIntroducer) break;
    if (introducer == kTrailer) return Fail(DecodeFailure::kBadData);  // a file without an image
    if (introducer != kExtensionIntroducer) return Fail(DecodeFailure::kBadData);
    if (at >= bytes.size()) return Fail(DecodeFailure::kTruncated);
    ++at;  // the extension's label
    if (!ReadSubBlocks(bytes, at, nullptr)) return Fail(DecodeFailure::kTruncated);
  }

  if (!gif.Fits(at, kImageDescriptorSize)) return Fail(DecodeFailure::kTruncated);
  const std::int32_t left = gif.U16At(at);
  const std::int32_t top = gif.U16At(at + 2);
  const std::int32_t width = gif.U16At(at + 4);
  const std::int32_t height = gif.U16At(at + 6);
  const std::uint8_t image_flags = bytes[at + 8];
  at += kImageDescriptorSize;
  if (width == 0 || height == 0) return Fail(DecodeFailure::kBadHeader);
  // The decoding work follows the image's own size even where it lies off the screen.
  if (!picture_bytes::WithinCaps(width, height)) return Fail(DecodeFailure::kTooLarge);

  ColorTable local;
  if ((image_flags & kHasColorTable) != 0 && !ReadColorTable(bytes, at, image_flags, local)) {
    return Fail(DecodeFailure::kTruncated);
  }
  const ColorTable& colors = local.count != 0 ? local : global;
  if (colors.count == 0) return Fail(DecodeFailure::kBadPalette);

  if (at >= bytes.size()) return Fail(DecodeFailure::kTruncated);
  const int min_code_size = bytes[at++];
  if (min_code_size < 2 || min_code_size > 8) return Fail(DecodeFailure::kBadData);
  std::vector<std::uint8_t> data;
  if (!ReadSubBlocks(bytes, at, &data)) return Fail(DecodeFailure::kTruncated);

  PackedDib8 dib(screen_width, screen_height, std::span<const DibColor>(colors.colors.data(), colors.count));
  const std::uint8_t fill = background < colors.count ? background : 0;
  for (std::int32_t y = 0; y < screen_height; ++y) std::fill_n(dib.Row(y), screen_width, fill);
  FramePlacer placer(dib, screen_width, screen_height, left, top, width, height,
                     (image_flags & kInterlaced) != 0, colors.count);
  if (const DecodeFailure failure = DecodeLzw(data, min_code_size, placer); failure != DecodeFailure::kNone) {
    return Fail(failure);
  }
  return picture_bytes::Succeed(PictureKind::kGif, screen_width, screen_height, dib.Release());
}

}  // namespace sw
