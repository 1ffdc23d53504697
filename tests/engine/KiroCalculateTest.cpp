#include "engine/KiroCalculate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Readable enumerators in failure messages.
void PrintTo(TKiroContactLensDesign d, std::ostream* os) { *os << ToString(d); }
void PrintTo(TKiroContactLensType t, std::ostream* os) { *os << ToString(t); }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// An engine set up as the first-fit page does it.
TKiroCalculate Configured(double Rh, double Rv, double aflm, double hhd, double ecc, double sph,
                          double cyl, double axis, double hsa) {
  TKiroCalculate k;
  k.InitObj();
  k.SetWithQuonF(true);
  k.SetAvailableDesigns({CLD_QUON, CLD_QUONF, CLD_NONE});
  k.SetWithOculus(false);
  TKiroCorneaData c;
  c.Rh = Rh;
  c.Rv = Rv;
  c.Aflm = aflm;
  c.HHd = hhd;
  c.HHe = ecc;
  c.KC = 0;
  c.dHX = -1;
  c.Z22 = -1;
  k.SetCornea(c);
  k.SetRefraction({sph, cyl, axis, hsa, 0});
  k.SetDefLensDesign(CLD_QUON);
  k.SetLensDesign(CLD_NONE);
  k.SetZYQ(true);
  return k;
}

TEST(KiroRounding, RadiusAndDioptres) {
  EXPECT_DOUBLE_EQ(RoundRadius(7.826), 7.85);
  EXPECT_DOUBLE_EQ(RoundRadius(7.824), 7.80);
  EXPECT_DOUBLE_EQ(RoundRadius(7.85), 7.85);
  struct {
    double in, out;
  } cases[] = {{-2.375, -2.25}, {-2.376, -2.5}, {0.125, 0.25}, {0.375, 0.5}, {-0.125, 0.0},
               {-2.6214, -2.5}, {1.0, 1.0},     {-0.375, -0.25}};
  for (auto c : cases) EXPECT_DOUBLE_EQ(RoundDpt(c.in, 0.25), c.out) << c.in;
  EXPECT_THROW(RoundDpt(kNaN, 0.25), KiroCalcFault);
  EXPECT_THROW(RoundDpt(1.0, 0.0), KiroCalcFault);
  EXPECT_THROW(RoundDpt(1e300, 0.25), KiroCalcFault);
}

TEST(KiroCornea, MissingMeanEccentricityIsDerived) {
  TKiroCalculate k;
  TKiroCorneaData c;
  c.HHe = -1;  // e1..e4 = 0 are given
  k.SetCornea(c);
  EXPECT_EQ(k.Cornea().HHe, 0.0);

  c.HHe = -0.99;
  k.SetCornea(c);
  EXPECT_EQ(k.Cornea().HHe, -0.99);

  c = {};
  c.HHe = -1;
  c.Rh = c.Rv = 7.8;
  c.Rs1 = c.Rs2 = c.Rs3 = c.Rs4 = 8.0;
  c.e1 = c.e2 = c.e3 = c.e4 = -10;
  k.SetCornea(c);
  EXPECT_NEAR(k.Cornea().HHe, 2 * std::sqrt(0.049375), 1e-12);
}

TEST(KiroCornea, NegativeMeridiansAreZeroedUnlessThreeOrMore) {
  TKiroCalculate k;
  TKiroCorneaData c;
  c.HHe = -1;
  c.e1 = c.e2 = c.e3 = -0.2;
  c.e4 = 0.4;
  k.SetCornea(c);
  EXPECT_NEAR(k.Cornea().HHe, -0.05, 1e-15);
  c.e3 = 0.4;
  k.SetCornea(c);
  EXPECT_NEAR(k.Cornea().HHe, 0.2, 1e-15);
}

TEST(KiroCornea, ToricityIsAlwaysRecomputedAndZeroSagittalRadiusIsAFault) {
  TKiroCalculate k;
  TKiroCorneaData c;
  c.Rh = 7.8;
  c.Rv = 7.6;
  c.dR = 5;
  c.HHe = 0.4;
  k.SetCornea(c);
  EXPECT_NEAR(k.Cornea().dR, 0.2, 1e-15);

  c.HHe = -1;
  c.e1 = -10;  // derived from Rs1, which is 0
  EXPECT_THROW(k.SetCornea(c), KiroCalcFault);
}

