#include "engine/CalculationTORIC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using T = TContactLensTypes;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Lens {
  T typ;
  double nh, r0fl, r0st, dptfl, dptst, axis;  // axis: A and AG of the trial lens
};

struct Over {
  double sph, cyl, axis, stab = 0.0;
};

enum class Answer { None, Yes, No };

// Fills the engine in the order the refit page uses.
struct Refit {
  TCalculationToric calc;
  bool asked = false;
  TBtxQuestion question;

  int Run(const Lens& trial, double finalNh, double finalRfl, double finalRst, const Over& over,
          Answer answer = Answer::None) {
    calc.InitObj();
    calc.TrialLens.typ = trial.typ;
    calc.TrialLens.Nh = trial.nh;
    calc.TrialLens.R0fl = trial.r0fl;
    calc.TrialLens.R0st = trial.r0st;
    calc.TrialLens.Dptfl = calc.TrialLens.Sph = trial.dptfl;
    calc.TrialLens.Dptst = calc.TrialLens.Cyl = trial.dptst;
    calc.TrialLens.A = calc.TrialLens.AG = trial.axis;
    calc.TrialLens.Stab = over.stab;
    calc.SetUref(TRefraction{over.sph, over.cyl, over.axis, over.stab, 1.0, 12.0});
    calc.FinalLens.R0fl = finalRfl;
    calc.FinalLens.R0st = finalRst;
    calc.FinalLens.Nh = finalNh;
    calc.SetShowHints(false);
    if (answer != Answer::None) {
      calc.SetBtxAnswer([this, answer](const TBtxQuestion& q) {
        asked = true;
        question = q;
        return answer == Answer::Yes;
      });
    }
    return calc.Calculate();
  }
};

const Lens kSphTrial{T::sSPH, 1.439, 7.80, 0.0, -3.00, 0.0, 0.0};
const Lens kRtTrial{T::sRT, 1.427, 7.80, 7.40, -3.00, 0.0, 0.0};

struct CalcCase {
  const char* name;
  Lens trial;
  double finalNh, finalRfl, finalRst;
  Over over;
  Answer answer;
  // expected
  T type;
  double dptfl, dptst;  // FinalLens
  double sph, cyl, a;   // front surface (FinalLens)
  double ag;            // FinalLens.AG
  bool asked;
};

