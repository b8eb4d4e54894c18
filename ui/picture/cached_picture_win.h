// The image bytes a unit holds, decoded at the first paint after they are set and kept until they change.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/picture/picture_decode.h"

namespace sw {

class CachedPicture {
 public:
  CachedPicture() = default;
  explicit CachedPicture(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  void Set(std::span<const std::uint8_t> bytes);
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }
  // nullptr when there are no bytes or they do not decode; the unit then shows only its background.
  const DecodedPicture* Decoded();

 private:
  std::vector<std::uint8_t> bytes_;
  std::optional<DecodedPicture> decoded_;
  bool decoded_once_ = false;
};

}  // namespace sw
