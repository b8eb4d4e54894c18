// Double to int the way every pixel coordinate is computed: truncation toward zero.
#pragma once

#include <cstdint>
#include <limits>

namespace sw {

// NaN and values outside the 32-bit range give INT32_MIN (the x87 "integer indefinite"), which lies outside
// every image, instead of undefined behaviour.
inline std::int32_t TruncToInt32(double v) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

}  // namespace sw
