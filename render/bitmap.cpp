#include "render/bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/byte_reader.h"
#include "render/bitmap_messages.h"
#include "render/bmp_reader.h"
#include "render/bmp_writer.h"
#include "render/dib_exception.h"
#include "render/palette.h"

namespace sw {
namespace {

constexpr std::size_t kMaxErrorLength = 254;  // the last-error buffer holds 255 bytes with its terminator

// Runs one operation: clears the last error, and turns an internal failure into `failure` plus its text.
template <typename Result, typename Body>
Result Guarded(std::string& last_error, Result failure, Body&& body) {
  last_error.clear();
  std::string_view message;
  try {
    return body();
  } catch (const CDIBException& e) {
    message = e.Message();
  } catch (const std::bad_alloc&) {
    message = bitmap_message::kNoBuffer;
  }
  last_error.assign(message.substr(0, kMaxErrorLength));
  return failure;
}

bool IsIndexed(int bits) { return bits <= 8; }

// The stored form of a direct colour: the 5-5-5 word for 16 bits, else blue | green << 8 | red << 16.
std::uint32_t EncodeDirect(ColorRef color, int bits) {
  if (bits == 16) {
    return std::uint32_t{BlueOf(color)} / 8 | (std::uint32_t{GreenOf(color)} / 8) << 5 |
           (std::uint32_t{RedOf(color)} / 8) << 10;
  }
  return std::uint32_t{BlueOf(color)} | std::uint32_t{GreenOf(color)} << 8 |
         std::uint32_t{RedOf(color)} << 16;
}

// Stores an encoded pixel; the fourth byte of a 32-bit pixel is left as it is.
void PutPixel(std::uint8_t* row, std::int32_t x, int bits, std::uint32_t value) {
  switch (bits) {
    case 16: StoreLe16(row + 2 * std::size_t(x), static_cast<std::uint16_t>(value)); break;
    case 24:
    case 32: {
      std::uint8_t* p = row + std::size_t(bits / 8) * std::size_t(x);
      p[0] = static_cast<std::uint8_t>(value);
      p[1] = static_cast<std::uint8_t>(value >> 8);
      p[2] = static_cast<std::uint8_t>(value >> 16);
      break;
    }
    default: WriteIndex(row, x, bits, value); break;
  }
}

// Colours every pixel with an encoded value, leaving padding bits and the fourth byte of 32-bit pixels zero.
// Every line is the same, so the top one is built and copied to the rest.
void FillRows(Dib& image, std::uint32_t value) {
  const DibLayout& layout = image.Layout();
  const int bits = layout.bits;
  std::uint8_t* top = image.Row(0);
  if (IsIndexed(bits)) {
    // Whole bytes of identical pixels at once, then the pixels of a last partial byte one by one.
    std::uint8_t pattern = 0;
    for (int shift = 0; shift < 8; shift += bits)
      pattern = static_cast<std::uint8_t>(pattern | value << shift);
    const std::size_t whole_bytes =
        static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(bits) / 8;
    std::memset(top, pattern, whole_bytes);
    const std::int32_t pixels_per_byte = 8 / bits;
    for (auto x = static_cast<std::int32_t>(whole_bytes) * pixels_per_byte; x < layout.width; ++x) {
      WriteIndex(top, x, bits, value);
    }
  } else {
    // One pixel, then doubling copies of what is already written.
    PutPixel(top, 0, bits, value);
    const std::size_t pixel_bytes = static_cast<std::size_t>(bits / 8);
    const std::size_t row_bytes = pixel_bytes * static_cast<std::size_t>(layout.width);
    for (std::size_t done = pixel_bytes; done < row_bytes;) {
      const std::size_t n = std::min(done, row_bytes - done);
      std::memcpy(top + done, top, n);
      done += n;
    }
  }
  for (std::int32_t y = 1; y < layout.height; ++y) std::memcpy(image.Row(y), top, layout.stride);
}

void WriteCreateHeader(Dib& image) {
  const DibLayout& layout = image.Layout();
  std::uint8_t* header = image.Header();
  StoreLe32(header + bmp::kBiSize, bmp::kInfoHeaderSize);
  StoreLe32(header + bmp::kBiWidth, static_cast<std::uint32_t>(layout.width));
  StoreLe32(header + bmp::kBiHeight, static_cast<std::uint32_t>(layout.height));
  StoreLe16(header + bmp::kBiPlanes, 1);
  StoreLe16(header + bmp::kBiBitCount, static_cast<std::uint16_t>(layout.bits));
  const std::span<const RgbQuad> table = DefaultColorTable(layout.bits);
  if (!table.empty()) std::memcpy(image.MutableTable().data(), table.data(), table.size_bytes());
}

}  // namespace

Bitmap::Bitmap() = default;
Bitmap::~Bitmap() = default;

Bitmap::Bitmap(Bitmap&& other) noexcept
    : image_(std::move(other.image_)),
      last_error_(std::move(other.last_error_)),
      last_index_(other.last_index_) {
  other.last_index_.reset();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    image_ = std::move(other.image_);
    last_error_ = std::move(other.last_error_);
    last_index_ = other.last_index_;
    other.last_index_.reset();
  }
  return *this;
}

