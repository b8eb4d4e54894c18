// The one handle owner: what it releases, and when, as owners are moved, reset and handed over.
#include "base/handle_owner.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/case_table.h"

namespace sw {
namespace {

std::vector<int> released;  // every handle released, in order; 0 is "no handle"
void Record(int handle) { released.push_back(handle); }
using Owner = HandleOwner<int, Record>;

constexpr int kEnd = -1;  // marks in the log where a row's owners had all gone

struct Case {
  const char* reason;
  void (*run)();
  std::vector<int> expected;
};

const Case kCases[] = {
    {"a moved-from owner releases nothing; the one it moved to releases once",
     [] {
       Owner from(1);
       Owner to(std::move(from));
     },
     {1}},
    {"move assignment releases the handle it replaces, and the moved-from owner nothing",
     [] {
       Owner from(1);
       Owner to(2);
       to = std::move(from);
       released.push_back(kEnd);
     },
     {2, kEnd, 1}},
    {"an owner moved into itself keeps its handle",
     [] {
       Owner owner(1);
       Owner& same = owner;
       owner = std::move(same);
       released.push_back(kEnd);
     },
     {kEnd, 1}},
    {"reset with the handle already held releases nothing then, and that handle once at the end",
     [] {
       Owner owner(1);
       owner.reset(1);
       released.push_back(kEnd);
     },
     {kEnd, 1}},
    {"reset to nothing releases now and never again",
     [] {
       Owner owner(1);
       owner.reset();
       released.push_back(kEnd);
     },
     {1, kEnd}},
    {"a handle handed over with release() is not released",
     [] {
       Owner owner(1);
       (void)owner.release();
     },
     {}},
};

TEST(HandleOwner, ReleasesEachHandleOnce) {
  testing::ForEachRow(kCases, [](const Case& row) {
    released.clear();
    row.run();
    EXPECT_EQ(released, row.expected);
  });
}

}  // namespace
}  // namespace sw
