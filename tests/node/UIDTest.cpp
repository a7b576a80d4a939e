#include "Vis/UID.h"

#include <gtest/gtest.h>

namespace {

struct IntegerFormCase {
  std::string text;
  uint64_t expected;
};

void PrintTo(const IntegerFormCase& integerCase, std::ostream* out) {
  *out << '"' << integerCase.text << '"';
}

class UIDIntegerFormTest : public testing::TestWithParam<IntegerFormCase> {};

TEST_P(UIDIntegerFormTest, ToIntReadsOnlyPlainDecimals) {
  EXPECT_EQ(Vis::UID(GetParam().text).ToInt(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(NodeUID, UIDIntegerFormTest,
                         testing::Values(IntegerFormCase{"42", 42}, IntegerFormCase{"abc", 0},
                                         IntegerFormCase{"18446744073709551615", UINT64_MAX},
                                         IntegerFormCase{"18446744073709551616", 0},
                                         IntegerFormCase{"", 0}, IntegerFormCase{"-1", 0},
                                         IntegerFormCase{"+1", 0}, IntegerFormCase{" 1", 0},
                                         IntegerFormCase{"1 ", 0}, IntegerFormCase{"12ab", 0}));

TEST(NodeUIDTest, IntegerFormIsDecimalText) {
  EXPECT_EQ(Vis::UID(7).ToString(), "7");
  EXPECT_EQ(Vis::UID(UINT64_MAX).ToInt(), UINT64_MAX);
  EXPECT_EQ(Vis::UID(42), Vis::UID(std::string("42")));
  EXPECT_EQ(Vis::UID::defaultFrameId, Vis::UID(0));
}

}  // namespace
