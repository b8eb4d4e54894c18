// The byte reader's bounds: offset + count is never computed where it could wrap, so a huge offset or count
// from a lying header is refused instead of passing as a small one. The picture and description readers
// never ask for such values, so only these rows reach the wrapping cases.
#include "base/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "tests/support/case_table.h"

namespace sw {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(ByteReader, ReadsOnlyInsideTheBytes) {
  struct Row {
    std::uint64_t offset;
    std::uint64_t count;
    bool fits;  // in the 10 bytes below
    const char* reason;
  };
  const Row rows[] = {
      /* 0*/ {0, 10, true, "all of the bytes"},
      /* 1*/ {10, 0, true, "nothing, at the end"},
      /* 2*/ {6, 4, true, "a 32-bit field that ends at the end"},
      /* 3*/ {7, 4, false, "a 32-bit field one byte past the end"},
      /* 4*/ {11, 0, false, "nothing, past the end"},
      /* 5*/ {kMax - 1, 4, false, "offset + count wraps to 2"},
      /* 6*/ {4, kMax - 1, false, "count + offset wraps to 2"},
      /* 7*/ {kMax, kMax, false, "both at the largest value"},
  };
  const std::array<std::uint8_t, 10> bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  testing::ForEachRow(rows, [&](const Row& row) {
    EXPECT_EQ(FitsIn(bytes.size(), row.offset, row.count), row.fits);
    ByteReader at(bytes);
    EXPECT_EQ(at.BytesAt(row.offset, row.count).size(), row.fits ? row.count : 0);
    EXPECT_EQ(at.failed(), !row.fits);
    ByteReader cursor(bytes);
    EXPECT_EQ(cursor.Skip(row.offset) && cursor.Take(row.count).size() == row.count, row.fits);
    // After a refused read every later one gives 0, though the byte under the cursor is not 0.
    if (!row.fits) {
      EXPECT_EQ(cursor.U8(), 0);
    }
  });
}

}  // namespace
}  // namespace sw