const CalcCase kCalcCases[] = {
    {"SphericalBackGivesVPT", kSphTrial, 1.439, 7.80, 7.80, {-1.00, -0.50, 180}, Answer::None,
     T::sVPT, 0.0, 0.0, -4.00, -0.50, 0.0, 0.0, false},
    {"PlusCylinderGivesSameVPT", kSphTrial, 1.439, 7.80, 7.80, {-1.50, +0.50, 90}, Answer::None,
     T::sVPT, 0.0, 0.0, -4.00, -0.50, 0.0, 0.0, false},
    {"SphericalTrialToricFinalIsBTC", kSphTrial, 1.439, 7.80, 7.40, {-0.50, 0, 0}, Answer::None,
     T::sBTC, -3.50, -5.75, -2.75, -0.75, 90.0, 0.0, false},
    {"BackToricTrialAxis90IsBTC", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 90}, Answer::None,
     T::sBTC, -4.50, -6.75, -3.75, -0.75, 90.0, 0.0, false},
    {"Axis87AnsweredYesIsBTX", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 87}, Answer::Yes,
     T::sBTX, -4.50, -6.75, -3.75, -0.75, 87.3, 1.0, true},
    {"Axis87AnsweredNoIsBTC", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 87}, Answer::No,
     T::sBTC, -4.50, -6.75, -3.75, -0.75, 90.0, 0.0, true},
    {"Axis87WithoutCallbackKeepsAxis", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 87},
     Answer::None, T::sBTX, -4.50, -6.75, -3.75, -0.75, 87.3, 1.0, false},
    {"Axis60IsBTXWithoutQuestion", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 60}, Answer::No,
     T::sBTX, -4.25, -7.00, -3.75, -0.75, 62.7, 6.8, false},
    {"RotationCorrectsAxis", kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 100, 10}, Answer::No,
     T::sBTC, -4.50, -6.75, -3.75, -0.75, 90.0, 0.0, false},
    {"NoFrontCylinderIsRT", {T::sRT, 1.439, 7.80, 7.40, -3.00, 0, 0}, 1.439, 7.80, 7.40,
     {-0.50, 0, 0}, Answer::None, T::sRT, -3.50, 0.0, -3.50, 0.0, 0.0, 0.0, false},
    // A compensated bitoric trial lens acts like a spherical one.
    {"CompensatedBitoricTrial", {T::sBTC, 1.439, 7.80, 7.40, -3.00, -5.25, 0}, 1.439, 7.80, 7.40,
     {-0.50, 0, 0}, Answer::None, T::sBTC, -3.50, -5.75, -2.75, -0.75, 90.0, 0.0, false},
    // An uncompensated one keeps its cylinder, which here cancels its back astigmatism.
    {"UncompensatedBitoricTrial", {T::sBT, 1.439, 7.80, 7.40, -3.00, -6.00, 0}, 1.439, 7.80,
     7.40, {-0.50, 0, 0}, Answer::None, T::sRT, -3.50, 0.0, -3.50, 0.0, 0.0, 0.0, false},
    {"FrontToricTrial", {T::sVPT, 1.439, 7.80, 0.0, -3.00, -1.00, 90}, 1.439, 7.80, 7.80,
     {-0.50, 0, 0}, Answer::None, T::sVPT, 0.0, 0.0, -3.50, -1.00, 90.0, 90.0, false},
    // Trial steep radius 0 counts as spherical back, trial index 0 takes the final index.
    {"TrialDefaultsTaken", {T::sSPH, 0.0, 7.80, 0.0, -3.00, 0, 0}, 1.439, 7.80, 7.80,
     {-1.00, -0.50, 180}, Answer::None, T::sVPT, 0.0, 0.0, -4.00, -0.50, 0.0, 0.0, false},
    // A strong front cylinder at exactly 90: the back vertex cylinder lies at exactly 90,
    // so the flat meridian takes sphere plus cylinder.
    {"BackVertexAxisExactly90", kSphTrial, 1.439, 7.80, 7.40, {-0.50, -3.00, 90}, Answer::None,
     T::sBT, -6.25, -5.75, -2.75, -3.50, 90.0, 90.0, false},
};

void PrintTo(const CalcCase& c, std::ostream* os) { *os << c.name; }

class CalculateCases : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculateCases, FinalLens) {
  const CalcCase& c = GetParam();
  Refit r;
  ASSERT_EQ(r.Run(c.trial, c.finalNh, c.finalRfl, c.finalRst, c.over, c.answer), 1);
  const TContactLensParams& f = r.calc.FinalLens;
  EXPECT_EQ(f.typ, c.type);
  EXPECT_DOUBLE_EQ(f.Dptfl, c.dptfl);
  EXPECT_DOUBLE_EQ(f.Dptst, c.dptst);
  EXPECT_DOUBLE_EQ(f.Sph, c.sph);
  EXPECT_DOUBLE_EQ(f.Cyl, c.cyl);
  EXPECT_NEAR(f.A, c.a, 1e-9);
  EXPECT_NEAR(f.AG, c.ag, 1e-9);
  EXPECT_EQ(r.asked, c.asked);
}

