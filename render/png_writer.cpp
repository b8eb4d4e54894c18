// libpng reports errors by longjmp to the setjmp of whoever called it. The jump lands in WriteRows, whose
// frame and libpng's hold nothing with a destructor; the objects that own memory live in the caller, so
// no destructor is skipped. Our write callback never lets an exception into libpng: it turns a failed
// allocation into png_error after its try block has ended.
#include "render/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <new>

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

// Writes the header, pHYs and rows, one row at a time through `row` (so that the widest bare bars need
// no copy of the whole picture); false when libpng failed. Only trivially destructible locals here.
bool WriteRows(png_structp png, png_infop info, Output* output, Bitmap* picture, png_bytep row,
               png_uint_32 pixels_per_metre) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, output, &AppendBytes, &FlushNothing);
  // The default limits refuse rows wider than a million pixels; the bare bars of the longest contents
  // come close to that.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture->GetWidth()),
               static_cast<png_uint_32>(picture->GetHeight()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, pixels_per_metre, pixels_per_metre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < picture->GetHeight(); ++y) {
    FillRow(*picture, y, row);
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
  Bitmap picture;
  if (!picture.LoadData(bmp)) return Failure<PngWriteFailure>{PngWriteFailure::kUnreadableBmp, "no picture"};
  const std::int32_t width = picture.GetWidth();
  try {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    std::vector<std::uint8_t> bytes;
    Output output{&bytes};
    PngWrite write;
    if (write.info() == nullptr ||
        !WriteRows(write.png(), write.info(), &output, &picture, row.data(), pixels_per_metre)) {
      return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "libpng could not write the picture"};
    }
    return bytes;
  } catch (const std::bad_alloc&) {
    return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "out of memory"};
  }
}

}  // namespace sw
