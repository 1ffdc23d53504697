#include "pages/Topography.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace pages::topo;

TopoEye ExampleEye(double axis) {
  TopoEye e;
  e.rfl = 7.80;
  e.aflm = axis;
  e.rst = 7.60;
  e.rs = {8.00, 7.90, 8.10, 7.70};
  e.mw = 30;
  return e;
}

TEST(TopographyPage, CompleteEye) {
  TCornea cornea;
  const TopoEyeResult r = UpdateEye(cornea, ExampleEye(0), ',');
  ASSERT_TRUE(r.central);
  EXPECT_EQ(r.central->axis1, "90");
  EXPECT_EQ(r.central->toriCentr, "0,20");
  EXPECT_EQ(r.central->hhAstigCentr, "-1,27");
  EXPECT_EQ(r.central->labels, (std::array<std::string, 4>{"0°", "90°", "180°", "270°"}));
  EXPECT_EQ(r.toriPeri, "0,65");
  EXPECT_EQ(r.eccentricities, (std::array<std::string, 4>{"0,62", "0,32", "0,68", "-0,33"}));
  EXPECT_EQ(r.em, "0,47");
  EXPECT_TRUE(r.showTransfer);
  EXPECT_EQ(cornea.R0fl(), 7.80);
  EXPECT_EQ(cornea.Rs4(), 7.70);
  EXPECT_EQ(cornea.MW(), 30);
}

TEST(TopographyPage, AxisNinetyGivesSameEccentricities) {
  TCornea cornea;
  const TopoEyeResult r = UpdateEye(cornea, ExampleEye(90), ',');
  EXPECT_EQ(r.eccentricities, (std::array<std::string, 4>{"0,62", "0,32", "0,68", "-0,33"}));
  ASSERT_TRUE(r.central);
  EXPECT_EQ(r.central->labels, (std::array<std::string, 4>{"90°", "180°", "270°", "360°"}));
  EXPECT_EQ(r.central->axis1, "180");
}

TEST(TopographyPage, OnlyCentralRadii) {
  TCornea cornea;
  TopoEye e = ExampleEye(0);
  e.rs = {kNoValue, kNoValue, kNoValue, kNoValue};
  const TopoEyeResult r = UpdateEye(cornea, e, ',');
  ASSERT_TRUE(r.central);
  EXPECT_EQ(r.central->toriCentr, "0,20");
  EXPECT_FALSE(r.toriPeri);
  EXPECT_FALSE(r.em);
  EXPECT_FALSE(r.showTransfer);
  for (const auto& text : r.eccentricities) EXPECT_EQ(text, "");
}

TEST(TopographyPage, AxisMinus99CountsAsEmpty) {
  TCornea cornea;
  cornea.SetR0fl(7.5);
  const TopoEyeResult r = UpdateEye(cornea, ExampleEye(kNoValue), ',');
  EXPECT_FALSE(r.central);
  EXPECT_EQ(cornea.R0fl(), 7.5);  // the central group keeps what it had
  EXPECT_TRUE(r.toriPeri);
  EXPECT_FALSE(r.em);
  for (const auto& text : r.eccentricities) EXPECT_EQ(text, "");
}

TEST(TopographyPage, SetLabelsWrapsAbove360) {
  struct Case {
    int axis;
    std::array<std::string, 4> labels;
  };
  const Case cases[] = {
      {0, {"0°", "90°", "180°", "270°"}},   {90, {"90°", "180°", "270°", "360°"}},
      {180, {"180°", "270°", "360°", "90°"}}, {135, {"135°", "225°", "315°", "45°"}},
      {-10, {"-10°", "80°", "170°", "260°"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SetLabels(c.axis), c.labels) << c.axis;
  // The page passes the axis truncated toward zero; 120 shows 210 as the steep axis.
  TCornea cornea;
  const auto central = SetR0Values(cornea, ExampleEye(120), '.');
  ASSERT_TRUE(central);
  EXPECT_EQ(central->axis1, "210");
}

TEST(TopographyPage, MeridianClassesAndBoundaries) {
  struct Case {
    double axis;
    bool horizontal;
  };
  const Case cases[] = {{0, true},   {45, true},   {46, false}, {135, false},
                        {136, true}, {180, true},  {-1, false}, {kNoValue, false}};
  for (const Case& c : cases) EXPECT_EQ(IsHorizontal(c.axis), c.horizontal) << c.axis;
  // Axis 135 is vertical for the class but takes the flat radius as horizontal radius.
  EXPECT_EQ(CalculateExz(7.8, 7.6, 8.0, 135, 30, false, '.'),
            CalculateExz(7.8, 7.6, 8.0, 0, 30, false, '.'));
  EXPECT_NE(CalculateExz(7.8, 7.6, 8.0, 134, 30, false, '.'),
            CalculateExz(7.8, 7.6, 8.0, 135, 30, false, '.'));
}

TEST(TopographyPage, EccentricityThatCannotBeComputedIsEmpty) {
  EXPECT_EQ(CalculateExz(7.8, 7.6, 8.0, 0, kNoValue, true, ','), "");
  // Corrected sagittal radius exactly 0.
  EXPECT_EQ(CalculateExz(7.8, 7.6, -(7.8 - 7.6), 0, 30, true, ','), "");
  EXPECT_EQ(CalculateExz(7.8, 7.6, 8.0, 0, 0, true, ','), "");    // sine of 0
  EXPECT_EQ(CalculateExz(7.8, 7.6, 8.0, 0, 30, true, ','), "0,62");
}

TEST(TopographyPage, MeanEccentricityNeedsBothGroups) {
  TCornea cornea;
  UpdateEye(cornea, ExampleEye(0), ',');
  EXPECT_EQ(SetAvgExz(cornea, true, true, ','), "0,47");
  EXPECT_FALSE(SetAvgExz(cornea, true, false, ','));
  EXPECT_FALSE(SetAvgExz(cornea, false, true, ','));
}

}  // namespace
