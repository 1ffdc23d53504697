#include "pages/FirstFit.h"

#include <gtest/gtest.h>

namespace {

using namespace firstfit;

EyeInput Eye(double rfl, double rst, double aflm, double exz, double hhdia, double sph, double cyl,
             double axis, double hsa) {
  return EyeInput{rfl, rst, aflm, exz, hhdia, sph, cyl, axis, hsa};
}

TEST(FirstFitRecords, FlatRadiusIsHorizontalOutsideTheObliqueBand) {
  struct {
    double axis;
    bool flatHorizontal;
  } cases[] = {{0, true}, {44, true}, {45, false}, {90, false}, {134, false}, {135, true}, {180, true}, {-30, true}};
  for (auto c : cases) {
    const TKiroCorneaData cornea = MakeCornea(Eye(7.8, 7.6, c.axis, 0.45, 11.5, -3, -1, 180, 12));
    EXPECT_EQ(cornea.Rh, c.flatHorizontal ? 7.8 : 7.6) << c.axis;
    EXPECT_EQ(cornea.Rv, c.flatHorizontal ? 7.6 : 7.8) << c.axis;
    EXPECT_EQ(cornea.Aflm, c.axis);
    EXPECT_EQ(cornea.KC, 0);
    EXPECT_EQ(cornea.dHX, -1);
    EXPECT_EQ(cornea.Z22, -1);
  }
}

TEST(FirstFitRecords, CompletenessAndAstigmatism) {
  EyeInput in = Eye(7.8, 7.6, 0, 0.45, 11.5, -3, -1, 180, 12);
  EXPECT_TRUE(Complete(in));
  in.hsa = kNotSet;
  EXPECT_TRUE(KeratometryComplete(in));
  EXPECT_FALSE(RefractionComplete(in));
  EXPECT_TRUE(RadiiNeedExchange(7.6, 7.8));
  EXPECT_FALSE(RadiiNeedExchange(7.8, 7.8));
  EXPECT_NEAR(*CornealAstigmatism(7.8, 7.6), -1.2686, 1e-4);
  EXPECT_FALSE(CornealAstigmatism(0, 7.6).has_value());
  // Close to a display half: the extended evaluation decides the second decimal.
  EXPECT_EQ(orvek::FormatFixed(*CornealAstigmatism(7.68, 7.05), 2), "-4.37");
  EXPECT_EQ(orvek::FormatFixed(*CornealAstigmatism(12.80, 7.52), 2), "-20.63");
}

TEST(FirstFitSuitability, BandEdges) {
  struct {
    double e;
    bool unsuitable;
  } cases[] = {{0.19, true}, {0.20, false}, {0.64, false}, {0.65, true}, {-1, true}, {1, true}};
  for (auto c : cases) EXPECT_EQ(EccentricityUnsuitable(c.e), c.unsuitable) << c.e;
}

TEST(FirstFitTypeText, DesignTypeAndPrismDiameter) {
  EXPECT_EQ(LensTypeText(CLD_QUON, CLT_SPH, false, 9.6), "QUON ");
  EXPECT_EQ(LensTypeText(CLD_QUON, CLT_SPH, true, 9.2), "QUON (VP-Classic)");
  EXPECT_EQ(LensTypeText(CLD_QUON, CLT_SPH, true, 9.4), "QUON (VP-Lenti)");
  EXPECT_EQ(LensTypeText(CLD_QUONF, CLT_BTC, true, 9.2), "QUON-F BTC");
  EXPECT_EQ(LensTypeText(CLD_QUON, CLT_MAC, false, 9.6), "QUON MAC");
  EXPECT_EQ(LensTypeText(CLD_QUON, CLT_RT, false, 9.6), "QUON RT");
  EXPECT_EQ(LensTypeText(CLD_NONE, CLT_SPH, false, 9.6), "? ");
  EXPECT_EQ(DefaultPrism(9.2), 1.2);
  EXPECT_EQ(DefaultPrism(9.4), 1.4);
  EXPECT_EQ(DefaultPrism(9.6), 1.4);
}

TEST(FirstFitTypeText, PrismOrDiameterChangeInTheResultBox) {
  std::string t = "QUON (VP-Classic)";
  t = UpdateTypeTextForPrism(t, 1.2, 9.6, true);
  EXPECT_EQ(t, "QUON (VP-Lenti)");
  t = UpdateTypeTextForPrism(t, 1.2, 9.4, true);
  EXPECT_EQ(t, "QUON (VP-Lenti)");
  t = UpdateTypeTextForPrism(t, 1.2, 9.3, true);
  EXPECT_EQ(t, "QUON (VP-Classic)");
  t = UpdateTypeTextForPrism(t, 1.2, kNotSet, true);  // emptied diameter reads as -99
  EXPECT_EQ(t, "QUON (VP-Classic)");
  EXPECT_EQ(UpdateTypeTextForPrism("QUON-F BTC", 1.2, 9.2, true), "QUON-F BTC");
  EXPECT_EQ(UpdateTypeTextForPrism("QUON ", 1.2, 9.2, false), "QUON ");  // prism field hidden
}

struct ProposeFixture : ::testing::Test {
  TKiroCalculate engine;
  EyeState state;
  int questions = 0;
  double askedWith = 0;
  bool answer = false;
  PrismAnswer Ask() {
    return [this](double c) {
      ++questions;
      askedWith = c;
      return answer;
    };
  }
};

TEST_F(ProposeFixture, SphericalProposalFillsTheResultBox) {
  const auto out = ProposeEye(engine, Eye(7.80, 7.60, 0, 0.45, 11.5, -3, -1, 180, 12), state, Ask(), ',');
  ASSERT_EQ(out.status, ProposalStatus::Proposed);
  EXPECT_FALSE(out.askedPrism);
  EXPECT_FALSE(state.start);
  EXPECT_EQ(out.view.lensType, "QUON ");
  EXPECT_EQ(out.view.r0fl, "7,85");
  EXPECT_EQ(out.view.dptfl, "-2,50");
  EXPECT_EQ(out.view.dg, "9,6");
  EXPECT_EQ(out.view.material, "ZYQ");
  EXPECT_FALSE(out.view.r0stShown || out.view.dptstShown || out.view.prsShown || out.view.aShown);
}

TEST_F(ProposeFixture, FreshEyeOutsideTheBandIsRefusedAndStaysFresh) {
  for (double e : {0.19, 0.65}) {
    const auto out = ProposeEye(engine, Eye(7.8, 7.6, 0, e, 11.5, -3, -1, 180, 12), state, Ask(), '.');
    EXPECT_EQ(out.status, ProposalStatus::Unsuitable) << e;
    EXPECT_TRUE(state.start);
  }
  // After a first proposal the band no longer applies; 0.70 gives QUON.
  ASSERT_EQ(ProposeEye(engine, Eye(7.8, 7.6, 0, 0.45, 11.5, -3, -1, 180, 12), state, Ask(), '.').status,
            ProposalStatus::Proposed);
  const auto out = ProposeEye(engine, Eye(7.8, 7.6, 0, 0.70, 11.5, -3, -1, 180, 12), state, Ask(), '.');
  EXPECT_EQ(out.status, ProposalStatus::Proposed);
  EXPECT_EQ(engine.LensDesign(), CLD_QUON);
}

TEST_F(ProposeFixture, PrismQuestionYesAddsPrismByDiameter) {
  struct {
    double hhdia;
    const char* typeText;
    const char* prs;
  } cases[] = {{11.1, "QUON (VP-Classic)", "1.2"}, {11.5, "QUON (VP-Lenti)", "1.4"}};
  for (auto c : cases) {
    TKiroCalculate fresh;
    EyeState s;
    answer = true;
    questions = 0;
    const auto out =
        ProposeEye(fresh, Eye(7.80, 7.60, 0, 0.45, c.hhdia, -3, -2.25, 180, 12), s, Ask(), '.');
    ASSERT_EQ(out.status, ProposalStatus::Proposed);
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(out.askedPrism);
    EXPECT_NEAR(askedWith, -0.90, 0.01);
    EXPECT_TRUE(s.prism);
    EXPECT_EQ(out.view.lensType, c.typeText);
    EXPECT_EQ(out.view.prs, c.prs);
    EXPECT_TRUE(out.view.prsShown);
    EXPECT_EQ(OrderLines("RA", out.view),
              (std::vector<std::string>{"RA:", c.typeText, "Mat=ZYQ", "R0=7.85", "F´=-2.50",
                                        std::string("P=") + c.prs, out.view.dg == "9.2" ? "Dg=9.2" : "Dg=9.6",
                                        "Ohne Rückgabe"}));
  }
}

TEST_F(ProposeFixture, PrismQuestionNoAndNoSecondQuestion) {
  answer = false;
  const EyeInput in = Eye(7.80, 7.60, 0, 0.45, 11.5, -3, -2.25, 180, 12);
  auto out = ProposeEye(engine, in, state, Ask(), '.');
  EXPECT_EQ(questions, 1);
  EXPECT_FALSE(state.prism);
  EXPECT_FALSE(out.view.prsShown);
  EXPECT_EQ(out.view.lensType, "QUON ");
  out = ProposeEye(engine, in, state, Ask(), '.');  // proposed eye: no question again
  EXPECT_EQ(questions, 1);
  EXPECT_FALSE(out.askedPrism);
}

TEST_F(ProposeFixture, PrismStaysInTheEngineRecord) {
  answer = true;
  ProposeEye(engine, Eye(7.80, 7.60, 0, 0.45, 11.1, -3, -2.25, 180, 12), state, Ask(), '.');
  EXPECT_EQ(engine.Lens.prs, 1.2);
  const auto out = ProposeEye(engine, Eye(7.80, 7.60, 0, 0.45, 11.5, -3, -2.25, 180, 12), state, Ask(), '.');
  EXPECT_EQ(out.view.prs, "1.2");  // not recomputed for the larger diameter
  EXPECT_EQ(out.view.lensType, "QUON (VP-Lenti)");
}

TEST_F(ProposeFixture, BitoricOrderText) {
  const auto out = ProposeEye(engine, Eye(8.00, 7.30, 0, 0.45, 11.5, -2, -3.5, 180, 12), state, Ask(), ',');
  ASSERT_EQ(out.status, ProposalStatus::Proposed);
  EXPECT_EQ(engine.LensType(), CLT_BTC);
  EXPECT_EQ(OrderLines("LA", out.view),
            (std::vector<std::string>{"LA:", "QUON BTC", "Mat=ZYQ", "R0=8,05", "R0st=7,45",
                                      "F´=-1,75", "F´ st=-5,00", "Dg=9,6", "Ohne Rückgabe"}));
  EXPECT_EQ(JoinLines({"a", "b"}), "a\r\nb");
}

TEST(FirstFitMessages, PrismQuestionShowsTheSignedCylinder) {
  EXPECT_EQ(PrismQuestion(-1.0, ','), "Restzylinder (-1,00dpt) erwartet. Stabilisierungs-Prisma gewünscht?");
}

}  // namespace
