#include "ui/picture/cached_picture_win.h"

#include <climits>

#include "ui/picture/picture_paint_win.h"

namespace sw {

void CachedPicture::Set(std::span<const std::uint8_t> bytes) {
  bytes_.assign(bytes.begin(), bytes.end());
  decoded_.reset();
  decoded_once_ = false;
}

const DecodedPicture* CachedPicture::Decoded() {
  if (!decoded_once_) {
    decoded_once_ = true;
    if (!bytes_.empty() && bytes_.size() <= INT32_MAX) {
      decoded_ = DecodePictureForPainting(bytes_.data(), static_cast<std::int32_t>(bytes_.size()));
    }
  }
  return decoded_ ? &*decoded_ : nullptr;
}

}  // namespace sw