INSTANTIATE_TEST_SUITE_P(Engine, CalculateCases, ::testing::ValuesIn(kCalcCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalculationToric, UncorrectedPowersAndSurfaceAstigmatism) {
  Refit r;
  ASSERT_EQ(r.Run(kSphTrial, 1.439, 7.80, 7.40, {-0.50, 0, 0}), 1);
  EXPECT_DOUBLE_EQ(r.calc.Results.DptflUncorr, -3.497);
  EXPECT_DOUBLE_EQ(r.calc.Results.DptstUncorr, -5.825);
  EXPECT_DOUBLE_EQ(r.calc.Results.Dptfl, -3.50);
  EXPECT_DOUBLE_EQ(r.calc.Results.Dptst, -5.75);
  EXPECT_TRUE(r.calc.Hint().empty());
  // Over-refraction at vertex distance 0, in minus-cylinder form.
  EXPECT_NEAR(r.calc.Uref0().Sph, -0.50 / 1.006, 1e-12);
}

TEST(CalculationToric, BtxQuestionShowsAxisAndResidual) {
  Refit r;
  ASSERT_EQ(r.Run(kRtTrial, 1.439, 7.80, 7.40, {-0.75, -0.75, 87}, Answer::Yes), 1);
  ASSERT_TRUE(r.asked);
  EXPECT_NEAR(r.question.Axis, 87.3, 0.05);
  EXPECT_NEAR(r.question.Residual, -0.08, 0.005);
  EXPECT_EQ(BtxQuestionText(r.question, ','),
            "Die Berechnung der Endlinse ergibt eine BTX - Linse!\n"
            "Die Achse des Vordertorus liegt in 87,3° Tabo\n"
            "Der errechnete Restastigmatismus beträgt -0,08dpt\n"
            "BTX als endgültige Linse berechnen?");
  // A residual that rounds to zero is shown without a sign.
  EXPECT_NE(BtxQuestionText({87.3, -0.001}, '.').find("beträgt 0.00dpt"), std::string::npos);
}

// A front axis of 179.96 rounds to 180.0, which is neither 0 nor 90.
TEST(CalculationToric, FrontAxisRoundingTo180) {
  const Lens trial{T::sRT, 1.439, 7.80, 7.40, -3.00, 0, 0};
  for (Answer answer : {Answer::Yes, Answer::No}) {
    Refit r;
    ASSERT_EQ(r.Run(trial, 1.439, 7.80, 7.40, {-1.00, -1.00, 179.96}, answer), 1);
    EXPECT_TRUE(r.asked);
    if (answer == Answer::Yes) {
      EXPECT_DOUBLE_EQ(r.calc.Results.A, 180.0);
      EXPECT_EQ(r.calc.FinalLens.typ, T::sBTX);
    } else {
      EXPECT_DOUBLE_EQ(r.calc.Results.A, 0.0);
      EXPECT_EQ(r.calc.FinalLens.typ, T::sBT);
    }
  }
}

TEST(CalculationToric, NoneOrUnsupportedTrialTypeComputesNothing) {
  for (T typ : {T::sNone, T::sVPTinBT, static_cast<T>(42)}) {
    Refit r;
    r.calc.Results.Dptfl = 5.0;
    const Lens trial{typ, 1.439, 7.80, 7.40, -3.00, 0, 0};
    EXPECT_EQ(r.Run(trial, 1.439, 7.80, 7.40, {-0.50, 0, 0}), 0);
    EXPECT_EQ(r.calc.Results.Dptfl, 0.0);
    EXPECT_EQ(r.calc.FinalLens.typ, T::sNone);
  }
}

// Every arithmetic fault gives -1 and leaves no non-finite number behind.
TEST(CalculationToric, ArithmeticFaultsGiveMinusOne) {
  struct Fault {
    const char* what;
    Lens trial;
    double finalRfl, finalRst;
    Over over;
  };
  const Fault faults[] = {
      {"zero final flat radius", kSphTrial, 0.0, 7.40, {-0.5, 0, 0}},
      {"zero final steep radius", kSphTrial, 7.80, 0.0, {-0.5, 0, 0}},
      {"zero trial radius", {T::sSPH, 1.439, 0.0, 0.0, -3, 0, 0}, 7.80, 7.40, {-0.5, 0, 0}},
      {"NaN trial power", {T::sSPH, 1.439, 7.8, 0, kNaN, 0, 0}, 7.80, 7.40, {-0.5, 0, 0}},
      {"infinite trial axis", {T::sVPT, 1.439, 7.8, 0, -3, -1, kInf}, 7.80, 7.80, {-0.5, 0, 0}},
      {"NaN final radius", kSphTrial, kNaN, 7.40, {-0.5, 0, 0}},
      {"overflowing power", {T::sSPH, 1.439, 7.8, 0, 1e308, 0, 0}, 7.80, 7.40, {1e308, 0, 0}},
      {"NaN over-refraction", kSphTrial, 7.80, 7.40, {kNaN, 0, 0}},
      {"NaN rotation", kSphTrial, 7.80, 7.40, {-0.5, -1, 90, kNaN}},
      {"vertex conversion divides by zero", kSphTrial, 7.80, 7.40, {1000.0 / 12.0, 0, 0}},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.what);
    Refit r;
    EXPECT_EQ(r.Run(f.trial, 1.439, f.finalRfl, f.finalRst, f.over), -1);
    const TCalculatedValues& v = r.calc.Results;
    for (double x : {v.Sph, v.Cyl, v.A, v.AG, v.Dptfl, v.Dptst, v.AGCorr, v.DptflUncorr,
                     v.DptstUncorr})
      EXPECT_TRUE(std::isfinite(x));
  }
}