TEST(KiroRefraction, MinusCylinderForm) {
  struct {
    TKiroRefractionData in;
    double sph, cyl, axis;
  } cases[] = {{{2, 1, 100, 0, 0}, 3, -1, 10},
               {{2, 1, 80, 0, 0}, 3, -1, 170},
               {{2, 0, 80, 0, 0}, 2, 0, 80},
               {{-2, -1, 30, 0, 0}, -2, -1, 30},
               {{kNaN, 1, 80, 0, 0}, 0, 0, 0},
               {{1, kInf, 80, 0, 0}, 0, 0, 0}};
  for (const auto& c : cases) {
    TKiroRefractionData out;
    TKiroCalculate::TransformToMinusCylinder(c.in, out);
    EXPECT_DOUBLE_EQ(out.sph, c.sph);
    EXPECT_DOUBLE_EQ(out.cyl, c.cyl);
    EXPECT_DOUBLE_EQ(out.Axis, c.axis);
  }
}

TEST(KiroRefraction, VertexDistanceZero) {
  TKiroCalculate k;
  k.SetRefraction({-0.75, -1.0, 180, 12, 0});
  EXPECT_DOUBLE_EQ(k.GetSph0(), -0.75);  // below 1 D: not converted
  EXPECT_NEAR(k.GetCyl0(), -1.75 / 1.021 + 0.75 / 1.009, 1e-12);
  EXPECT_NEAR(k.GetCyl0(), -0.9707, 1e-4);
  EXPECT_EQ(k.GetAxis0(), 180);

  k.SetRefraction({2, 1, 80, 0, 0});  // no vertex distance: minus-cylinder form unchanged
  EXPECT_EQ(k.sph0(), 3);
  EXPECT_EQ(k.cyl0(), -1);
  EXPECT_EQ(k.Axis0(), 170);

  // 1 - 0.001*25*40 is zero up to rounding: falls back to the plain values
  k.SetRefraction({25, 15, 90, 25, 0});
  EXPECT_EQ(k.GetSph0(), 40);
  EXPECT_EQ(k.GetCyl0(), -15);
  EXPECT_EQ(k.GetAxis0(), 0);

  k.SetRefraction({-3, -1, 0, kNaN, 0});
  EXPECT_EQ(k.GetSph0(), -3);
  EXPECT_EQ(k.GetCyl0(), -1);
}

TEST(KiroRefraction, ResidualAstigmatism) {
  TKiroCalculate k = Configured(7.8, 7.6, 0, 11.5, 0.45, 0, -1, 180, 0);
  TKiroRefractionData r;
  r.HSA = 77;
  k.GetGA(r);
  EXPECT_NEAR(r.cyl, 1.1387 - 1.0, 1e-3);
  EXPECT_EQ(r.HSA, 77);  // other fields untouched

  k = Configured(7.8, 0, 0, 11.5, 0.45, 0, -1, 180, 0);  // Kc becomes -999
  k.GetGA(r);
  EXPECT_NEAR(r.cyl, 998, 1e-9);

  k = Configured(kNaN, 7.6, 0, 11.5, 0.45, 0, -1, 180, 0);
  k.GetGA(r);
  EXPECT_EQ(r.sph, 0);
  EXPECT_EQ(r.cyl, 0);
  EXPECT_EQ(r.Axis, 0);
}

struct GeometryCase {
  TKiroContactLensDesign design;
  double Rh, Rv, hhd;
  TKiroContactLensType type;
  double r0fl, r0st, dg;
};

void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.Rh << "/" << c.Rv << " HHd " << c.hhd; }

class KiroGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(KiroGeometry, TypeRadiiAndDiameter) {
  const auto& c = GetParam();
  TKiroCalculate k = Configured(c.Rh, c.Rv, 0, c.hhd, 0.3, -2, 0, 0, 12);
  k.Lens.clDesign = c.design;
  k.CalculateLensParams(k.Lens);
  EXPECT_EQ(k.ErrCode(), 0);
  EXPECT_EQ(k.Lens.clTyp, c.type) << ToString(k.Lens.clTyp);
  EXPECT_DOUBLE_EQ(k.Lens.r0fl, c.r0fl);
  EXPECT_DOUBLE_EQ(k.Lens.r0st, c.r0st);
  EXPECT_DOUBLE_EQ(k.Lens.dg, c.dg);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KiroGeometry,
    ::testing::Values(
        GeometryCase{CLD_QUON, 7.80, 7.60, 11.5, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.60, 7.80, 11.5, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.30, 11.5, CLT_MAC, 7.85, 7.50, 9.6},
        GeometryCase{CLD_QUON, 7.30, 7.60, 11.5, CLT_MAC, 7.75, 7.40, 9.6},
        GeometryCase{CLD_QUON, 8.00, 7.30, 11.5, CLT_TORIC, 8.05, 7.45, 9.6},
        GeometryCase{CLD_QUONF, 8.00, 7.30, 11.5, CLT_TORIC, 8.00, 7.45, 9.6},
        // toricity thresholds on both sides
        GeometryCase{CLD_QUON, 7.80, 7.36, 11.5, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.35, 11.5, CLT_MAC, 7.85, 7.50, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.21, 11.5, CLT_MAC, 7.85, 7.50, 9.6},
        // 7.80 - 7.20 is just below 0.6 in binary, so it stays MAC
        GeometryCase{CLD_QUON, 7.80, 7.20, 11.5, CLT_MAC, 7.85, 7.50, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.19, 11.5, CLT_TORIC, 7.85, 7.35, 9.6},
        GeometryCase{CLD_QUON, 8.00, 7.40, 11.5, CLT_MAC, 8.05, 7.70, 9.6},
        GeometryCase{CLD_QUON, 8.00, 7.39, 11.5, CLT_TORIC, 8.05, 7.55, 9.6},
        GeometryCase{CLD_QUON, 7.55, 7.80, 11.5, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.54, 7.80, 11.5, CLT_MAC, 7.95, 7.60, 9.6},
        GeometryCase{CLD_QUON, 7.46, 7.80, 11.5, CLT_MAC, 7.95, 7.60, 9.6},
        // 7.80 - 7.45 is just below 0.35 in binary
        GeometryCase{CLD_QUON, 7.45, 7.80, 11.5, CLT_MAC, 7.95, 7.60, 9.6},
        GeometryCase{CLD_QUON, 7.44, 7.80, 11.5, CLT_TORIC, 7.90, 7.50, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.80, 11.5, CLT_SPH, 7.85, 7.85, 9.6},
        // diameter bands
        GeometryCase{CLD_QUON, 7.80, 7.60, 12.7, CLT_SPH, 7.85, 7.85, 10.4},
        GeometryCase{CLD_QUON, 7.80, 7.60, 12.6, CLT_SPH, 7.85, 7.85, 10.0},
        GeometryCase{CLD_QUON, 7.80, 7.60, 12.2, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.60, 11.2, CLT_SPH, 7.85, 7.85, 9.6},
        GeometryCase{CLD_QUON, 7.80, 7.60, 11.1, CLT_SPH, 7.85, 7.85, 9.2}));

TEST(KiroGeometryFaults, UnhandledDesignAndNonFiniteInput) {
  TKiroCalculate k = Configured(8.0, 7.3, 0, 11.5, 0.3, -2, 0, 0, 12);
  k.Lens.clDesign = CLD_QUONF;
  k.CalculateLensParams(k.Lens);
  EXPECT_EQ(k.Lens.eps, 0);  // QUON-F sets no eccentricity
  EXPECT_EQ(k.Lens.asw, 0);

  for (auto design : {CLD_NONE, CLD_RN, CLD_UNKNOWN, CLD_VELTA}) {
    k.InitObj();
    k.Lens.clDesign = design;
    k.Lens.dg = 1.5;
    k.CalculateLensParams(k.Lens);
    EXPECT_EQ(k.ErrCode(), 2);
    EXPECT_EQ(k.ErrMsg(), "Allgemeiner Berechnungsfehler!");
    EXPECT_EQ(k.Lens.r0fl, 0);
    EXPECT_EQ(k.Lens.r0st, 0);
    EXPECT_EQ(k.Lens.dg, 1.5);
  }

  k = Configured(kInf, 7.3, 0, 11.5, 0.3, -2, 0, 0, 12);
  k.Lens.clDesign = CLD_QUON;
  k.CalculateLensParams(k.Lens);
  EXPECT_EQ(k.ErrCode(), 1);
  EXPECT_EQ(k.ErrMsg(), "Allgemeiner Berechnungsfehler!");
}

struct ProposalCase {
  const char* label;
  double Rh, Rv, sph, cyl;
  TKiroContactLensType type;
  double fv, fvst;  // fvst checked only for CLT_BTC
};

