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

// Writes the header, pHYs and rows; false when libpng failed. Only trivially destructible locals here.
bool WriteRows(png_structp png, png_infop info, Output* output, png_uint_32 width, png_uint_32 height,
               png_bytepp rows, png_uint_32 pixels_per_metre) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, output, &AppendBytes, &FlushNothing);
  // The default limits refuse rows wider than a million pixels; the bare bars of the longest contents
  // come close to that.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, pixels_per_metre, pixels_per_metre, PNG_RESOLUTION_METER);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
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
  const std::int32_t height = picture.GetHeight();
  try {
    // Red, green, blue a pixel, rows top-down, whatever depth and colour table the BMP had.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
      std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
      rows[static_cast<std::size_t>(y)] = row;
      for (std::int32_t x = 0; x < width; ++x) {
        const ColorRef color = picture.GetPixel(x, y);
        row[3 * x] = RedOf(color);
        row[3 * x + 1] = GreenOf(color);
        row[3 * x + 2] = BlueOf(color);
      }
    }
    std::vector<std::uint8_t> bytes;
    Output output{&bytes};
    PngWrite write;
    if (write.info() == nullptr ||
        !WriteRows(write.png(), write.info(), &output, static_cast<png_uint_32>(width),
                   static_cast<png_uint_32>(height), rows.data(), pixels_per_metre)) {
      return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "libpng could not write the picture"};
    }
    return bytes;
  } catch (const std::bad_alloc&) {
    return Failure<PngWriteFailure>{PngWriteFailure::kLibraryError, "out of memory"};
  }
}

}  // namespace sw
