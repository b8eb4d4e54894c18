// Icon and cursor pictures get their handle from the system, from the entry that the directory walk chose.
#include <algorithm>
#include <new>
#include <vector>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "ui/picture/picture_paint_win.h"

namespace sw {
namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;
constexpr std::uint16_t kRetryRefusedBitCount = 16;  // no second attempt for 16-bit images
constexpr std::uint8_t kPngFirstByte = 0x89;

constexpr std::size_t kHotSpotSize = 4;  // a cursor resource starts with its hot spot, x then y

void ReleaseIcon(void* icon) { DestroyIcon(static_cast<HICON>(icon)); }
void ReleaseCursor(void* cursor) { DestroyCursor(static_cast<HCURSOR>(cursor)); }

// The image as the system takes it: an icon's as it is, a cursor's behind its hot spot.
std::vector<std::uint8_t> ResourceOf(const DecodedPicture& picture) {
  if (picture.kind != PictureKind::kCursor) return picture.pixels;
  std::vector<std::uint8_t> resource(kHotSpotSize + picture.pixels.size());
  StoreLe16(resource.data(), picture.hot_spot_x);
  StoreLe16(resource.data() + 2, picture.hot_spot_y);
  std::copy(picture.pixels.begin(), picture.pixels.end(), resource.begin() + kHotSpotSize);
  return resource;
}

}  // namespace

bool MakePictureIcon(DecodedPicture& picture) {
  if (picture.kind != PictureKind::kIcon && picture.kind != PictureKind::kCursor) return false;
  if (picture.pixels.empty()) return false;
  const BOOL is_icon = picture.kind == PictureKind::kIcon;
  std::vector<std::uint8_t> resource;
  try {
    resource = ResourceOf(picture);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const auto size = static_cast<DWORD>(resource.size());
  HICON icon = CreateIconFromResourceEx(resource.data(), size, is_icon, kIconFormatVersion, picture.width,
                                        picture.height, LR_DEFAULTCOLOR);
  // PNG entries (first byte 0x89) have no bit count field; the directory walk checked the header's size.
  // The bit count is in the entry's BITMAPINFOHEADER; too short an image reads as 0.
  const bool sixteen_bits = picture.pixels[0] != kPngFirstByte &&
                            ByteReader(picture.pixels).U16At(bmp::kBiBitCount) == kRetryRefusedBitCount;
  if (icon == nullptr && !sixteen_bits) {
    icon = CreateIconFromResource(resource.data(), size, is_icon, kIconFormatVersion);
  }
  if (icon == nullptr) return false;
  picture.icon = PlatformHandle({icon, is_icon ? &ReleaseIcon : &ReleaseCursor});
  return true;
}

std::optional<DecodedPicture> DecodePictureForPainting(const std::uint8_t* bytes, std::int32_t length) {
  std::optional<DecodedPicture> picture = DecodePicture(bytes, length);
  if (picture && (picture->kind == PictureKind::kIcon || picture->kind == PictureKind::kCursor) &&
      !MakePictureIcon(*picture)) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace sw
