#include "pages/Refit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace pages::refit;
using T = TContactLensTypes;

TEST(RefitPage, LensTypeFromListText) {
  struct Case {
    std::string_view text;
    T forCalculation;  // GetLensType
    T forChecks;       // ContactLensType
  };
  const Case cases[] = {
      {kTrialTypeItems[0], T::sRT, T::sRT},     {kTrialTypeItems[1], T::sBTC, T::sBT},
      {kTrialTypeItems[2], T::sBTX, T::sBTX},   {kTrialTypeItems[3], T::sVPT, T::sVPT},
      {kTrialTypeItems[4], T::sSPH, T::sSPH},   {kTrialTypePrompt, T::sNone, T::sNone},
      {"  bt/btc - bitorisch ", T::sBTC, T::sNone}, {"", T::sNone, T::sNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetLensType(c.text), c.forCalculation) << c.text;
    EXPECT_EQ(ContactLensType(c.text), c.forChecks) << c.text;
  }
}

TEST(RefitPage, RefractionIndexOfMaterial) {
  struct Case {
    std::string_view text;
    double index;
  };
  const Case cases[] = {{"ZYQ", 1.427},           {"Boston-EQ-UV", 1.439},
                        {" boston-es-uv ", 1.444}, {"Boston-ES2-UV", 1.428},
                        {"Boston-XO2-UV", 1.422},  {"PA-HDS-UV", 1.449},
                        {"Pa-HDS-UV", 1.449},      {kFinalMaterialPrompt, 1.439},
                        {"", 1.439}};
  for (const Case& c : cases) EXPECT_EQ(GetRefractionIndex(c.text), c.index) << c.text;
  // Every material of the lists has its own index, except Boston-EQ-UV that equals the fallback.
  for (bool right : {true, false})
    for (auto item : TrialMaterialItems(right))
      EXPECT_TRUE(GetRefractionIndex(item) != 1.439 || item == "Boston-EQ-UV") << item;
  EXPECT_TRUE(MaterialChosen("Pa-HDS-UV", TrialMaterialItems(false), false));
  EXPECT_FALSE(MaterialChosen("Pa-HDS-UV", TrialMaterialItems(true), false));
  EXPECT_FALSE(MaterialChosen(kTrialMaterialPrompt, TrialMaterialItems(true), false));
  EXPECT_TRUE(MaterialChosen("", TrialMaterialItems(true), true));
}

std::string CaptionOf(const TrialTypeLayout& layout, std::string_view label) {
  for (const auto& c : layout.captions)
    if (c.label == label) return std::string(c.caption);
  return "<unchanged>";
}

TEST(RefitPage, TrialTypeLayout) {
  EXPECT_FALSE(TrialTypeSelected(-1));
  EXPECT_FALSE(TrialTypeSelected(5));
  struct Case {
    int index;
    bool rst, dptst, a;
    const char *dptfl1, *dptfl2, *dptst1, *dptst2, *labA;
  };
  const Case cases[] = {
      {0, true, false, false, "F´", "Flach", "F´", "Steil", "<unchanged>"},
      {1, true, true, false, "F´", "Flach", "F´", "Steil", "<unchanged>"},
      {2, true, true, true, "F´", "Flach", "F´", "Steil", "Ag"},
      {3, false, true, true, "Sph.", "", "Zyl.", "", "Achse"},
      {4, false, false, false, "F´", "", "<unchanged>", "<unchanged>", "<unchanged>"},
  };
  for (const Case& c : cases) {
    const auto layout = TrialTypeSelected(c.index);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->rstVisible, c.rst) << c.index;
    EXPECT_EQ(layout->dptstVisible, c.dptst) << c.index;
    EXPECT_EQ(layout->aVisible, c.a) << c.index;
    EXPECT_EQ(CaptionOf(*layout, "LabRefitRfl1"), "R0");
    EXPECT_EQ(CaptionOf(*layout, "LabRefitdptfl1"), c.dptfl1) << c.index;
    EXPECT_EQ(CaptionOf(*layout, "LabRefitdptfl2"), c.dptfl2) << c.index;
    EXPECT_EQ(CaptionOf(*layout, "LabRefitdptst1"), c.dptst1) << c.index;
    EXPECT_EQ(CaptionOf(*layout, "LabRefitdptst2"), c.dptst2) << c.index;
    EXPECT_EQ(CaptionOf(*layout, "LabRefitA"), c.labA) << c.index;
  }
}

