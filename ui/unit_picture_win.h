// The image bytes a unit holds, decoded at the first paint after they are set and kept until they change.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/picture_decode.h"
#include "ui/window_description.h"

namespace sw {

class UnitPicture {
 public:
  UnitPicture() = default;
  explicit UnitPicture(const Bytes& bytes) : bytes_(bytes) {}

  void Set(std::span<const uint8_t> bytes);
  const Bytes& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }
  // nullptr when there are no bytes or they do not decode; the unit then shows only its background.
  const DecodedPicture* Decoded();

 private:
  Bytes bytes_;
  std::optional<DecodedPicture> decoded_;
  bool decoded_once_ = false;
};

}  // namespace sw
