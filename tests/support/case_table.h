// Walking a table of cases: every row runs with "row <n>: <reason>" on any failure inside it, and one row
// can be run alone by setting SW_ROW, to its number (as in the row's index comment, counted from 0) or to
// a piece of its reason:
//   SW_ROW=7 build/native/tests/ui/picture/ui_picture_test --gtest_filter=RecognisePicture.*
//   SW_ROW="a destroyed window" ctest --test-dir build/win64 -R shadow_window_win_test --output-on-failure
// Under SW_ROW a table none of whose rows match is skipped (the test says so), and a run in which no
// table row ran at all fails: a filter that picks nothing never passes quietly.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

namespace sw::testing {

// SW_ROW's value, or empty when it is unset.
inline std::string_view RowFilter() {
  const char* value = std::getenv("SW_ROW");
  return value == nullptr ? std::string_view() : std::string_view(value);
}

inline bool RowSelected(std::string_view filter, std::size_t index, std::string_view reason) {
  if (filter.empty()) return true;
  if (filter.find_first_not_of("0123456789") == std::string_view::npos)
    return filter == std::to_string(index);
  return reason.find(filter) != std::string_view::npos;
}

// Rows run under SW_ROW in this process; the check below fails the run when none did.
inline std::size_t g_selected_rows = 0;

class RowFilterCheck : public ::testing::Environment {
 public:
  void TearDown() override {
    if (!RowFilter().empty() && g_selected_rows == 0) {
      ADD_FAILURE() << "SW_ROW=" << RowFilter() << " matched no row of any table in this run";
    }
  }
};

inline ::testing::Environment* const g_row_filter_check =
    ::testing::AddGlobalTestEnvironment(new RowFilterCheck);  // gtest owns it

// A row's reason, or nothing for the few tables whose rows are told apart by what they expect.
template <typename Row>
std::string_view ReasonOf(const Row& row) {
  if constexpr (requires { row.reason; }) {
    return row.reason;
  } else {
    return {};
  }
}

// Calls check(row), or check(row, index) where the check needs the row's number, for every row of rows
// that SW_ROW selects.
template <typename Table, typename Check>
void ForEachRow(const Table& rows, Check&& check) {
  const std::string_view filter = RowFilter();
  std::size_t index = 0, selected = 0;
  for (const auto& row : rows) {
    const std::string_view reason = ReasonOf(row);
    if (RowSelected(filter, index, reason)) {
      ++selected;
      SCOPED_TRACE("row " + std::to_string(index) + (reason.empty() ? "" : ": ") + std::string(reason));

      if constexpr (std::is_invocable_v<Check&, decltype(row), std::size_t>) {
        check(row, index);
      } else {
        check(row);
      }
    }
    ++index;
  }
  g_selected_rows += selected;
  if (selected == 0 && !filter.empty()) {
    GTEST_SKIP() << "SW_ROW=" << filter << " matches none of this table's " << index << " rows";
  }
}

}  // namespace sw::testing