TEST(RefitPage, ChecksOnLeavingATrialField) {
  struct Case {
    const char* what;
    T type;
    LeftField left;
    double rfl, rst, dptfl, dptst;
    const char* message;
    bool showFinalSteep;
  };
  const double no = kNoValue;
  const Case cases[] = {
      {"radii 0.20 apart", T::sRT, LeftField::TrialRst, 7.80, 7.60, no, no, "Rfl-Rst <0.2mm", false},
      {"radii 0.25 apart", T::sRT, LeftField::TrialRst, 7.80, 7.55, no, no, "", true},
      {"flat radius left", T::sBTX, LeftField::TrialRfl, 7.80, 7.55, no, no, "", true},
      {"steep larger", T::sBT, LeftField::TrialRfl, 7.60, 7.80, no, no, "Rfl < Rst", false},
      {"steep radius empty", T::sRT, LeftField::TrialRfl, 7.80, no, no, no, "", false},
      {"no radius check on VPT", T::sVPT, LeftField::TrialRfl, 7.80, 7.80, no, no, "", false},
      {"other field left", T::sRT, LeftField::Other, 7.80, 7.80, -3, -2.5, "", false},
      {"BT powers", T::sBT, LeftField::TrialDptst, 7.80, 7.40, -3.00, -2.50, "BT: dptfl<dptst", false},
      {"BTX powers", T::sBTX, LeftField::TrialDptfl, 7.80, 7.40, -3.00, -2.50, "BT: dptfl<dptst", false},
      {"BT powers fine", T::sBT, LeftField::TrialDptfl, 7.80, 7.40, -3.00, -5.25, "", false},
      {"no power check on RT", T::sRT, LeftField::TrialDptst, 7.80, 7.40, -3.00, -2.50, "", false},
      {"steep power empty", T::sBT, LeftField::TrialDptfl, 7.80, 7.40, -3.00, no, "", false},
  };
  for (const Case& c : cases) {
    const LeaveCheck check = CheckTrialField(c.type, c.left, c.rfl, c.rst, c.dptfl, c.dptst);
    EXPECT_EQ(check.message, c.message) << c.what;
    EXPECT_EQ(check.showFinalSteep, c.showFinalSteep) << c.what;
  }
  EXPECT_EQ(LeftFieldOf("EditRefitRst"), LeftField::TrialRst);
  EXPECT_EQ(LeftFieldOf("EditRstRZ"), LeftField::Other);
}

TEST(RefitPage, PrefillOfFinalRadii) {
  Prefill p = PrefillFinalRadii(LeftField::TrialRfl, 7.70, false, ',');
  EXPECT_EQ(p.rflRZ, "7,70");
  EXPECT_EQ(p.rstRZ, "7,70");
  EXPECT_TRUE(p.showPanel);
  p = PrefillFinalRadii(LeftField::TrialRfl, 7.70, true, ',');
  EXPECT_EQ(p.rflRZ, "7,70");
  EXPECT_FALSE(p.rstRZ);
  p = PrefillFinalRadii(LeftField::TrialRst, 7.35, true, '.');
  EXPECT_FALSE(p.rflRZ);
  EXPECT_EQ(p.rstRZ, "7.35");
  p = PrefillFinalRadii(LeftField::TrialRfl, kNoValue, false, ',');
  EXPECT_FALSE(p.rflRZ || p.rstRZ || p.showPanel);
  p = PrefillFinalRadii(LeftField::TrialDptfl, -3.0, false, ',');
  EXPECT_FALSE(p.rflRZ || p.rstRZ || p.showPanel);
}

TEST(RefitPage, OverRefractionAtVertexDistanceZero) {
  TCalculationToric engine;
  EXPECT_TRUE(OverRefractionComplete(-1, 0, 0, 12));
  EXPECT_FALSE(OverRefractionComplete(-1, 0, 0, kNoValue));
  for (auto [sph, cyl, axis] : {std::tuple{-1.00, -0.50, 180.0}, {-1.50, 0.50, 90.0}}) {
    const auto t = OverRefractionAtZero(engine, sph, cyl, axis, 12, ',');
    ASSERT_TRUE(t);
    EXPECT_EQ(t->sph0, "-0,99");
    EXPECT_EQ(t->cyl0, "-0,49");
  }
  EXPECT_FALSE(OverRefractionAtZero(engine, 100, 0, 0, 10, ','));
}

// One eye's inputs as the page holds them after a typical entry.
class RefitLens : public ::testing::Test {
 protected:
  RefitInputs in;
  TCalculationToric engine;

  void SetUp() override {
    in.trialTypeText = std::string(kTrialTypeItems[4]);  // SPH: steep, power and axis hidden
    in.trialMaterialText = "Boston-EQ-UV";
    in.trialMaterialChosen = true;
    in.finalMaterialText = "Boston-EQ-UV";
    in.finalMaterialChosen = true;
    in.rfl = {7.80};
    in.rst = {kNoValue, false};
    in.dptfl = {-3.00};
    in.dptst = {kNoValue, false};
    in.a = {kNoValue, false};
    in.sph = {-0.50};
    in.cyl = {0.0};
    in.axis = {0.0};
    in.hsa = {12.0};
    in.stab = {0.0};
    in.rflRZ = {7.80};
    in.rstRZ = {7.40};
    in.dgRZ = {9.6};
  }

