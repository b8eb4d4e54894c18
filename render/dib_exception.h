// The failure raised inside Bitmap's internals; every Bitmap operation catches it and turns it into its
// failure result and last-error text, so it never reaches a caller.
#pragma once

#include <string_view>

namespace sw {

class CDIBException {
 public:
  explicit CDIBException(std::string_view message) : message_(message) {}
  std::string_view Message() const { return message_; }

 private:
  std::string_view message_;  // always one of bitmap_message's constants
};

}  // namespace sw
