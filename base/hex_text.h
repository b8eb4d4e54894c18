// Numbers in messages: ids and offsets in hexadecimal, as the description tools show them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace sw {

// "0x1600000d": lower case, no leading zeros.
inline std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

// "0x1600000D": eight upper-case digits, as the generated id header spells them.
inline std::string HexId(std::uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
  return text;
}

}  // namespace sw
