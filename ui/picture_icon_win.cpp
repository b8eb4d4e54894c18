// Icon and cursor pictures get their handle from the system, from the entry that the directory walk chose.
#include "ui/picture_paint_win.h"
#include "ui/picture_bytes.h"

namespace sw {
namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;
constexpr size_t kBitCountAt = 14;  // in the entry's BITMAPINFOHEADER
constexpr uint16_t kRetryRefusedBitCount = 16;  // no second attempt for 16-bit images
constexpr uint8_t kPngFirstByte = 0x89;

void ReleaseIcon(void* icon) { DestroyIcon(static_cast<HICON>(icon)); }

}  // namespace

bool MakePictureIcon(DecodedPicture& picture) {
  if (picture.kind != PictureKind::kIcon && picture.kind != PictureKind::kCursor) return false;
  if (picture.pixels.empty()) return false;
  // The system only reads these bytes; the parameter just is not const.
  auto* data = const_cast<PBYTE>(picture.pixels.data());
  const auto size = static_cast<DWORD>(picture.pixels.size());
  HICON icon = CreateIconFromResourceEx(data, size, TRUE, kIconFormatVersion, picture.width, picture.height,
                                        LR_DEFAULTCOLOR);
  // PNG entries (first byte 0x89) have no bit count field; the directory walk checked the header's size.
  const bool sixteen_bits = picture.pixels[0] != kPngFirstByte && picture.pixels.size() >= kBitCountAt + 2 &&
                            picture_bytes::Le16(picture.pixels, kBitCountAt) == kRetryRefusedBitCount;
  if (icon == nullptr && !sixteen_bits) {
    icon = CreateIconFromResource(data, size, TRUE, kIconFormatVersion);
  }
  if (icon == nullptr) return false;
  picture.icon = PlatformHandle(icon, PlatformHandleRelease{&ReleaseIcon});
  return true;
}

std::optional<DecodedPicture> DecodePictureForPainting(const uint8_t* bytes, int32_t length) {
  std::optional<DecodedPicture> picture = DecodePicture(bytes, length);
  if (picture && (picture->kind == PictureKind::kIcon || picture->kind == PictureKind::kCursor) &&
      !MakePictureIcon(*picture)) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace sw
