#include "encode/symbols.h"

#include <optional>

#include "base/gbk.h"
#include "encode/code128_tables.h"
#include "encode/segments.h"

namespace sw::code128 {
namespace {

// Calls `emit` with the value of every unit of the segment that has one.
template <typename Emit>
void ForEachValue(const std::string& segment, Emit&& emit) {
  if (segment.empty()) return;
  if (segment[0] == kSetCMarker) {
    for (std::size_t i = 1; i + 1 < segment.size(); i += 2) {
      if (IsDigit(segment[i]) && IsDigit(segment[i + 1]))
        emit((segment[i] - '0') * 10 + (segment[i + 1] - '0'));
    }
  } else {
    for (std::size_t i = 1; i < segment.size(); ++i) {
      if (gbk::IsDoubleByteAt(segment, i)) {  // left out whole; a lead byte alone falls to SetBValue
        ++i;
        continue;
      }
      const int value = SetBValue(static_cast<unsigned char>(segment[i]));
      if (value >= 0) emit(value);
    }
  }
}

bool YieldsSymbol(const std::string& segment) {
  bool any = false;
  ForEachValue(segment, [&](int) { any = true; });
  return any;
}

}  // namespace

SymbolSequence BuildSymbols(const std::vector<std::string>& segments) {
  SymbolSequence sequence;
  std::optional<char> set_in_force;
  // The weighted sum is kept modulo 103 as it grows, so no text is long enough to overflow it.
  std::int32_t sum = 0;
  std::int32_t position = 0;
  auto emit = [&](std::int32_t value) {
    position = position % kCheckModulus + 1;
    sequence.symbols.push_back(value);
    sum = (sum + position * value) % kCheckModulus;
  };
  std::int32_t waiting_fnc1 = 0;  // FNC1s before the first set is known
  for (const std::string& segment : segments) {
    if (segment == kFnc1Segment) {
      if (set_in_force)
        emit(kFnc1);
      else
        ++waiting_fnc1;
      continue;
    }
    if (!YieldsSymbol(segment)) continue;
    const char set = segment[0] == kSetCMarker ? kSetCMarker : kSetBMarker;
    if (!set_in_force) {
      sequence.start = set == kSetCMarker ? kStartC : kStartB;
      sum = sequence.start % kCheckModulus;
    } else if (set != *set_in_force) {
      emit(set == kSetCMarker ? kCodeCSwitch : kCodeBSwitch);
    }
    set_in_force = set;
    for (; waiting_fnc1 > 0; --waiting_fnc1) emit(kFnc1);
    ForEachValue(segment, emit);
  }
  if (!set_in_force) {
    sequence.start = kStartC;
    sum = kStartC % kCheckModulus;
    for (; waiting_fnc1 > 0; --waiting_fnc1) emit(kFnc1);
  }
  sequence.check = sum;
  return sequence;
}

std::string WidthString(const SymbolSequence& sequence) {
  const PatternRows& rows = PatternTableRows();
  std::string widths;
  widths.reserve(6 * (sequence.symbols.size() + 2) + 7);
  widths += rows[static_cast<std::size_t>(sequence.start)];
  for (std::int32_t value : sequence.symbols) widths += rows[static_cast<std::size_t>(value)];
  widths += rows[static_cast<std::size_t>(sequence.check)];
  widths += rows[kStopRow - 1];
  return widths;
}

}  // namespace sw::code128
