#include "pages/Converters.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace pages::convert;

TEST(HsaConverter, Conversions) {
  TCalculationToric engine;
  struct Case {
    double sph, cyl, axis, hsa;
    const char *sph0, *cyl0, *axis0;
  };
  const Case cases[] = {
      {-5.00, -1.00, 180, 12, "-4,72", "-0,88", "180"},
      {-2.00, +1.00, 90, 12, "-0,99", "-0,96", "0"},
      {+3.00, 0.0, 0, 12, "3,11", "0,00", "0"},
  };
  for (const Case& c : cases) {
    const auto r = ConvertHSA(engine, c.sph, c.cyl, c.axis, c.hsa, ',');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->sphText, c.sph0);
    EXPECT_EQ(r->cylText, c.cyl0);
    EXPECT_EQ(r->axisText, c.axis0);
  }
  EXPECT_FALSE(ConvertHSA(engine, 100, 0, 0, 10, ','));
}

TEST(HsaConverter, CylinderFieldDecidesAxis) {
  struct Case {
    const char* text;
    bool becomesZero, axisNeeded;
  };
  const Case cases[] = {{"", true, false},       {"0.00", false, false}, {"0.25", false, true},
                        {"-0.25", false, true},  {"12.00", false, true}};
  for (const Case& c : cases) {
    const CylLeave r = CylinderLeft(c.text);
    EXPECT_EQ(r.newText.has_value(), c.becomesZero) << c.text;
    if (r.newText) {
      EXPECT_EQ(*r.newText, "0");
    }
    EXPECT_EQ(r.axisNeeded, c.axisNeeded) << c.text;
  }
  EXPECT_TRUE(HsaInputsComplete("3.00", "0", "", false, "12"));
  EXPECT_FALSE(HsaInputsComplete("3.00", "0.25", "", true, "12"));
  EXPECT_FALSE(HsaInputsComplete("", "0", "", false, "12"));
  // Unreadable texts would read as -1 (a real -1.00 D): not complete.
  EXPECT_FALSE(HsaInputsComplete("1,5,3", "0", "", false, "12"));
  EXPECT_FALSE(HsaInputsComplete("3.00", "0.25", "x", true, "12"));
  EXPECT_FALSE(HsaInputsComplete("3.00", "0", "", false, "1 2"));
}

TEST(QConverter, BothDirections) {
  EXPECT_NEAR(*QToEccentricity(-0.25), 0.5, 1e-15);
  EXPECT_NEAR(*QToEccentricity(0.25), 0.5, 1e-15);
  EXPECT_NEAR(*QToEccentricity(40), 6.3245553, 1e-7);  // outside the field's range: converted
  EXPECT_EQ(*QToEccentricity(0), 0.0);
  EXPECT_FALSE(QToEccentricity(kQNoValue));
  EXPECT_FALSE(QToEccentricity(-1000));
  EXPECT_NEAR(*EccentricityToQ(0.5), -0.25, 1e-15);
  EXPECT_NEAR(*EccentricityToQ(-0.5), -0.25, 1e-15);
  EXPECT_FALSE(EccentricityToQ(kQNoValue));
  EXPECT_FALSE(EccentricityToQ(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(EccentricityToQ(1e200));
}

}  // namespace
