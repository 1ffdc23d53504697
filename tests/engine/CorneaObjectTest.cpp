#include "engine/CorneaObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TCornea MakeCornea(double rfl, double rst, double rs1, double rs2, double rs3, double rs4,
                   double mw) {
  TCornea c;
  c.SetR0fl(rfl);
  c.SetR0st(rst);
  c.SetRS1(rs1);
  c.SetRS2(rs2);
  c.SetRS3(rs3);
  c.SetRS4(rs4);
  c.SetMW(mw);
  return c;
}

TEST(Cornea, NewInstanceIsZero) {
  TCornea c;
  EXPECT_EQ(c.CentralAstig(), 0.0);
  EXPECT_EQ(c.HHAstig(), 0.0);
  EXPECT_EQ(c.PeripherAstig(), 0.0);
  EXPECT_EQ(c.epsMittel(), 0.0);
  EXPECT_FALSE(c.Keratokonus());
}

TEST(Cornea, CentralValues) {
  TCornea c = MakeCornea(7.8, 7.6, 0, 0, 0, 0, 30);
  EXPECT_NEAR(c.CentralAstig(), 0.2, 1e-12);
  EXPECT_NEAR(c.HHAstig(), (1 / 7.8 - 1 / 7.6) * 376.0, 1e-12);
  EXPECT_NEAR(c.HHAstig(), -1.269, 0.0005);
  for (auto [rfl, rst] : {std::pair{0.0, 7.6}, {7.8, 0.0}, {kNaN, 7.6}, {kInf, -kInf}}) {
    c.SetR0fl(rfl);
    c.SetR0st(rst);
    EXPECT_EQ(c.HHAstig(), 0.0) << rfl << "/" << rst;
    EXPECT_TRUE(std::isfinite(c.CentralAstig()));
  }
}

TEST(Cornea, PeripheralAndMeanEccentricity) {
  const TCornea c = MakeCornea(7.8, 7.6, 8.0, 7.9, 8.1, 7.8, 30);
  EXPECT_NEAR(c.RSM(), 7.95, 1e-12);
  EXPECT_NEAR(c.epsMittel(), 0.498, 0.0005);
  EXPECT_NEAR(c.Rk1(), 8.2, 1e-12);
  EXPECT_NEAR(c.Rk2(), 7.7, 1e-12);
  EXPECT_NEAR(c.PeripherAstig(), 0.6, 1e-12);
}

TEST(Cornea, MissingRadiiFallBack) {
  // A raw sagittal radius <= 0 keeps its raw value, so the peripheral toricity is 0.
  TCornea c = MakeCornea(7.8, 7.6, 8.0, 0.0, 8.1, 7.8, 30);
  EXPECT_EQ(c.Rk2(), 0.0);
  EXPECT_EQ(c.PeripherAstig(), 0.0);
  // Without central radii the sagittal radii stay uncorrected.
  c = MakeCornea(0.0, 7.6, 8.0, 7.9, 8.1, 7.8, 30);
  EXPECT_EQ(c.Rk1(), 8.0);
  EXPECT_EQ(c.epsMittel(), 0.0);
  // Measuring angle 0 with a mean sagittal radius unlike the central mean: -1.
  c = MakeCornea(7.8, 7.6, 8.0, 7.9, 8.1, 7.8, 0);
  EXPECT_EQ(c.epsMittel(), -1.0);
  // Non-finite inputs never come back as NaN.
  for (double bad : {kNaN, kInf, -kInf}) {
    c = MakeCornea(7.8, 7.6, bad, 7.9, 8.1, 7.8, 30);
    EXPECT_TRUE(std::isfinite(c.PeripherAstig()));
    EXPECT_TRUE(std::isfinite(c.epsMittel()));
    EXPECT_TRUE(std::isfinite(c.RSM()));
    c = MakeCornea(7.8, 7.6, 8.0, 7.9, 8.1, 7.8, bad);
    EXPECT_TRUE(std::isfinite(c.epsMittel()));
  }
}

TEST(Cornea, GewRadiusBandsOnStoredDifference) {
  struct Case {
    double a, b, expected;
  };
  const Case cases[] = {
      {7.5, 7.9, (7.9 + 2 * 7.5) / 3},  // 7.633...
      {7.5, 7.7, 7.6},                  // diff 0.2: mean
      {7.5, 8.3, 7.7},                  // diff 0.8: 1:3
      {7.5, 7.8, 7.65},                 // stored diff just below 0.3: mean
      {7.6, 7.9, 7.7},                  // stored diff just above 0.3: 2:1
      {7.0, 7.7, 7.175},                // stored diff just above 0.7: 1:3
      {7.5, 8.2, (8.2 + 2 * 7.5) / 3},  // stored diff just below 0.7: 2:1
      {7.9, 7.5, (7.9 + 2 * 7.5) / 3},  // order does not matter
  };
  for (const Case& c : cases)
    EXPECT_NEAR(TCornea::GewRadius(c.a, c.b), c.expected, 1e-12) << c.a << ", " << c.b;
}

TEST(Cornea, Exzentricity) {
  struct Case {
    double r, s, ang, expected;
  };
  const Case cases[] = {
      {7.8, 8.0, 30, std::sqrt(1 - (7.8 / 8.0) * (7.8 / 8.0)) / 0.5},  // ~0.444
      {7.8, 7.7, 30, -std::sqrt((7.8 / 7.7) * (7.8 / 7.7) - 1) / 0.5},  // ~-0.323
      {7.8, 7.8, 30, 0.0},
      {7.8, 8.0, 0, -1.0},
      {7.8, 7.7, 0, -1.0},
      {7.8, 0.0, 30, 0.0},
      {-9.0, -8.0, 30, -1.0},  // negative radicand
      {kNaN, 8.0, 30, -1.0},
      {7.8, 8.0, kNaN, -1.0},
      {7.8, kInf, 30, 2.0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(TCornea::Exzentricity(c.r, c.s, c.ang), c.expected, 1e-9)
        << c.r << ", " << c.s << ", " << c.ang;
  EXPECT_NEAR(TCornea::Exzentricity(7.8, 8.0, 30), 0.444, 0.0005);
  EXPECT_NEAR(TCornea::Exzentricity(7.8, 7.7, 30), -0.323, 0.0005);
}

}  // namespace