void PrintTo(const ProposalCase& c, std::ostream* os) { *os << c.label; }

class KiroProposal : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(KiroProposal, PowersAndFinalType) {
  const auto& c = GetParam();
  TKiroCalculate k = Configured(c.Rh, c.Rv, 0, 11.5, 0.45, c.sph, c.cyl, 180, 12);
  ASSERT_EQ(k.Propose(), 0);
  EXPECT_EQ(k.ErrCode(), 0) << k.ErrMsg();
  EXPECT_EQ(k.LensType(), c.type) << c.label << ": " << ToString(k.LensType());
  EXPECT_EQ(k.LensType(), k.Lens.clTyp);
  EXPECT_EQ(k.LensDesign(), k.Lens.clDesign);
  EXPECT_DOUBLE_EQ(k.Lens.fv, c.fv) << c.label;
  if (c.type == CLT_BTC) {
    EXPECT_DOUBLE_EQ(k.Lens.fvst, c.fvst) << c.label;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KiroProposal,
    ::testing::Values(ProposalCase{"spherical", 7.80, 7.60, -3.00, -1.00, CLT_SPH, -2.50, 0},
                      ProposalCase{"MAC stays", 7.80, 7.30, -2.00, -2.50, CLT_MAC, -1.75, 0},
                      ProposalCase{"MAC to RT", 7.80, 7.30, -2.00, -4.00, CLT_RT, -1.75, 0},
                      ProposalCase{"toric to BTC", 8.00, 7.30, -2.00, -3.50, CLT_BTC, -1.75, -5.00},
                      ProposalCase{"toric to RT", 8.00, 7.30, -2.00, -6.00, CLT_RT, -1.75, 0}));

TEST(KiroFront, SphericalResidualRefraction) {
  TKiroCalculate k = Configured(7.80, 7.60, 0, 11.5, 0.45, -3.00, -1.00, 180, 12);
  ASSERT_EQ(k.Propose(), 0);
  EXPECT_NEAR(k.GetSph0(), -2.8958, 1e-4);
  EXPECT_NEAR(k.Lens.C, -0.22, 0.005);
  EXPECT_NEAR(k.Lens.S, 0.10, 0.005);
  EXPECT_NEAR(k.Lens.A, 90, 0.5);
  EXPECT_FALSE(k.Lens.OptionalPrs);
  EXPECT_EQ(k.InfoMsg(), "");
  EXPECT_DOUBLE_EQ(k.Lens.eps, 0.3);
  EXPECT_EQ(k.Lens.asw, 3);

  k = Configured(7.80, 7.60, 0, 11.5, 0.45, -3.00, -2.25, 180, 12);
  ASSERT_EQ(k.Propose(), 0);
  EXPECT_NEAR(k.Lens.C, -0.90, 0.01);
  EXPECT_EQ(k.LensType(), CLT_SPH);
  EXPECT_TRUE(k.Lens.OptionalPrs);
  EXPECT_EQ(k.InfoMsg(),
            "ACHTUNG! Die Berechnung ergibt eine VPT. Bei ZYQ-Bestellung bitte Prisma über Optionen "
            "mit bestellen.");
  // The next proposal clears the advisory.
  k.SetRefraction({-3, -1, 180, 12, 0});
  ASSERT_EQ(k.Propose(), 0);
  EXPECT_EQ(k.InfoMsg(), "");
}

TEST(KiroFront, PlusCylinderGivesTheSameLensAsItsMinusForm) {
  TKiroCalculate plus = Configured(8.00, 7.30, 0, 11.5, 0.45, 2.00, 1.00, 90, 12);
  TKiroCalculate minus = Configured(8.00, 7.30, 0, 11.5, 0.45, 3.00, -1.00, 0, 12);
  ASSERT_EQ(plus.Propose(), 0);
  ASSERT_EQ(minus.Propose(), 0);
  EXPECT_EQ(plus.LensType(), minus.LensType());
  EXPECT_DOUBLE_EQ(plus.Lens.fv, minus.Lens.fv);
  EXPECT_DOUBLE_EQ(plus.Lens.fvst, minus.Lens.fvst);
  EXPECT_NEAR(plus.Lens.S, minus.Lens.S, 1e-9);
  EXPECT_NEAR(plus.Lens.C, minus.Lens.C, 1e-9);
}

TEST(KiroFront, ZeroRadiusReportsTheFrontSurfaceFault) {
  TKiroCalculate k = Configured(7.80, 7.60, 0, 11.5, 0.45, -3, -1, 180, 12);
  k.Lens.clTyp = CLT_SPH;
  k.Lens.r0fl = 0;
  k.Lens.fv = 4.25;
  k.CalculateFrontParams(k.Lens);
  EXPECT_EQ(k.ErrCode(), 2);
  EXPECT_EQ(k.ErrMsg(), "Fehler bei der Berechnung der Vorderfläche!");
  EXPECT_EQ(k.Lens.fv, 4.25);  // stopped before the power was written
}

TEST(KiroPropose, DesignFromEccentricity) {
  struct {
    double e;
    TKiroContactLensDesign design;
  } cases[] = {{0.47, CLD_QUON},  {0.48, CLD_QUONF}, {0.64, CLD_QUONF},
               {0.65, CLD_QUON},  {-0.30, CLD_QUON}, {0.4799, CLD_QUON},
               {0.6499, CLD_QUON}, {0.48, CLD_QUONF}, {1.0, CLD_QUON}};
  for (auto c : cases) {
    TKiroCalculate k = Configured(7.8, 7.6, 0, 11.5, 0.45, -2, 0, 0, 12);
    TKiroCorneaData cornea = k.Cornea();
    cornea.HHe = c.e;
    k.SetCornea(cornea);
    EXPECT_EQ(k.ProposeLensDesignNew(), c.design) << c.e;
  }
}

TEST(KiroPropose, UnchosenDesignStillReturnsZeroButRecordsTheFault) {
  TKiroCalculate k = Configured(7.8, 7.6, 0, 11.5, 0.70, -2, 0, 0, 12);
  k.SetDefLensDesign(CLD_NONE);  // no band applies at 0.70, so the default is taken
  EXPECT_EQ(k.Propose(), 0);
  EXPECT_EQ(k.LensDesign(), CLD_NONE);
  EXPECT_EQ(k.ErrCode(), 2);
  EXPECT_EQ(k.ErrMsg(), "Fehler bei der Berechnung der Vorderfläche!");
}

TEST(KiroPropose, SecondProposalResetsTheResultButKeepsThePrism) {
  TKiroCalculate k = Configured(8.0, 7.3, 0, 12.7, 0.45, -2, -3.5, 180, 12);
  ASSERT_EQ(k.Propose(), 0);
  k.Lens.prs = 1.2;
  k.Lens.d0 = 7.0;
  EXPECT_DOUBLE_EQ(k.Lens.dg, 10.4);

  TKiroCorneaData c = k.Cornea();
  c.Rh = 7.8;
  c.Rv = 7.6;
  c.HHd = 11.1;
  c.HHe = 0.5;
  k.SetCornea(c);
  ASSERT_EQ(k.Propose(), 0);
  EXPECT_EQ(k.LensDesign(), CLD_QUONF);
  EXPECT_EQ(k.Lens.eps, 0);  // reset, and QUON-F sets none
  EXPECT_EQ(k.Lens.d0, 0);
  EXPECT_DOUBLE_EQ(k.Lens.dg, 9.2);
  EXPECT_DOUBLE_EQ(k.Lens.r0fl, 7.8);
  EXPECT_DOUBLE_EQ(k.Lens.prs, 1.2);
}

TEST(KiroPropose, NonFiniteInputNeverYieldsNaN) {
  const double bad[] = {kNaN, kInf, -kInf, 1e308};
  for (double b : bad) {
    for (int field = 0; field < 8; ++field) {
      double v[8] = {7.8, 7.6, 0, 11.5, -3, -1, 180, 12};
      v[field] = b;
      TKiroCalculate k = Configured(v[0], v[1], v[2], v[3], 0.45, v[4], v[5], v[6], v[7]);
      const int result = k.Propose();
      EXPECT_TRUE(result == 0 || result == -1);
      const TKiroContactLensData& l = k.Lens;
      for (double x : {l.r0fl, l.r0st, l.fv, l.fvst, l.dg, l.S, l.C, l.A, k.GetSph0(), k.GetCyl0(),
                       k.GetAxis0()})
        EXPECT_TRUE(std::isfinite(x)) << "field " << field << " value " << b;
    }
  }
}

}  // namespace