TEST(CalculationToric, InitObjResetsInputsButKeepsSomeFields) {
  TCalculationToric c;
  c.SetUref(TRefraction{-1, -2, 30, 7, 0.5, 10});
  c.TrialLens = TContactLensParams{T::sBTX, 1.4, 7, 6, -1, -2, -3, -4, 5, 6, 7, 8, true};
  c.InitObj();
  EXPECT_EQ(c.Uref().Sph, 0.0);
  EXPECT_EQ(c.Uref().Cyl, 0.0);
  EXPECT_EQ(c.Uref().Axis, 0.0);
  EXPECT_EQ(c.Uref().Stab, 7.0);
  EXPECT_EQ(c.Uref().Visus, 1.0);
  EXPECT_EQ(c.Uref().HSA, 14.0);
  const TContactLensParams& t = c.TrialLens;
  EXPECT_EQ(t.typ, T::sNone);
  for (double x : {t.Nh, t.R0fl, t.R0st, t.Dptfl, t.Dptst, t.Cyl, t.AG, t.A, t.Stab})
    EXPECT_EQ(x, 0.0);
  EXPECT_EQ(t.Sph, -3.0);
  EXPECT_EQ(t.AGCorr, 6.0);
  EXPECT_TRUE(t.ZYQ);
}

TEST(CalculationToric, RoundDptHalvesAwayFromZero) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{-3.125, -3.25}, {-3.12, -3.00}, {0.875, 1.00}, {0.874, 0.75},
                        {-0.0, 0.0},     {3.125, 3.25},  {-0.5, -0.5},  {2.62, 2.5},
                        {-5.8255, -5.75}};
  for (const Case& c : cases) {
    const auto r = toric::RoundDpt(c.in);
    ASSERT_TRUE(r) << c.in;
    EXPECT_EQ(*r, c.out) << c.in;
    EXPECT_FALSE(std::signbit(*r) && *r == 0.0) << "negative zero for " << c.in;
  }
  EXPECT_FALSE(toric::RoundDpt(kNaN));
  EXPECT_FALSE(toric::RoundDpt(-kInf));
}

TEST(CalculationToric, RoundToHalvesToEven) {
  struct Case {
    double value, digit, out;
  };
  const Case cases[] = {{2.5, 1, 2},         {3.5, 1, 4},       {-2.5, 1, -2},
                        {87.25, 0.1, 87.2},  {87.35, 0.1, 87.4}, {-3.4966, 0.001, -3.497},
                        {0.125, 0.25, 0.0},  {62.66, 0.1, 62.7}};
  for (const Case& c : cases) {
    const auto r = toric::RoundTo(c.value, c.digit);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(*r, c.out) << c.value << " to " << c.digit;
  }
  EXPECT_FALSE(toric::RoundTo(1.0, 0.0));
  EXPECT_FALSE(toric::RoundTo(1e308, 0.001));
  EXPECT_FALSE(toric::RoundTo(kNaN, 0.1));
}

TEST(CalculationToric, FormatDPT) {
  TCalculationToric c;
  struct Case {
    double in, out;
  };
  const Case cases[] = {{0.125, 0.25}, {-0.125, -0.25}, {0.1, 0.0},     {-0.1, 0.0},
                        {1.37, 1.25},  {1.38, 1.5},     {-2.874, -2.75}, {kNaN, 0.0},
                        {INFINITY, 0.0}, {-INFINITY, 0.0}, {1e308, 1e308}, {-1e308, -1e308}};
  for (const Case& x : cases) {
    const double r = c.FormatDPT(x.in);
    EXPECT_EQ(r, x.out) << x.in;
    EXPECT_FALSE(std::signbit(r) && r == 0.0) << x.in;
  }
}