  RefitResult Run(const TBtxAnswer& answer = {}) {
    return CalculateRefitLens(engine, in, ',', answer);
  }
};

TEST_F(RefitLens, CompensatedBitoricAndItsOrderText) {
  const RefitResult r = Run();
  ASSERT_EQ(r.outcome, RefitResult::Outcome::Shown);
  EXPECT_EQ(r.result, 0);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(r.display.designText, "Bitorisch, kompensiertes Design (BTC)");
  EXPECT_EQ(OrderLines(true, r.display, true),
            (std::vector<std::string>{"RA:", "QUON-BTC ", "Boston-EQ-UV",
                                      "R0 fl. 7,80 / R0 st. 7,40   dg 9,6",
                                      "F´ fl. -3,50dpt / F´ st. -5,75dpt", "Mit Rückgabe"}));
  EXPECT_EQ(OrderText(false, r.display, false),
            "LA:\nQUON-BTC \nBoston-EQ-UV\nR0 fl. 7,80 / R0 st. 7,40   dg 9,6\n"
            "F´ fl. -3,50dpt / F´ st. -5,75dpt\nOhne Rückgabe");
}

TEST_F(RefitLens, HiddenFinalSteepRadiusGivesSphericalBack) {
  in.rstRZ = {kNoValue, false};
  const RefitResult r = Run();
  ASSERT_EQ(r.outcome, RefitResult::Outcome::Shown);
  EXPECT_EQ(engine.FinalLens.R0st, 7.80);
  EXPECT_EQ(r.display.designText, "Rotations-symmetrisches Design");
  EXPECT_EQ(r.display.typeCode, "QUON");
  EXPECT_EQ(r.display.geometryLine, "R0 7,80   dg 9,6");
  EXPECT_EQ(r.display.powerLine, "F´ -3,50dpt");
  // An empty but visible steep field (-99) counts the same.
  in.rstRZ = {kNoValue, true};
  EXPECT_EQ(Run().display.typeCode, "QUON");
}

TEST_F(RefitLens, EmptyDiameterShows96) {
  in.dgRZ = {kNoValue};
  EXPECT_EQ(Run().display.geometryLine, "R0 fl. 7,80 / R0 st. 7,40   dg 9,6");
}

TEST_F(RefitLens, IncompleteDataComputesNothing) {
  struct Change {
    const char* what;
    void (*apply)(RefitInputs&);
  };
  const Change changes[] = {
      {"trial material", [](RefitInputs& i) { i.trialMaterialChosen = false; }},
      {"final material", [](RefitInputs& i) { i.finalMaterialChosen = false; }},
      {"sphere", [](RefitInputs& i) { i.sph.value = kNoValue; }},
      {"vertex distance", [](RefitInputs& i) { i.hsa.value = kNoValue; }},
      {"trial flat power", [](RefitInputs& i) { i.dptfl.value = kNoValue; }},
      {"visible trial steep radius", [](RefitInputs& i) { i.rst.visible = true; }},
      {"final flat radius", [](RefitInputs& i) { i.rflRZ.value = kNoValue; }},
  };
  for (const Change& c : changes) {
    SetUp();
    c.apply(in);
    engine.Results.Dptfl = 42.0;  // untouched when nothing runs
    const RefitResult r = Run();
    EXPECT_EQ(r.outcome, RefitResult::Outcome::Incomplete) << c.what;
    EXPECT_EQ(r.result, 0) << c.what;
    EXPECT_TRUE(r.message.empty()) << c.what;
    EXPECT_EQ(engine.Results.Dptfl, 42.0) << c.what;
  }
}

TEST_F(RefitLens, TrialRadiiTooCloseStopsWithMessage) {
  in.trialTypeText = std::string(kTrialTypeItems[0]);
  in.rst = {7.60};
  for (bool finalSteepVisible : {true, false}) {
    in.rstRZ.visible = finalSteepVisible;
    const RefitResult r = Run();
    EXPECT_EQ(r.outcome, RefitResult::Outcome::TrialRadiiTooClose);
    EXPECT_EQ(r.message, "R0 flach - R0 steil <0.2mm");
    EXPECT_EQ(r.focusFinalSteep, finalSteepVisible);
    EXPECT_EQ(r.result, 0);
  }
  in.rst = {7.55};
  EXPECT_EQ(Run().outcome, RefitResult::Outcome::Shown);
}

