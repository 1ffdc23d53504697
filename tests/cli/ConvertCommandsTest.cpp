#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"

namespace {

TEST(HsaCommand, PlainAndJson) {
  CliRun r = Calc({"hsa", "--sph", "-5", "--cyl", "-1", "--axis", "180", "--hsa", "12"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Auf HSA0 umgerechnete Werte:\nSph.: -4,72\nZyl.: -0,88\nAchse: 180\nHSA: 0\n");
  r = Calc({"hsa", "--sph", "-2", "--cyl", "1", "--axis", "90", "--hsa", "12", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"sph0\": -0.988"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"axis0\": 0\n"), std::string::npos) << r.out;
  // No cylinder: no axis needed, and it shows 0.
  r = Calc({"hsa", "--sph", "3", "--hsa", "12"}, '.');
  EXPECT_EQ(r.out, "Auf HSA0 umgerechnete Werte:\nSph.: 3.11\nZyl.: 0.00\nHSA: 0\n");
}

TEST(HsaCommand, InputErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"hsa", "--sph", "-5", "--hsa", "30"},
       "Der angegebene Wert für [HSA] ist außerhalb des zulässigen Bereichs von 5,00 bis 25,00"},
      {{"hsa", "--sph", "-5", "--hsa", "0"}, "[HSA]"},
      {{"hsa", "--sph", "-5", "--cyl", "15", "--axis", "0", "--hsa", "12"},
       "[Zyl.] ist außerhalb des zulässigen Bereichs von -12,00 bis 12,00"},
      {{"hsa", "--sph", "-5", "--cyl", "0.25", "--hsa", "12"}, "Fehlende Angabe für [Achse]"},
      {{"hsa", "--sph", "-5", "--axis", "90", "--hsa", "12"}, "--axis"},
      {{"hsa", "--hsa", "12"}, "Fehlende Angabe für [Sph.]"},
  };
  for (const Case& c : cases) {
    const CliRun r = Calc(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST(QCommand, BothDirectionsWithoutRangeMessage) {
  struct Case {
    std::vector<std::string> args;
    const char* out;
  };
  const Case cases[] = {
      {{"q", "--q", "-0.25"}, "Mittlere Exzentrizität: 0,50\n"},
      {{"q", "--q", "0,25"}, "Mittlere Exzentrizität: 0,50\n"},
      {{"q", "--q", "40"}, "Mittlere Exzentrizität: 6,32\n"},
      {{"q", "--ecc", "-0.5"}, "Q-Wert: -0,25\n"},
      {{"q", "--ecc", "0.5", "--json"}, "{\n  \"q\": -0.25\n}\n"},
      {{"q", "--q", "-0.25", "--json"}, "{\n  \"ecc\": 0.5\n}\n"},
  };
  for (const Case& c : cases) {
    const CliRun r = Calc(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"q", "--q", "-999"}, {"q"}, {"q", "--q", "1", "--ecc", "1"}, {"q", "--q", "x"}}) {
    const CliRun r = Calc(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
  }
}

}  // namespace
