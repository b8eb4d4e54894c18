// The per-format readers behind DecodePicture; each takes the whole file and trusts nothing in it.
#pragma once

#include <cstdint>
#include <span>

#include "ui/picture/picture_decode.h"

namespace sw {

PictureDecoding DecodePng(std::span<const std::uint8_t> bytes);
PictureDecoding DecodeJpeg(std::span<const std::uint8_t> bytes);
PictureDecoding DecodeBmp(std::span<const std::uint8_t> bytes);
PictureDecoding DecodeGif(std::span<const std::uint8_t> bytes);
// kind is kPcx8 or kPcx1, as recognition found it.
PictureDecoding DecodePcx(std::span<const std::uint8_t> bytes, PictureKind kind);
// kind is kIcon or kCursor: picks the entry and checks its image; the handle is made on Windows.
PictureDecoding DecodeIconDirectory(std::span<const std::uint8_t> bytes, PictureKind kind);

}  // namespace sw
