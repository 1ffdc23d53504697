#include "controls/OrvekValue.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ExitCase {
  const char* typed;
  double step;
  int digits;
  const char* text;  // text after leaving
  double value;
};

void PrintTo(const ExitCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class FormatOnExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(FormatOnExitTest, RoundsToStepAndWritesPointNotation) {
  const auto& c = GetParam();
  const auto r = orvek::FormatOnExit(c.typed, c.step, c.digits);
  ASSERT_EQ(r.status, orvek::ExitResult::Status::Formatted) << c.typed;
  EXPECT_EQ(r.text, c.text) << c.typed;
  EXPECT_DOUBLE_EQ(r.value, c.value) << c.typed;
  EXPECT_DOUBLE_EQ(orvek::ReadValue(r.text, c.step, -99), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FormatOnExitTest,
    ::testing::Values(ExitCase{"1,13", 0.25, 2, "1.25", 1.25}, ExitCase{"-1,13", 0.25, 2, "-1.25", -1.25},
                      ExitCase{"-1.125", 0.25, 2, "-1.00", -1.0}, ExitCase{"0", 0.25, 2, "0.00", 0.0},
                      ExitCase{"12.6", 1, 0, "13", 13}, ExitCase{"12,4", 1, 0, "12", 12},
                      ExitCase{"7,835", 0.01, 2, "7.84", 7.84}, ExitCase{" 7 , 8 ", 0.01, 2, "7.80", 7.8},
                      ExitCase{"0.65", 0.01, 2, "0.65", 0.65}, ExitCase{"-0,001", 0.01, 2, "0.00", 0.0},
                      ExitCase{"1e1", 0.1, 1, "10.0", 10.0}, ExitCase{"+9.25", 0.1, 1, "9.3", 9.3},
                      ExitCase{"7.875", 0.05, 2, "7.90", 7.9},
                      // typed halves go up as written, whatever their binary representation
                      ExitCase{"1.005", 0.01, 2, "1.01", 1.01}, ExitCase{"1,005", 0.01, 2, "1.01", 1.01},
                      ExitCase{"4.995", 0.01, 2, "5.00", 5.0}, ExitCase{"-1.005", 0.01, 2, "-1.00", -1.0},
                      ExitCase{"9.45", 0.1, 1, "9.5", 9.5}, ExitCase{"0.45e1", 1, 0, "5", 5},
                      ExitCase{"-0.004", 0.01, 2, "0.00", 0.0}, ExitCase{"007.8", 0.01, 2, "7.80", 7.8}));

TEST(OrvekValue, UnreadableTextsStayAsTypedAndReadAsDefault) {
  for (const char* t : {"1.2.3", "+-", "7-", "1,5,3", "abc", ".", "-", "1e", "inf", "nan", "0x10"}) {
    const auto r = orvek::FormatOnExit(t, 0.01, 2);
    EXPECT_EQ(r.status, orvek::ExitResult::Status::Unreadable) << t;
    EXPECT_EQ(r.text, t);
    EXPECT_EQ(orvek::ReadValue(t, 0.01, -99), -99) << t;
  }
}

TEST(OrvekValue, EmptyTextIsNotFormatted) {
  EXPECT_EQ(orvek::FormatOnExit("", 0.01, 2).status, orvek::ExitResult::Status::Empty);
  EXPECT_EQ(orvek::FormatOnExit("   ", 0.01, 2).status, orvek::ExitResult::Status::Empty);
  EXPECT_EQ(orvek::ReadValue("", 0.01, -99), -99);
}

TEST(OrvekValue, ReadBackKeepsInnerBlanksUnreadable) {
  EXPECT_EQ(orvek::ReadValue("7 .8", 0.01, -99), -99);
  EXPECT_DOUBLE_EQ(orvek::ReadValue("  7.8", 0.01, -99), 7.8);  // leading blanks are skipped
}

TEST(OrvekValue, TooManyStepsIsReported) {
  EXPECT_EQ(orvek::FormatOnExit("30000000", 0.01, 2).status, orvek::ExitResult::Status::TooLarge);
  EXPECT_FALSE(orvek::RoundToStep(1e300, 1).has_value());
  EXPECT_FALSE(orvek::RoundToStep(NAN, 1).has_value());
}

TEST(OrvekValue, ZeroStepCountsAsOne) { EXPECT_EQ(*orvek::RoundToStep(2.6, 0), 3.0); }

TEST(OrvekValue, ForcedSignOnlyForPositiveValues) {
  EXPECT_EQ(orvek::FormatOnExit("1.5", 0.25, 2, true).text, "+1.50");
  EXPECT_EQ(orvek::FormatOnExit("0", 0.25, 2, true).text, "0.00");
  EXPECT_EQ(orvek::FormatOnExit("-1", 0.25, 2, true).text, "-1.00");
}

TEST(OrvekValue, FormatFixedRoundsDecimalHalvesAwayFromZero) {
  EXPECT_EQ(orvek::FormatFixed(0.125, 2, ','), "0,13");
  EXPECT_EQ(orvek::FormatFixed(-0.125, 2, ','), "-0,13");
  EXPECT_EQ(orvek::FormatFixed(2.5, 0), "3");
  EXPECT_EQ(orvek::FormatFixed(9.995, 2), "9.99");  // binary value lies below the half
  EXPECT_EQ(orvek::FormatFixed(99.996, 2), "100.00");
  EXPECT_EQ(orvek::FormatFixed(-0.0, 2), "0.00");
  EXPECT_EQ(orvek::FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(orvek::FormatFixed(-4.72, 2, ','), "-4,72");
}

TEST(OrvekValue, RangeBoundsBelongToTheRange) {
  EXPECT_FALSE(orvek::IsOutOfRange(5.0, 5, 20));
  EXPECT_FALSE(orvek::IsOutOfRange(20.0, 5, 20));
  EXPECT_TRUE(orvek::IsOutOfRange(4.99, 5, 20));
  EXPECT_TRUE(orvek::IsOutOfRange(20.01, 5, 20));
  EXPECT_TRUE(orvek::IsOutOfRange(NAN, 5, 20));
}

}  // namespace
