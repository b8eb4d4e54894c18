#include "encode/segments.h"

namespace sw::code128 {
namespace {

std::string Marked(char marker, std::string_view content) {
  std::string segment;
  segment.reserve(content.size() + 1);
  segment += marker;
  segment += content;
  return segment;
}

// A text ending in two or more digits must not leave set C with half a pair: the odd digit moves out.
void BalanceLastSegment(std::vector<std::string>& list) {
  std::string& last = list.back();
  if ((last.size() - 1) % 2 == 0) return;
  if (list.size() > 1) {
    list[list.size() - 2] += last[1];
    last = Marked(kSetCMarker, std::string_view(last).substr(2));
  } else {
    const char odd = last.back();
    last.pop_back();
    list.push_back(Marked(kSetBMarker, std::string_view(&odd, 1)));
  }
}

}  // namespace

Segments SplitIntoSegments(std::string_view text) {
  Segments result;
  std::string current;
  std::size_t run = 0;  // digits at the end of `current`
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!IsDigit(c)) {
      result.has_non_digit = true;
      if (run >= 4) {  // `current` holds exactly this run
        if (run % 2 == 0) {
          result.list.push_back(Marked(kSetCMarker, current));
          current.clear();
        } else {
          result.list.push_back(Marked(kSetCMarker, std::string_view(current).substr(0, run - 1)));
          current.erase(0, run - 1);
        }
      }
      run = 0;
    } else {
      if (run == 0 && !current.empty()) {
        result.list.push_back(Marked(kSetBMarker, current));
        current.clear();
      }
      ++run;
    }
    current += c;
    if (i + 1 == text.size()) result.list.push_back(Marked(run > 4 ? kSetCMarker : kSetBMarker, current));
  }
  if (run > 1) BalanceLastSegment(result.list);
  return result;
}

}  // namespace sw::code128
