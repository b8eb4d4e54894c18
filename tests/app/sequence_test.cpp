// The numbered run: widths kept, carries, steps, and GS1 keys with their check digits recomputed.
#include "app/sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_table.h"

namespace sw::app {
namespace {

TEST(Sequence, TheLastRunOfDigitsCounts) {
  struct Case {
    std::string first;
    std::int32_t count, step;
    bool gs1;
    std::vector<std::string> run;  // empty: refused
    const char* reason;
  };
  const Case cases[] = {
      /* 0*/ {"SKU0098", 4, 1, false, {"SKU0098", "SKU0099", "SKU0100", "SKU0101"}, "width kept, carries"},
      /* 1*/ {"A99", 2, 1, false, {"A99", "A100"}, "a number that outgrows its width widens"},
      /* 2*/ {"B12-7X", 3, 5, false, {"B12-7X", "B12-12X", "B12-17X"}, "the last run, by the step"},
      /* 3*/
      {"0000000000000000000999",
       2,
       1,
       false,
       {"0000000000000000000999", "0000000000000000001000"},
       "longer than any machine integer"},
      /* 4*/ {"ABC", 1, 1, false, {"ABC"}, "one barcode needs no digits"},
      /* 5*/ {"ABC", 2, 1, false, {}, "no digits to count"},
      /* 6*/
      {"(01)09501101530003",
       3,
       1,
       true,
       {"(01)09501101530003", "(01)09501101530010", "(01)09501101530027"},
       "GTIN check digits"},
      /* 7*/
      {"(00)106141411234567897",
       2,
       1000,
       true,
       {"(00)106141411234567897", "(00)106141411234577896"},
       "SSCC check digits"},
      /* 8*/ {"(01)99999999999999", 2, 1, true, {}, "a GTIN has fourteen digits, never fifteen"},
      /* 9*/
      {"(01)09501101530003(21)A9",
       2,
       1,
       true,
       {"(01)09501101530003(21)A9", "(01)09501101530003(21)A10"},
       "the last element's serial"},
      /*10*/ {"(01)09501101530003(21)AB", 2, 1, true, {}, "no digits in the last element"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    const SequenceResult run = SequenceOf(c.first, c.count, c.step, c.gs1);
    ASSERT_EQ(run.ok(), !c.run.empty());
    if (run.ok()) {
      EXPECT_EQ(run.value(), c.run);
    }
  });
}

}  // namespace
}  // namespace sw::app
