// JPEG through libjpeg to 24-bit rows, then red and blue swapped and the rows turned bottom-up.
//
// libjpeg reports errors by calling error_exit, whose default ends the process; ours jumps back to the
// stage that called setjmp. Those stages hold no C++ object with a destructor, and nothing thrown ever
// travels through libjpeg: every allocation of ours happens between the stages, outside setjmp frames.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <utility>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

constexpr int kBytesPerPixel = 3;
// libjpeg's own working memory (coefficient buffers of progressive files) above the picture itself.
constexpr long kMaxLibraryMemory = 256L * 1024 * 1024;

struct JumpingErrorManager {
  jpeg_error_mgr library;  // first, so the library's pointer to it is a pointer to the whole
  std::jmp_buf jump;
  DecodeFailure failure;
};

JumpingErrorManager& ErrorsOf(j_common_ptr info) {
  return *reinterpret_cast<JumpingErrorManager*>(info->err);
}

[[noreturn]] void JumpBack(j_common_ptr info, DecodeFailure failure) {
  ErrorsOf(info).failure = failure;
  std::longjmp(ErrorsOf(info).jump, 1);
}

[[noreturn]] void OnError(j_common_ptr info) { JumpBack(info, DecodeFailure::kLibraryError); }

// Warnings that mean the entropy-coded data is damaged: libjpeg would pad or guess the rest and report
// success. We refuse the picture instead of showing a made-up part of it.
bool MeansDamagedData(int message_code) {
  switch (message_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION: return true;
    default: return false;
  }
}

void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && MeansDamagedData(info->err->msg_code)) JumpBack(info, DecodeFailure::kBadData);
  // Everything else (trace output, harmless warnings) is dropped: nothing of ours goes to stderr.
}

void OnProgress(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
    JumpBack(info, DecodeFailure::kTooLarge);  // valid data, only more of it than we take
  }
}

struct JpegSession {
  jpeg_decompress_struct info;
  JumpingErrorManager errors;
  jpeg_progress_mgr progress;
};

// Stage 1: header and output size. Returns false after a jump.
bool ReadHeader(JpegSession& session, std::span<const std::uint8_t> bytes) {
  if (setjmp(session.errors.jump) != 0) return false;
  jpeg_mem_src(&session.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&session.info, TRUE) != JPEG_HEADER_OK) {  // tables only, no image
    session.errors.failure = DecodeFailure::kBadHeader;
    return false;
  }
  session.info.out_color_space = JCS_RGB;
  session.info.mem->max_memory_to_use = kMaxLibraryMemory;
  jpeg_calc_output_dimensions(&session.info);
  return true;
}

// Stage 2: every scanline into `rows`, bottom-up (the last image row first in memory).
bool ReadRows(JpegSession& session, std::uint8_t* rows, std::size_t stride) {
  if (setjmp(session.errors.jump) != 0) return false;
  jpeg_start_decompress(&session.info);
  if (session.info.output_components != kBytesPerPixel) {
    session.errors.failure = DecodeFailure::kUnsupported;
    return false;
  }
  const JDIMENSION height = session.info.output_height;
  while (session.info.output_scanline < height) {
    JSAMPROW row = rows + (height - 1 - session.info.output_scanline) * stride;
    if (jpeg_read_scanlines(&session.info, &row, 1) != 1) {
      session.errors.failure = DecodeFailure::kTruncated;
      return false;
    }
  }
  jpeg_finish_decompress(&session.info);
  return true;
}

// Owns the libjpeg state; destroying it never raises an error.
class JpegDecompressor {
 public:
  JpegDecompressor() {
    session_.info.err = jpeg_std_error(&session_.errors.library);
    session_.errors.library.error_exit = OnError;
    session_.errors.library.emit_message = OnMessage;
    session_.errors.failure = DecodeFailure::kLibraryError;
    session_.progress.progress_monitor = OnProgress;
  }
  ~JpegDecompressor() {
    if (created_) jpeg_destroy_decompress(&session_.info);
  }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  // jpeg_create_decompress can itself fail (a library version mismatch); it gets its own jump target.
  bool Create() {
    if (setjmp(session_.errors.jump) != 0) return false;
    jpeg_create_decompress(&session_.info);
    created_ = true;
    session_.info.progress = &session_.progress;
    return true;
  }
  JpegSession& session() { return session_; }

 private:
  JpegSession session_{};
  bool created_ = false;
};

}  // namespace

PictureDecoding DecodeJpeg(std::span<const std::uint8_t> bytes) {
  using picture_bytes::Fail;
  JpegDecompressor decompressor;
  JpegSession& session = decompressor.session();
  if (!decompressor.Create() || !ReadHeader(session, bytes)) return Fail(session.errors.failure);

  const JDIMENSION width = session.info.output_width;
  const JDIMENSION height = session.info.output_height;
  if (!picture_bytes::WithinCaps(width, height)) return Fail(DecodeFailure::kTooLarge);
  const std::size_t stride = std::size_t{width} * kBytesPerPixel;
  std::vector<std::uint8_t> pixels(stride * height);
  if (!ReadRows(session, pixels.data(), stride)) return Fail(session.errors.failure);

  for (std::size_t i = 0; i < pixels.size(); i += kBytesPerPixel) std::swap(pixels[i], pixels[i + 2]);
  return picture_bytes::Succeed(PictureKind::kJpeg, static_cast<std::int32_t>(width),
                                static_cast<std::int32_t>(height), std::move(pixels));
}

}  // namespace sw
