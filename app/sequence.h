// A numbered run from the generated content: the last run of digits counts up by the step, keeping its
// width with leading zeros (SKU0098, SKU0099, SKU0100); a number that outgrows its width widens (A99, A100).
// GS1 element strings: a lone SSCC (00) or GTIN (01) counts its digits before the check digit and each
// check digit is recomputed; otherwise the last run of digits of the last element counts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace sw::app {

enum class SequenceError {
  kNoDigits,    // more than one barcode asked for, and nothing in the content to count
  kOutOfRange,  // an SSCC or GTIN would need more digits than its fixed length
};
using SequenceResult = Result<std::vector<std::string>, SequenceError>;

SequenceResult SequenceOf(std::string_view first, std::int32_t count, std::int32_t step, bool gs1);

// The GS1 mod-10 check digit of `digits` (weights 3, 1, 3, ... from the right).
char Gs1CheckDigit(std::string_view digits);

}  // namespace sw::app