void Bitmap::Replace(std::unique_ptr<Dib> image) {
  image_ = std::move(image);
  last_index_.reset();
}

const Dib& Bitmap::Require() const {
  if (!image_) throw CDIBException(bitmap_message::kEmpty);
  return *image_;
}

std::uint32_t Bitmap::IndexFor(const Dib& image, ColorRef color) {
  if (!last_index_ || last_index_->first != color)
    last_index_.emplace(color, NearestPaletteIndex(image.Table(), color));
  return last_index_->second;
}

bool Bitmap::Create(std::int32_t width, std::int32_t height, std::int16_t bits,
                    std::optional<ColorRef> fill) {
  return Guarded(last_error_, false, [&] {
    Replace(nullptr);
    const int colors = bmp::DefaultColorCount(bits);
    if (colors < 0) throw CDIBException(bitmap_message::kBadBitCount);
    const std::optional<DibLayout> layout = PlanDib(width, height, bits, static_cast<std::uint64_t>(colors));
    if (!layout) throw CDIBException(bitmap_message::kUnsupported);
    auto image = std::make_unique<Dib>(*layout);
    WriteCreateHeader(*image);
    if (fill) {
      // Every line gets the same pixels, so the top line is coloured pixel by pixel and copied to the rest.
      std::uint32_t value = 0;
      bool writable = true;
      if (IsIndexed(bits)) {
        value = NearestPaletteIndex(image->Table(), *fill);
        writable = value < (1u << bits);
      } else {
        value = EncodeDirect(*fill, bits);
      }
      if (writable) FillRows(*image, value);
    }
    Replace(std::move(image));
    return true;
  });
}

bool Bitmap::SetPixel(std::int32_t x, std::int32_t y, ColorRef color) {
  return Guarded(last_error_, false, [&] {
    const Dib& image = Require();
    if (!image.Contains(x, y)) throw CDIBException(bitmap_message::kOutOfRange);
    const int bits = image.Layout().bits;
    std::uint32_t value = 0;
    if (IsIndexed(bits)) {
      value = IndexFor(image, color);
      if (value >= (1u << bits)) throw CDIBException(bitmap_message::kBadColorIndex);
    } else {
      value = EncodeDirect(color, bits);
    }
    PutPixel(image_->Row(y), x, bits, value);
    return true;
  });
}

ColorRef Bitmap::GetPixel(std::int32_t x, std::int32_t y) {
  return Guarded(last_error_, ColorRef{0}, [&] {
    const Dib& image = Require();
    if (!image.Contains(x, y)) throw CDIBException(bitmap_message::kOutOfRange);
    const int bits = image.Layout().bits;
    const std::uint8_t* row = image.Row(y);
    switch (bits) {
      case 16: {
        const std::uint32_t w = LoadLe16(row + 2 * std::size_t(x));
        return MakeColorRef(static_cast<std::uint8_t>(((w >> 10) & 31) * 8),
                            static_cast<std::uint8_t>(((w >> 5) & 31) * 8),
                            static_cast<std::uint8_t>((w & 31) * 8));
      }
      case 24:
      case 32: {
        const std::uint8_t* p = row + std::size_t(bits / 8) * std::size_t(x);
        return MakeColorRef(p[2], p[1], p[0]);
      }
      default: {
        // A loaded table may be shorter than the bit count allows; an index past it names no colour.
        const std::uint32_t index = ReadIndex(row, x, bits);
        if (index >= image.Layout().colors) throw CDIBException(bitmap_message::kBadColorIndex);
        const std::uint8_t* entry = image.Table().data() + 4 * std::size_t{index};
        return MakeColorRef(entry[2], entry[1], entry[0]);
      }
    }
  });
}

std::int32_t Bitmap::GetWidth() {
  return Guarded(last_error_, std::int32_t{-1}, [&] { return Require().Layout().width; });
}

std::int32_t Bitmap::GetHeight() {
  return Guarded(last_error_, std::int32_t{-1}, [&] { return Require().Layout().height; });
}

std::int16_t Bitmap::GetBitCount() {
  return Guarded(last_error_, std::int16_t{-1},
                 [&] { return static_cast<std::int16_t>(Require().Layout().bits); });
}

bool Bitmap::LoadData(std::span<const std::uint8_t> bytes) {
  return Guarded(last_error_, false, [&] {
    Replace(nullptr);
    Replace(std::make_unique<Dib>(ReadBmp(bytes)));
    return true;
  });
}

std::vector<std::uint8_t> Bitmap::GetData() {
  return Guarded(last_error_, std::vector<std::uint8_t>{}, [&] { return WriteBmp(Require()); });
}

void Bitmap::CopyFrom(const Bitmap& source) {
  if (&source == this) return;
  const std::string error = source.last_error_;
  Guarded(last_error_, false, [&] {
    Replace(nullptr);
    if (source.image_) Replace(std::make_unique<Dib>(*source.image_));
    return true;
  });
  if (last_error_.empty()) last_error_ = error;
}

}  // namespace sw
