#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"

namespace {


std::vector<std::string> FitArgs(std::vector<std::string> extra = {}) {
  std::vector<std::string> a{"fit",   "--rfl", "7.80",  "--rst", "7.60", "--aflm", "0",
                             "--ecc", "0.45",  "--hhd", "11.5",  "--sph", "-3.00", "--cyl",
                             "-1.00", "--axis", "180",  "--hsa", "12"};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

TEST(FitCommand, JsonProposal) {
  const CliRun r = Calc(FitArgs({"--json"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"type\": \"CLT_SPH\""), std::string::npos);
  EXPECT_NE(r.out.find("\"design\": \"CLD_QUON\""), std::string::npos);
  EXPECT_NE(r.out.find("\"r0fl\": 7.85,"), std::string::npos);
  EXPECT_NE(r.out.find("\"fv\": -2.5,"), std::string::npos);
  EXPECT_NE(r.out.find("\"axis0\": 180\n"), std::string::npos);
  EXPECT_EQ(r.err, "");
}

TEST(FitCommand, PlainOutputIsTheOrderTextWithTheLocaleSeparator) {
  const CliRun r = Calc(FitArgs({"--eye", "LA"}), ',');
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "LA:\nQUON \nMat=ZYQ\nR0=7,85\nF´=-2,50\nDg=9,6\nOhne Rückgabe\n");
}

TEST(FitCommand, ValuesAreRoundedAndSwappedAsOnThePage) {
  // 7,304 rounds to 7.30, typed as the flat radius below the steep 7.8: the page exchanges
  // them, so the flat meridian is horizontal (MAC, 7.85) rather than vertical (toric, 7.90).
  const CliRun r = Calc({"fit", "--rfl", "7,304", "--rst", "7.8", "--aflm", "0", "--ecc", "0.45", "--hhd",
                         "11.5", "--sph", "-3", "--cyl", "-1", "--axis", "180", "--hsa", "12", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"type\": \"CLT_MAC\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"r0fl\": 7.85,"), std::string::npos);
  EXPECT_NE(r.out.find("\"r0st\": 7.5,"), std::string::npos);
}

TEST(FitCommand, PrismAnswerAndSuitabilityCheck) {
  CliRun r = Calc({"fit", "--rfl", "7.80", "--rst", "7.60", "--aflm", "0", "--ecc", "0.45", "--hhd", "11.1",
                "--sph", "-3", "--cyl", "-2.25", "--axis", "180", "--hsa", "12", "--prism", "yes", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"prs\": 1.2,"), std::string::npos);
  EXPECT_NE(r.out.find("\"askedPrism\": true"), std::string::npos);
  EXPECT_NE(r.out.find("\"typeText\": \"QUON (VP-Classic)\""), std::string::npos);

  r = Calc(FitArgs({"--ecc", "0.65"}));
  EXPECT_EQ(r.status, 2);  // given twice
  std::vector<std::string> a = FitArgs();
  a[8] = "0.65";
  r = Calc(a);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Anpassung einer QUON nicht sinnvoll"), std::string::npos);
  a.push_back("--skip-check");
  r = Calc(a);
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST(FitCommand, InputErrorsExitWithStatusTwo) {
  struct {
    const char* option;
    const char* value;
    const char* message;
  } cases[] = {
      {"--rfl", "4.99", "Der angegebene Wert für [Radius flach] ist außerhalb des zulässigen Bereichs von 5,00 bis 20,00"},
      {"--hsa", "30", "Der angegebene Wert für [HSA] ist außerhalb des zulässigen Bereichs von 5,00 bis 25,00"},
      {"--axis", "-1", "[Achse HH] ist außerhalb des zulässigen Bereichs von -0,10 bis 180,00"},
      {"--sph", "abc", "[Sph.]"},
      {"--ecc", "1e9", "[Exzentrizität] ist außerhalb"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> a = FitArgs();
    for (size_t i = 0; i + 1 < a.size(); ++i)
      if (a[i] == c.option) a[i + 1] = c.value;
    const CliRun r = Calc(a, ',');
    EXPECT_EQ(r.status, 2) << c.option;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  CliRun r = Calc({"fit", "--rfl", "7.8"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("[Radius steil]"), std::string::npos) << r.err;
  r = Calc(FitArgs({"--bogus"}));
  EXPECT_EQ(r.status, 2);
  r = Calc(FitArgs({"--prism", "vielleicht"}));
  EXPECT_EQ(r.status, 2);
  r = Calc({});
  EXPECT_EQ(r.status, 2);
  r = Calc({"nonsense"});
  EXPECT_EQ(r.status, 2);
}

}  // namespace
