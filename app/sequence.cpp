#include "app/sequence.h"

#include <cstddef>

namespace sw::app {
namespace {

constexpr std::size_t kSsccDigits = 18;  // (00): extension, company prefix, serial reference, check digit
constexpr std::size_t kGtinDigits = 14;  // (01): indicator, company prefix, item reference, check digit

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `digits` plus `add`, as wide as before or wider where the sum carries out of it.
std::string AddDecimal(std::string digits, std::uint64_t add) {
  for (std::size_t i = digits.size(); i-- > 0 && add > 0;) {
    const std::uint64_t sum = static_cast<std::uint64_t>(digits[i] - '0') + add % 10;
    digits[i] = static_cast<char>('0' + sum % 10);
    add = add / 10 + sum / 10;
  }
  while (add > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + add % 10));
    add /= 10;
  }
  return digits;
}

// A lone "(00)" or "(01)" element of its full length: its digits before the check digit.
std::string_view FixedLengthKey(std::string_view content) {
  for (const auto& [ai, length] : {std::pair{"(00)", kSsccDigits}, std::pair{"(01)", kGtinDigits}}) {
    const std::string_view data = content.substr(std::min<std::size_t>(4, content.size()));
    if (content.starts_with(ai) && data.size() == length &&
        data.find_first_not_of("0123456789") == std::string_view::npos) {
      return data.substr(0, length - 1);
    }
  }
  return {};
}

}  // namespace

char Gs1CheckDigit(std::string_view digits) {
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    sum += (digits[digits.size() - 1 - i] - '0') * (i % 2 == 0 ? 3 : 1);
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

SequenceResult SequenceOf(std::string_view first, std::int32_t count, std::int32_t step, bool gs1) {
  std::vector<std::string> run;
  if (count <= 1) {
    run.emplace_back(first);
    return run;
  }
  const std::uint64_t by = step > 0 ? static_cast<std::uint64_t>(step) : 1;
  if (gs1) {
    const std::string_view key = FixedLengthKey(first);
    if (!key.empty()) {
      const std::string prefix(first.substr(0, 4));
      for (std::int32_t i = 0; i < count; ++i) {
        const std::string digits = AddDecimal(std::string(key), by * static_cast<std::uint64_t>(i));
        if (digits.size() != key.size()) {
          return Failure<SequenceError>{SequenceError::kOutOfRange, "the key outgrows its fixed length"};
        }
        run.push_back(prefix + digits + Gs1CheckDigit(digits));
      }
      return run;
    }
  }
  // The last run of digits; in GS1 element strings only the last element's data is searched.
  const std::size_t floor = gs1 && first.rfind(')') != std::string_view::npos ? first.rfind(')') + 1 : 0;
  std::size_t end = first.size();
  while (end > floor && !IsDigit(first[end - 1])) --end;
  std::size_t begin = end;
  while (begin > floor && IsDigit(first[begin - 1])) --begin;
  if (begin == end) return Failure<SequenceError>{SequenceError::kNoDigits, "no digits to count"};
  const std::string head(first.substr(0, begin));
  const std::string number(first.substr(begin, end - begin));
  const std::string tail(first.substr(end));
  run.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    run.push_back(head + AddDecimal(number, by * static_cast<std::uint64_t>(i)) + tail);
  }
  return run;
}

}  // namespace sw::app