TEST(CalculationToric, IsBTC) {
  TCalculationToric c;
  struct Case {
    double r0fl, r0st, dptfl, dptst;
    bool btc;
  };
  const Case cases[] = {
      {7.80, 7.40, 0.0, -2.25, true},   {7.80, 7.40, 0.0, -2.50, false},
      {7.80, 7.40, -3.00, -5.25, true}, {7.80, 7.40, -3.00, -5.50, false},
      {7.80, 7.80, -3.00, -3.00, true}, {7.80, 7.80, -3.00, -3.25, false},
      {7.80, 0.0, -3.00, -5.25, false},  // zero radius: no compensation to speak of
  };
  for (const Case& x : cases) {
    TContactLensParams l;
    l.R0fl = x.r0fl;
    l.R0st = x.r0st;
    l.Dptfl = x.dptfl;
    l.Dptst = x.dptst;
    EXPECT_EQ(c.IsBTC(l), x.btc) << x.r0fl << "/" << x.r0st << " " << x.dptfl << "/" << x.dptst;
  }
}

TEST(CalculationToric, Transform2MinusCylinder) {
  TCalculationToric c;
  struct Case {
    TRefraction in;
    double sph, cyl, axis;
  };
  const Case cases[] = {
      {{-2, 1, 90, 3, 0.8, 12}, -1, -1, 0},  {{-2, 1, 45, 3, 0.8, 12}, -1, -1, 135},
      {{-2, 1, 89, 3, 0.8, 12}, -1, -1, 179}, {{-1, -0.5, 180, 3, 0.8, 12}, -1, -0.5, 180},
      {{2, 0, 30, 3, 0.8, 12}, 2, 0, 30},
  };
  for (const Case& x : cases) {
    TRefraction r = x.in;
    c.Transform2MinusCylinder(r);
    EXPECT_EQ(r.Sph, x.sph);
    EXPECT_EQ(r.Cyl, x.cyl);
    EXPECT_EQ(r.Axis, x.axis);
    EXPECT_EQ(r.Stab, 3);
    EXPECT_EQ(r.Visus, 0.8);
    EXPECT_EQ(r.HSA, 12);
  }
}

TEST(CalculationToric, CalculateHSA0) {
  TCalculationToric c;
  const TRefraction r = c.CalculateHSA0(TRefraction{-5, -1, 180, 2, 0.8, 12});
  EXPECT_NEAR(r.Sph, -5.0 / 1.06, 1e-12);
  EXPECT_NEAR(r.Cyl, -6.0 / 1.072 + 5.0 / 1.06, 1e-12);
  EXPECT_EQ(r.Axis, 180);
  EXPECT_EQ(r.Stab, 2);
  EXPECT_EQ(r.Visus, 0.8);
  EXPECT_EQ(r.HSA, 12);
  // No vertex distance: unchanged; no lower power limit.
  for (double hsa : {0.0, -3.0}) {
    const TRefraction same = c.CalculateHSA0(TRefraction{-5, -1, 180, 0, 1, hsa});
    EXPECT_EQ(same.Sph, -5);
    EXPECT_EQ(same.Cyl, -1);
  }
  EXPECT_NEAR(c.CalculateHSA0(TRefraction{-0.12, 0, 0, 0, 1, 12}).Sph, -0.12 / 1.00144, 1e-12);
}

TEST(CalculationToric, CalculateHSA0ReportsFailure) {
  TCalculationToric c;
  const TRefraction failing[] = {
      {100, 0, 0, 0, 1, 10},   // 1 - h * Sph = 0
      {0, 100, 90, 0, 1, 10},  // 1 - h * (Sph + Cyl) = 0
      {kInf, 0, 0, 0, 1, 12},  {kNaN, -1, 0, 0, 1, 12}, {-1, -1, 0, 0, 1, kNaN},
  };
  for (const TRefraction& in : failing) {
    try {
      c.CalculateHSA0(in);
      ADD_FAILURE() << "no failure for Sph " << in.Sph << " Cyl " << in.Cyl;
    } catch (const EHsaConversionError& e) {
      EXPECT_EQ(e.Unconverted.Cyl, in.Cyl);
      EXPECT_EQ(e.Unconverted.Axis, in.Axis);
    }
  }
}

}  // namespace