TEST_F(RefitLens, BtxQuestionAnsweredByCaller) {
  in.trialTypeText = std::string(kTrialTypeItems[0]);
  in.trialMaterialText = "ZYQ";
  in.rst = {7.40};
  in.sph = {-0.75};
  in.cyl = {-0.75};
  in.axis = {87};
  RefitResult r = Run([](const TBtxQuestion&) { return true; });
  EXPECT_TRUE(r.btxAsked);
  EXPECT_EQ(r.display.typeCode, "QUON-BTX ");
  EXPECT_EQ(r.display.powerLine, "F´ fl. -4,50dpt / F´ st. -6,75dpt  Ag 1,0°");
  r = Run([](const TBtxQuestion&) { return false; });
  EXPECT_TRUE(r.btxAsked);
  EXPECT_EQ(r.display.typeCode, "QUON-BTC ");
  // The engine's own callback answers when the caller gives none, and is kept.
  int calls = 0;
  engine.SetBtxAnswer([&calls](const TBtxQuestion&) {
    ++calls;
    return false;
  });
  EXPECT_EQ(Run().display.typeCode, "QUON-BTC ");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Run([](const TBtxQuestion&) { return true; }).display.typeCode, "QUON-BTX ");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Run().display.typeCode, "QUON-BTC ");
  EXPECT_EQ(calls, 2);
}

TEST_F(RefitLens, EngineFailureGivesItsMessage) {
  in.sph = {1000.0 / 12.0};  // the vertex-distance conversion divides by zero
  const RefitResult r = Run();
  EXPECT_EQ(r.outcome, RefitResult::Outcome::EngineFailed);
  EXPECT_EQ(r.engineResult, -1);
  EXPECT_EQ(r.message, "FEHLER>>> Berechnung der Rezeptlinse fehlgeschlagen!...");
  EXPECT_EQ(r.result, 0);
}

TEST(RefitPage, ResultTextsPerType) {
  TContactLensParams f;
  f.R0fl = 7.8;
  f.R0st = 7.4;
  f.Dptfl = -3.5;
  f.Dptst = -5.75;
  f.Sph = -4.0;
  f.Cyl = -0.5;
  f.A = 175.0;
  f.AG = 6.8;
  struct Case {
    T type;
    double dg;
    const char *code, *design, *geometry, *power;
  };
  const Case cases[] = {
      {T::sRT, 9.6, "QUON-RT ", "Rücktorisches Design (RT)", "R0 fl. 7,80 / R0 st. 7,40   dg 9,6",
       "F´ -3,50dpt"},
      {T::sBT, 9.6, "QUON-BT ", "Bitorisches Design (BT)", "R0 fl. 7,80 / R0 st. 7,40   dg 9,6",
       "F´ fl. -3,50dpt / F´ st. -5,75dpt"},
      {T::sBTX, 9.6, "QUON-BTX ", "Bitorisches, schiefgekreuztes Design (BTX)",
       "R0 fl. 7,80 / R0 st. 7,40   dg 9,6", "F´ fl. -3,50dpt / F´ st. -5,75dpt  Ag 6,8°"},
      {T::sVPT, 9.3, "QUON-VPT (Classic)", "Vorder-prismatisch-torisches Design (VPT-Classic)",
       "R0 7,80    dg 9,3   P 1,2", "sph -4,00  zyl -0,50  Achse 175"},
      {T::sVPT, 9.4, "QUON-VPT (Lenti)", "Vorder-prismatisch-torisches Design (VPT-Lenti)",
       "R0 7,80    dg 9,4   P 1,4", "sph -4,00  zyl -0,50  Achse 175"},
      {T::sBTC, 10.0, "QUON-BTC ", "Bitorisch, kompensiertes Design (BTC)",
       "R0 fl. 7,80 / R0 st. 7,40   dg 10,0", "F´ fl. -3,50dpt / F´ st. -5,75dpt"},
      {T::sSPH, kNoValue, "QUON", "Rotations-symmetrisches Design", "R0 7,80   dg 9,6",
       "F´ -3,50dpt"},
      {T::sNone, 9.6, "QUON", "Rotations-symmetrisches Design", "R0 7,80   dg 9,6", "F´ -3,50dpt"},
  };
  for (const Case& c : cases) {
    f.typ = c.type;
    const RefitDisplay d = ShowResults(f, c.dg, "Pa-HDS-UV", ',');
    EXPECT_EQ(d.typeCode, c.code);
    EXPECT_EQ(d.designText, c.design);
    EXPECT_EQ(d.geometryLine, c.geometry);
    EXPECT_EQ(d.powerLine, c.power);
    EXPECT_EQ(d.material, "Pa-HDS-UV");
  }
  EXPECT_EQ(LensTypeName(T::sBTC), "sBTC");
  EXPECT_EQ(LensTypeName(T::sVPTinBT), "sVPTinBT");
}

}  // namespace
