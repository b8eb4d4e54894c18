// Writes a description table in the layout that ReadDescriptionTable reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/description/window_description.h"

namespace sw {

// The table's bytes; a font face over 31 bytes or a text with a zero byte is refused (kUnstorable).
using DescriptionWrite = Result<std::vector<std::uint8_t>, DescriptionError>;

// The check value of each description is the FNV-1a hash of its data; the one stored in the model is ignored.
DescriptionWrite WriteDescriptionTable(const DescriptionTable& table);

std::uint32_t DescriptionCheckValue(const std::vector<std::uint8_t>& data);

}  // namespace sw
