#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"

namespace {

TEST(TopoCommand, JsonAndPlain) {
  const std::vector<std::string> args = {"topo", "--rfl", "7.80", "--rst", "7.60", "--aflm", "0",
                                         "--rs1", "8.00", "--rs2", "7.90", "--rs3", "8.10",
                                         "--rs4", "7.70"};
  CliRun r = Calc(args);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Exzentr. gesamt: 0,47\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Exzentr. 270°: -0,33\n"), std::string::npos) << r.out;
  std::vector<std::string> json = args;
  json.push_back("--json");
  r = Calc(json);
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* expected :
       {"\"e1\": \"0,62\"", "\"e4\": \"-0,33\"", "\"axis1\": 90,",
        "\"labels\": [\"0°\", \"90°\", \"180°\", \"270°\"]", "\"epsMittel\": 0.47"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
  // Axis -99 counts as empty: the central values are not computed.
  std::vector<std::string> noAxis = json;
  noAxis[6] = "-99";
  r = Calc(noAxis);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"centralAstig\": null"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"e1\": \"\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"Nasal\""), std::string::npos) << r.out;
  // Measuring angle outside 15 to 35.
  std::vector<std::string> badAngle = args;
  badAngle.insert(badAngle.end(), {"--mw", "40"});
  r = Calc(badAngle);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("[Messwinkel]"), std::string::npos) << r.err;
}

}  // namespace
