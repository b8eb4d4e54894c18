// Recognition by the first bytes, then the reader for the kind.
#include "ui/picture/picture_decode.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <new>

#include "base/byte_reader.h"
#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

constexpr std::size_t kSignatureBytes = 8;  // shorter data is never recognised
constexpr std::uint8_t kPcxMaker = 0x0A;
constexpr std::uint8_t kPcxRunLength = 1;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
  return std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// Icon (type 1) and cursor (type 2) directories: reserved word 0, type, image count above 0.
bool IsIconDirectory(std::span<const std::uint8_t> bytes, std::uint16_t type) {
  ByteReader directory(bytes);
  return directory.U16At(0) == 0 && directory.U16At(2) == type && directory.U16At(4) > 0;
}

bool IsPcx(std::span<const std::uint8_t> bytes, bool (*version_ok)(std::uint8_t), std::uint8_t bits) {
  return bytes[0] == kPcxMaker && version_ok(bytes[1]) && bytes[2] == kPcxRunLength && bytes[3] == bits;
}

struct Recognition {
  bool (*matches)(std::span<const std::uint8_t>);
  PictureKind kind;
};

// The first rule that matches wins.
constexpr std::array<Recognition, 8> kRecognitionRules = {{
    /* 1 */ {[](std::span<const std::uint8_t> b) {
               return StartsWith(b, {'B', 'M'});
             },
             PictureKind::kBmp},
    /* 2 */
    {[](std::span<const std::uint8_t> b) {
       return StartsWith(b, {0xFF, 0xD8});
     },
     PictureKind::kJpeg},
    /* 3 */
    {[](std::span<const std::uint8_t> b) {
       return StartsWith(b, {0x89, 'P', 'N', 'G'});
     },
     PictureKind::kPng},
    /* 4 */ {[](std::span<const std::uint8_t> b) { return IsIconDirectory(b, 1); }, PictureKind::kIcon},
    /* 5 */ {[](std::span<const std::uint8_t> b) { return IsIconDirectory(b, 2); }, PictureKind::kCursor},
    /* 6 */
    {[](std::span<const std::uint8_t> b) {
       return StartsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) || StartsWith(b, {'G', 'I', 'F', '8', '9', 'a'});
     },
     PictureKind::kGif},
    /* 7 */
    {[](std::span<const std::uint8_t> b) {
       return IsPcx(
           b, [](std::uint8_t v) { return v <= 5; }, 8);
     },
     PictureKind::kPcx8},
    /* 8 */
    {[](std::span<const std::uint8_t> b) {
       return IsPcx(
           b, [](std::uint8_t v) { return v == 3; }, 1);
     },
     PictureKind::kPcx1},
}};

}  // namespace

std::string_view DescribeDecodeFailure(DecodeFailure failure) {
  switch (failure) {
    case DecodeFailure::kNone: return "decoded";
    case DecodeFailure::kNoData: return "no image bytes";
    case DecodeFailure::kUnrecognised: return "unrecognised image format";
    case DecodeFailure::kTruncated: return "image data ends early";
    case DecodeFailure::kBadHeader: return "invalid image header";
    case DecodeFailure::kTooLarge: return "image too large";
    case DecodeFailure::kUnsupported: return "unsupported image variant";
    case DecodeFailure::kBadPalette: return "colour index past the colour table";
    case DecodeFailure::kBadData: return "corrupt image data";
    case DecodeFailure::kLibraryError: return "image library refused the data";
  }
  return "unknown failure";
}

PictureKind RecognisePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSignatureBytes) return PictureKind::kEmpty;
  for (const Recognition& rule : kRecognitionRules) {
    if (rule.matches(bytes)) return rule.kind;
  }
  return PictureKind::kEmpty;
}

namespace {

PictureDecoding DecodeByKind(std::span<const std::uint8_t> bytes) {
  switch (const PictureKind kind = RecognisePicture(bytes)) {
    case PictureKind::kEmpty: return picture_bytes::Fail(DecodeFailure::kUnrecognised);
    case PictureKind::kJpeg: return DecodeJpeg(bytes);
    case PictureKind::kBmp: return DecodeBmp(bytes);
    case PictureKind::kIcon:
    case PictureKind::kCursor: return DecodeIconDirectory(bytes, kind);
    case PictureKind::kGif: return DecodeGif(bytes);
    case PictureKind::kPcx8:
    case PictureKind::kPcx1: return DecodePcx(bytes, kind);
    case PictureKind::kPng: return DecodePng(bytes);
  }
  return picture_bytes::Fail(DecodeFailure::kUnrecognised);
}

}  // namespace

PictureDecoding DecodePictureBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return picture_bytes::Fail(DecodeFailure::kNoData);
  try {
    return DecodeByKind(bytes);
  } catch (const std::bad_alloc&) {
    // Pixels within the caps can still be more than a 32-bit process has in one piece.
    return picture_bytes::Fail(DecodeFailure::kTooLarge);
  }
}

std::optional<DecodedPicture> DecodePicture(const std::uint8_t* bytes, std::int32_t length) {
  if (bytes == nullptr || length <= 0) return std::nullopt;
  return DecodePictureBytes({bytes, static_cast<std::size_t>(length)}).picture;
}

}  // namespace sw
