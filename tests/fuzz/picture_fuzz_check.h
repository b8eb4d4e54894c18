// What every picture fuzz target checks beyond "no crash": a picture that comes back is consistent with
// its kind and size, so that painting it can never read past its pixels.
#pragma once

#include <cstdlib>

#include "ui/picture/packed_dib.h"
#include "ui/picture/picture_decode.h"

namespace sw::fuzz {

inline std::size_t ExpectedPixelBytes(const DecodedPicture& picture) {
  const auto w = static_cast<std::size_t>(picture.width);
  const auto h = static_cast<std::size_t>(picture.height);
  switch (picture.kind) {
    case PictureKind::kJpeg:
    case PictureKind::kBmp: return w * h * 3;
    case PictureKind::kPng: return w * h * 4;
    case PictureKind::kGif:
    case PictureKind::kPcx8: return kPackedDibPixelsAt + (w + 3) / 4 * 4 * h;
    case PictureKind::kPcx1: return (w + 15) / 16 * 2 * h;
    default: return picture.pixels.size();  // icons keep their entry's bytes
  }
}

inline void CheckPicture(const PictureDecoding& result) {
  if (!result.picture) {
    if (result.failure == DecodeFailure::kNone) std::abort();  // no picture, yet no reason
    return;
  }
  const DecodedPicture& picture = *result.picture;
  const bool sane = picture.width > 0 && picture.height > 0 && picture.width <= kMaxPictureSide &&
                    picture.height <= kMaxPictureSide &&
                    std::int64_t{picture.width} * picture.height <= kMaxPicturePixels &&
                    !picture.pixels.empty() && picture.pixels.size() == ExpectedPixelBytes(picture);
  if (!sane) std::abort();
}

}  // namespace sw::fuzz
