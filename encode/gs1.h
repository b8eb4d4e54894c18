// GS1-128: element strings typed with their application identifiers in parentheses, checked against the
// table of AIs, and the Code 128 symbol that carries them (FNC1 first, FNC1 after a field whose length
// is not predefined unless it is the last).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "encode/symbols.h"

namespace sw::gs1 {

// How a field's end is known: by the length the AI's first two digits predefine (no separator), by a
// fixed length that is not predefined (a separator still follows unless last), or by a separator.
enum class Length : std::uint8_t { kPredefined, kFixed, kVariable };
enum class Charset : std::uint8_t {
  kNumeric,         // digits only
  kCset82,          // the GS1 AI encodable character set 82
  kCountryThenX82,  // three digits (an ISO 3166 country code), then set 82
};
enum class Check : std::uint8_t { kNone, kMod10 };  // the last digit is the GS1 mod-10 check digit
enum class Date : std::uint8_t {
  kNone,
  kYymmdd,      // the first six digits a date
  kYymmd0,      // the same, day 00 allowed (only year and month known)
  kYymmddhhmm,  // date, hour and minute
};

struct AiRow {
  std::string_view ai;  // the digits; for a decimal AI the first three, the fourth being 0 to 5
  Length length;
  std::uint8_t min_length;
  std::uint8_t max_length;
  Charset charset;
  Check check;
  Date date;
  bool decimal;  // 310n and its kind: n is the number of decimal places
};

inline constexpr std::size_t kAiRowCount = 71;
const std::array<AiRow, kAiRowCount>& AiTable();

// The table's row for an AI as typed (two to four digits), or null.
const AiRow* FindAi(std::string_view ai);

enum class Gs1Error {
  kNotElementStrings,  // no AI in parentheses where one belongs
  kUnknownAi,
  kEmptyData,
  kWrongLength,
  kBadCharacter,
  kWrongCheckDigit,
  kBadDate,
};

struct Field {
  std::string ai;
  std::string data;
  const AiRow* row = nullptr;
};
using Fields = Result<std::vector<Field>, Gs1Error>;

// "(01)09501101530003(17)251231(10)AB12": every field checked; the first fault is the failure, its
// message (GBK) naming the AI and what is wrong.
Fields ParseElementStrings(std::string_view content);

// The mod-10 check digit GS1 computes over `digits` (all but the check digit itself).
int CheckDigitOf(std::string_view digits);

// The symbol of checked fields: Start, FNC1, then the fields, sets B and C as the segmentation chooses.
code128::SymbolSequence BuildSymbols(const std::vector<Field>& fields);

using Widths = Result<std::string, Gs1Error>;
// Parse and encode in one: the width string (as code128::WidthString), or the parse's failure.
Widths WidthsOf(std::string_view content);

}  // namespace sw::gs1
