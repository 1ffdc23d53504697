#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"

namespace {

// Spherical trial lens, over-refraction -0.50, final lens 7.80 / 7.40.
std::vector<std::string> BtcArgs() {
  return {"refit",       "--trial-type", "SPH",   "--trial-mat", "Boston-EQ-UV",
          "--trial-rfl", "7.80",         "--trial-fl", "-3.00",   "--sph",
          "-0.50",       "--hsa",        "12",    "--final-rfl", "7.80",
          "--final-rst", "7.40",         "--final-mat", "Boston-EQ-UV", "--dg", "9.6"};
}

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::vector<std::string> Replaced(std::vector<std::string> args, const std::string& option,
                                  const std::string& value) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == option) args[i + 1] = value;
  return args;
}

TEST(RefitCommand, JsonOfCompensatedBitoric) {
  const CliRun r = Calc(With(BtcArgs(), {"--json"}));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* expected :
       {"\"result\": 1,", "\"type\": \"sBTC\",", "\"typeCode\": \"QUON-BTC \",",
        "\"Dptfl\": -3.5,", "\"Dptst\": -5.75,", "\"DptflUncorr\": -3.497,",
        "\"DptstUncorr\": -5.825,", "\"btxAsked\": false,",
        "\"geometryLine\": \"R0 fl. 7,80 / R0 st. 7,40   dg 9,6\",",
        "\"orderText\": \"RA:\\nQUON-BTC \\nBoston-EQ-UV\\nR0 fl. 7,80 / R0 st. 7,40   dg "
        "9,6\\nF´ fl. -3,50dpt / F´ st. -5,75dpt\\nMit Rückgabe\""})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
}

TEST(RefitCommand, PlainOutputUsesSeparator) {
  const CliRun r = Calc(With(BtcArgs(), {"--without-return", "--eye", "LA"}), '.');
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("F´ fl. -3.50dpt / F´ st. -5.75dpt\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("LA:\nQUON-BTC \nBoston-EQ-UV\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Ohne Rückgabe\n"), std::string::npos) << r.out;
}

TEST(RefitCommand, ScriptedBtxAnswer) {
  const std::vector<std::string> base = {
      "refit", "--trial-type", "RT",   "--trial-mat", "ZYQ",  "--trial-rfl", "7.80",
      "--trial-rst", "7.40", "--trial-fl", "-3.00", "--sph", "-0.75", "--cyl", "-0.75",
      "--axis", "87", "--hsa", "12", "--final-rfl", "7.80", "--final-mat", "Boston-EQ-UV",
      "--json"};
  struct Case {
    std::vector<std::string> extra;
    const char* type;
  };
  const Case cases[] = {{{}, "sBTC"}, {{"--btx", "no"}, "sBTC"}, {{"--btx", "yes"}, "sBTX"}};
  for (const Case& c : cases) {
    const CliRun r = Calc(With(base, c.extra));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\"type\": \"") + c.type + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"btxAsked\": true"), std::string::npos);
  }
  // Without --final-rst the final steep radius is the trial steep radius, as prefilled.
  EXPECT_NE(Calc(With(base, {"--btx", "yes"})).out.find("R0 st. 7,40"), std::string::npos);
}

TEST(RefitCommand, InputErrorsExitWith2) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {"field hidden by SPH", With(BtcArgs(), {"--trial-rst", "7.40"}),
       "Der Messlinsentyp SPH hat kein Feld [Messlinse R0 steil]"},
      {"axis hidden by SPH", With(BtcArgs(), {"--trial-a", "10"}), "[Messlinse Achse]"},
      {"diameter out of range", Replaced(BtcArgs(), "--dg", "25"),
       "Der angegebene Wert für [Rezeptlinse Durchmesser] ist außerhalb des zulässigen Bereichs "
       "von 5,00 bis 20,00"},
      {"unreadable", Replaced(BtcArgs(), "--trial-rfl", "7,8x"),
       "[Messlinse R0 flach]"},
      {"unknown type", {"refit", "--trial-type", "XYZ"}, "Unbekannter Messlinsentyp"},
      {"unknown material",
       {"refit", "--trial-type", "SPH", "--trial-mat", "PMMA"}, "Unbekanntes Messlinsenmaterial"},
      {"ZYQ is no final material",
       {"refit", "--trial-type", "SPH", "--trial-mat", "ZYQ", "--final-mat", "ZYQ"},
       "Unbekanntes Material der Rezeptlinse"},
      {"missing power",
       {"refit", "--trial-type", "SPH", "--trial-mat", "ZYQ", "--final-mat", "Pa-HDS-UV",
        "--trial-rfl", "7.8"},
       "Fehlende Angabe für [Messlinse F´ flach]"},
      {"btx answer", With(BtcArgs(), {"--btx", "vielleicht"}), "--btx"},
  };
  for (const Case& c : cases) {
    const CliRun r = Calc(c.args);
    EXPECT_EQ(r.status, 2) << c.what;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.what;
  }
}

TEST(RefitCommand, PageChecksAndFailuresExitWith3) {
  const std::vector<std::string> bt = {"refit", "--trial-type", "BT", "--trial-mat", "ZYQ",
                                       "--trial-fl", "-3.00", "--sph", "-0.50", "--hsa", "12",
                                       "--final-rfl", "7.80", "--final-mat", "Boston-EQ-UV"};
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {With(bt, {"--trial-rfl", "7.60", "--trial-rst", "7.80", "--trial-st", "-5"}), "Rfl < Rst"},
      {With(bt, {"--trial-rfl", "7.80", "--trial-rst", "7.60", "--trial-st", "-5"}),
       "Rfl-Rst <0.2mm"},
      {With(bt, {"--trial-rfl", "7.80", "--trial-rst", "7.40", "--trial-st", "-2.5"}),
       "BT: dptfl<dptst"},
  };
  for (const Case& c : cases) {
    const CliRun r = Calc(c.args);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, std::string(c.message) + "\n");
    EXPECT_TRUE(r.out.empty());
  }
}

}  // namespace
