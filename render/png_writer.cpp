// libpng reports errors by longjmp to the setjmp of whoever called it. The jump lands in WriteRows, whose
// frame and libpng's hold nothing with a destructor; the objects that own memory live in the caller, so
// no destructor is skipped. Our write callback never lets an exception into libpng: it turns a failed
// allocation into png_error after its try block has ended.
#include "render/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/bitmap.h"

namespace sw {
namespace {

struct Output {
  std::vector<std::uint8_t>* bytes = nullptr;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* output = static_cast<Output*>(png_get_io_ptr(png));
  bool appended = true;
  try {
    output->bytes->insert(output->bytes->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    appended = false;
  }
  if (!appended) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Errors end the write (through the jump); warnings are not worth a message.
void IgnoreWarning(png_structp, png_const_charp) {}

// One row of the picture as red, green and blue bytes, whatever depth and colour table the BMP had.
void FillRow(Bitmap& picture, std::int32_t y, png_bytep row) {
  for (std::int32_t x = 0; x < picture.GetWidth(); ++x) {
    const ColorRef color = picture.GetPixel(x, y);
    row[3 * x] = RedOf(color);
    row[3 * x + 1] = GreenOf(color);
    row[3 * x + 2] = BlueOf(color);
  }
}

// Whether every pixel is black or white, as every barcode the program draws is: such a picture is written
// as 1-bit grey, a 24th of the data to pack, every pixel still as it was.
bool IsBlackAndWhite(Bitmap& picture) {
  for (std::int32_t y = 0; y < picture.GetHeight(); ++y) {
    for (std::int32_t x = 0; x < picture.GetWidth(); ++x) {
      const ColorRef color = picture.GetPixel(x, y);
      if (color != kBlack && color != kWhite) return false;
    }
  }
  return true;
}

// One row as 1-bit grey, the leftmost pixel in the high bit: 1 is white.
void FillBlackAndWhiteRow(Bitmap& picture, std::int32_t y, png_bytep row) {
  std::memset(row, 0, (static_cast<std::size_t>(picture.GetWidth()) + 7) / 8);
  for (std::int32_t x = 0; x < picture.GetWidth(); ++x) {
    if (picture.GetPixel(x, y) == kWhite) row[x / 8] = static_cast<png_byte>(row[x / 8] | (0x80 >> (x % 8)));
  }
}

// The rows of an uncompressed 1-bit BMP whose colour table is black and white, as the program's barcode
// pictures are: each is already a 1-bit grey row (inverted where the table lists white first), so it is
// taken straight from the file instead of pixel by pixel.
struct BilevelBmp {
  const std::uint8_t* pixels = nullptr;  // the first stored row
  std::int32_t width = 0, height = 0;
  std::size_t stride = 0;
  bool bottom_up = true;
  bool white_first = false;
};

std::optional<BilevelBmp> BilevelBmpOf(std::span<const std::uint8_t> bmp) {
  ByteReader read(bmp);
  const std::uint32_t header = read.U32At(bmp::kFileHeaderSize + bmp::kBiSize);
  const std::uint64_t info = bmp::kFileHeaderSize;
  const std::int32_t width = read.I32At(info + bmp::kBiWidth);
  const std::int32_t height = read.I32At(info + bmp::kBiHeight);
  const std::uint32_t colors = read.U32At(info + bmp::kBiClrUsed);
  if (read.U16At(bmp::kBfType) != bmp::kFileType || header < bmp::kInfoHeaderSize || width <= 0 ||
      height == 0 || height == std::numeric_limits<std::int32_t>::min() ||
      read.U16At(info + bmp::kBiPlanes) != 1 || read.U16At(info + bmp::kBiBitCount) != 1 ||
      read.U32At(info + bmp::kBiCompression) != bmp::kUncompressed || (colors != 0 && colors != 2) ||
      read.failed()) {
    return std::nullopt;
  }
  const std::uint64_t table = info + header;
  const std::uint32_t first = read.U32At(table) & 0xFFFFFF, second = read.U32At(table + 4) & 0xFFFFFF;
  const bool black_first = first == 0 && second == 0xFFFFFF, white_first = first == 0xFFFFFF && second == 0;
  BilevelBmp rows;
  rows.width = width;
  rows.height = height < 0 ? -height : height;
  rows.bottom_up = height > 0;
  rows.white_first = white_first;
  rows.stride = static_cast<std::size_t>(bmp::RowStride(width, 1));
  const std::uint64_t offset = read.U32At(bmp::kBfOffBits);
  if (read.failed() || !(black_first || white_first) ||
      !read.Fits(offset, static_cast<std::uint64_t>(rows.stride) * static_cast<std::uint64_t>(rows.height))) {
    return std::nullopt;
  }
  rows.pixels = bmp.data() + offset;
  return rows;
}

void FillBilevelRow(const BilevelBmp& bmp, std::int32_t y, png_bytep row) {
  const std::int32_t stored = bmp.bottom_up ? bmp.height - 1 - y : y;
  const std::uint8_t* from = bmp.pixels + static_cast<std::size_t>(stored) * bmp.stride;
  const std::size_t bytes = (static_cast<std::size_t>(bmp.width) + 7) / 8;
  for (std::size_t i = 0; i < bytes; ++i)
    row[i] = static_cast<png_byte>(bmp.white_first ? ~from[i] : from[i]);
  // The padding bits of the last byte, whatever the file held there: black, as a writer would set them.
  if (bmp.width % 8 != 0)
    row[bytes - 1] = static_cast<png_byte>(row[bytes - 1] & (0xFF00 >> (bmp.width % 8)));
}

// Where the rows come from: the BMP's own bilevel rows, or the decoded picture, in colour or black and
// white. Plain pointers only: it lives in the frame libpng may jump out of.
struct RowSource {
  const BilevelBmp* bilevel = nullptr;
  Bitmap* picture = nullptr;
  bool black_and_white = false;
  std::int32_t width = 0, height = 0;
  void Fill(std::int32_t y, png_bytep row) const {
    if (bilevel != nullptr) {
      FillBilevelRow(*bilevel, y, row);
    } else if (black_and_white) {
      FillBlackAndWhiteRow(*picture, y, row);
    } else {
      FillRow(*picture, y, row);
    }
  }
};

// Writes the header, pHYs and rows, one row at a time through `row` (so that the widest bare bars need
// no copy of the whole picture); false when libpng failed. Only trivially destructible locals here.
bool WriteRows(png_structp png, png_infop info, Output* output, const RowSource* source, png_bytep row,
               png_uint_32 pixels_per_metre) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, output, &AppendBytes, &FlushNothing);
  // The default limits refuse rows wider than a million pixels; the bare bars of the longest contents
  // come close to that.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  const bool grey = source->bilevel != nullptr || source->black_and_white;
  png_set_IHDR(png, info, static_cast<png_uint_32>(source->width), static_cast<png_uint_32>(source->height),
               grey ? 1 : 8, grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, pixels_per_metre, pixels_per_metre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < source->height; ++y) {
    source->Fill(y, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

// libpng's writing state, freed on every way out.
class PngWrite {
 public:
  PngWrite() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, &IgnoreWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngWrite() { png_destroy_write_struct(&png_, &info_); }
  PngWrite(const PngWrite&) = delete;
  PngWrite& operator=(const PngWrite&) = delete;
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

PngWriting PngFromBmp(std::span<const std::uint8_t> bmp, std::uint32_t pixels_per_metre) {
  const std::optional<BilevelBmp> bilevel = BilevelBmpOf(bmp);
  Bitmap picture;
  RowSource source;
  if (bilevel) {
    source = {&*bilevel, nullptr, true, bilevel->width, bilevel->height};
  } else {
    if (!picture.LoadData(bmp))
      return Failure<PngWriteFailure>{PngWriteFailure::kUnreadableBmp, "no picture"};
    source = {nullptr, &picture, IsBlackAndWhite(picture), picture.GetWidth(), picture.GetHeight()};
  }
  try {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(source.width) * 3);
    std::vector<std::uint8_t> bytes;
    Output output{&bytes};
    PngWrite write;
    if (write.info() == nullptr ||
        !WriteRows(write.png(), write.info(), &output, &source, row.data(), pixels_per_metre)) {
      return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "libpng could not write the picture"};
    }
    return bytes;
  } catch (const std::bad_alloc&) {
    return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "out of memory"};
  }
}

}  // namespace sw
