#include "engine/KiroCalculate.h"

#include <algorithm>
#include <cmath>

namespace {

using ld = long double;

// pi to full extended precision.
constexpr ld kPi = 3.14159265358979323846264338327950288L;

// Internal signal of a calculation fault; each routine's guard turns it into its fallback.
struct Fault {};

void Require(bool ok) {
  if (!ok) throw Fault{};
}

void RequireFinite(std::initializer_list<double> values) {
  for (double v : values) Require(std::isfinite(v));
}

// Division that faults on a zero divisor or a non-finite result.
ld Div(ld a, ld b) {
  Require(b != 0.0L);
  const ld r = a / b;
  Require(std::isfinite(r));
  return r;
}

// Power p carried from vertex distance h (mm) to the cornea. A divisor that is zero up to
// the rounding of its decimal constant counts as zero: p would be the power whose focal
// point lies in the spectacle plane, and the quotient a meaningless huge number.
ld VertexPower(ld p, ld h) {
  const ld divisor = 1.0L - 0.001L * h * p;
  Require(std::fabs(divisor) > 1e-12L);
  return Div(p, divisor);
}

ld Sqrt(ld x) {
  Require(x >= 0.0L && std::isfinite(x));
  return std::sqrt(x);
}

// Stores an extended result as double; overflow or a non-finite value is a fault.
double Store(ld x) {
  const double d = static_cast<double>(x);
  Require(std::isfinite(d));
  return d;
}

// Power vector (J0, J45) of a cylinder at an axis given in radians; SEq is left to the caller.
TKiroResidualAstig PowerVector(double axis, double cyl) {
  TKiroResidualAstig v;
  v.J0 = Store(std::cos(2.0L * axis) * cyl / 2.0L);
  v.J45 = Store(std::sin(2.0L * axis) * cyl / 2.0L);
  return v;
}

}  // namespace

const char* ToString(TKiroContactLensDesign design) {
  switch (design) {
    case CLD_VELTA: return "CLD_VELTA";
    case CLD_RN3: return "CLD_RN3";
    case CLD_QUON: return "CLD_QUON";
    case CLD_QUONF: return "CLD_QUONF";
    case CLD_RNREV: return "CLD_RNREV";
    case CLD_RNKCN: return "CLD_RNKCN";
    case CLD_RNKCF: return "CLD_RNKCF";
    case CLD_RN: return "CLD_RN";
    case CLD_NONE: return "CLD_NONE";
    case CLD_UNKNOWN: return "CLD_UNKNOWN";
  }
  return "CLD_UNKNOWN";
}

const char* ToString(TKiroContactLensType type) {
  switch (type) {
    case CLT_NONE: return "CLT_NONE";
    case CLT_SPH: return "CLT_SPH";
    case CLT_MAC: return "CLT_MAC";
    case CLT_TORIC: return "CLT_TORIC";
    case CLT_VPT: return "CLT_VPT";
    case CLT_RT: return "CLT_RT";
    case CLT_BTC: return "CLT_BTC";
    case CLT_BT: return "CLT_BT";
  }
  return "CLT_NONE";
}

double rad(double Winkel) { return static_cast<double>(Winkel * kPi / 180.0L); }
double deg(double Winkel) { return static_cast<double>(Winkel * 180.0L / kPi); }

double RoundRadius(double value) {
  try {
    return Store(std::trunc(value * 20.0L + 0.5L) / 20.0L);
  } catch (const Fault&) {
    throw KiroCalcFault();
  }
}

double RoundDpt(double value, double roundTo) {
  try {
    const ld q = Div(value, roundTo);
    // The whole number of steps must fit a 64-bit integer.
    Require(std::fabs(q) < 9.2e18L);
    const ld n = std::nearbyint(q);  // nearest, exact halves to the even neighbour
    const double rest = Store(value - n * roundTo);
    ld result = n * roundTo;
    if (rest >= roundTo / 2.0L) result += roundTo;
    return Store(result);
  } catch (const Fault&) {
    throw KiroCalcFault();
  }
}

TKiroCalculate::TKiroCalculate() = default;

void TKiroCalculate::SetErrMsg(const std::string& Value) {
  fErrMsg = Value;
  if (Value.empty()) fErrCode = 0;
}

void TKiroCalculate::InitObj() {
  SetErrMsg("");
  TKiroCorneaData empty;
  empty.HHe = -1;
  empty.dHX = -1;
  empty.KC = -1;
  empty.Z22 = -1;
  SetCornea(empty);

  Lens.clDesign = CLD_NONE;
  Lens.clTyp = CLT_SPH;
  Lens.r0fl = Lens.r0st = 0;
  Lens.d0 = Lens.d1 = Lens.d2 = 0;
  Lens.r1 = Lens.r2 = Lens.r3 = 0;
  Lens.eps = 0;
  Lens.asw = 0;
  Lens.dg = 0;
  Lens.oval = 0;
  Lens.d0st = Lens.d1st = Lens.d2st = 0;
  Lens.fv = 0;
  Lens.S = Lens.C = Lens.A = 0;
  Lens.OptionalPrs = false;
}

void TKiroCalculate::SetAvailableDesigns(std::initializer_list<TKiroContactLensDesign> Designs) {
  fAvailableDesigns.assign(Designs.begin(), Designs.end());
}

void TKiroCalculate::SetAvailableDesigns(const std::vector<TKiroContactLensDesign>& Designs) {
  fAvailableDesigns = Designs;
}

void TKiroCalculate::SetCornea(const TKiroCorneaData& Value) {
  fCornea = Value;
  if (!(fCornea.HHe > -1.0)) fCornea.HHe = AverageEccentricity();
  fCornea.dR = static_cast<double>(std::fabs(static_cast<ld>(fCornea.Rh) - fCornea.Rv));
}

double TKiroCalculate::AverageEccentricity() const {
  const TKiroCorneaData& c = fCornea;
  const double e[4] = {c.e1, c.e2, c.e3, c.e4};
  const double rs[4] = {c.Rs1, c.Rs2, c.Rs3, c.Rs4};
  try {
    double ci[4];
    int negatives = 0;
    for (int i = 0; i < 4; ++i) {
      if (e[i] > -10.0) {
        ci[i] = e[i];
      } else {
        const double r0 = (i % 2 == 0) ? c.Rh : c.Rv;
        const ld ratio = Div(r0, rs[i]);
        const double z = Store(1.0L - ratio * ratio);
        ci[i] = z > 0 ? Store(2.0L * Sqrt(z)) : Store(-2.0L * Sqrt(-static_cast<ld>(z)));
      }
      if (ci[i] < 0) ++negatives;
    }
    if (negatives <= 2)
      for (double& v : ci)
        if (v < 0) v = 0;
    return Store((static_cast<ld>(ci[0]) + ci[1] + ci[2] + ci[3]) / 4.0L);
  } catch (const Fault&) {
    throw KiroCalcFault();
  }
}

void TKiroCalculate::TransformToMinusCylinder(const TKiroRefractionData& refraction,
                                              TKiroRefractionData& Result) {
  Result = refraction;
  try {
    RequireFinite({refraction.sph, refraction.cyl, refraction.Axis});
    if (refraction.cyl > 0) {
      Result.sph = Store(static_cast<ld>(refraction.sph) + refraction.cyl);
      Result.cyl = -refraction.cyl;
      Result.Axis = Store(refraction.Axis + 90.0L);
      if (Result.Axis >= 180) Result.Axis = Store(Result.Axis - 180.0L);
    }
  } catch (const Fault&) {
    Result.sph = Result.cyl = Result.Axis = 0;
  }
}

TKiroRefractionData TKiroCalculate::MinusCylinder() const {
  TKiroRefractionData r;
  TransformToMinusCylinder(fRefraction, r);
  return r;
}

double TKiroCalculate::GetSph0() const {
  const TKiroRefractionData m = MinusCylinder();
  const double s = m.sph;
  try {
    RequireFinite({fRefraction.HSA});
    if (fRefraction.HSA > 0 && std::fabs(s) >= 1.0)
      return Store(VertexPower(s, fRefraction.HSA));
    return s;
  } catch (const Fault&) {
    return s;
  }
}

double TKiroCalculate::GetCyl0() const {
  const TKiroRefractionData m = MinusCylinder();
  const double s = m.sph;
  const double c = m.cyl;
  try {
    RequireFinite({fRefraction.HSA});
    if (fRefraction.HSA > 0) {
      const double h = fRefraction.HSA;
      const double p1 = Store(VertexPower(s, h));
      const double sc = Store(static_cast<ld>(s) + c);
      const double p2 = Store(VertexPower(sc, h));
      return Store(static_cast<ld>(p2) - p1);
    }
    return c;
  } catch (const Fault&) {
    return c;
  }
}

double TKiroCalculate::GetAxis0() const { return MinusCylinder().Axis; }

void TKiroCalculate::GetGA(TKiroRefractionData& Result) const {
  try {
    const double a = rad(GetAxis0());
    const double c0 = GetCyl0();
    const double s0 = GetSph0();
    TKiroResidualAstig R = PowerVector(a, c0);
    R.SEq = Store(c0 / 2.0L + s0);

    RequireFinite({fCornea.Rh, fCornea.Rv, fCornea.Aflm});
    const double Rfl = std::max(fCornea.Rh, fCornea.Rv);
    const double Rst = std::min(fCornea.Rh, fCornea.Rv);
    double Kc = -999;
    if (Rfl != 0 && Rst != 0) Kc = Store(Div(337.5L, Rfl) - Div(337.5L, Rst));

    const double k = rad(fCornea.Aflm);
    TKiroResidualAstig K = PowerVector(k, Kc);
    K.SEq = Store(Kc / 2.0L);

    TKiroResidualAstig F;
    F.J0 = Store(static_cast<ld>(R.J0) - K.J0);
    F.J45 = Store(static_cast<ld>(R.J45) - K.J45);
    F.SEq = Store(static_cast<ld>(R.SEq) - K.SEq);

    double axis = deg(Store(0.5L * std::atan2(static_cast<ld>(F.J45), static_cast<ld>(F.J0))));
    if (axis < 0) axis = Store(axis + 180.0L);
    const double cyl = Store(2.0L * Sqrt(static_cast<ld>(F.J0) * F.J0 + static_cast<ld>(F.J45) * F.J45));
    const double sph = Store(F.SEq - cyl / 2.0L);
    Result.Axis = axis;
    Result.cyl = cyl;
    Result.sph = sph;
  } catch (const Fault&) {
    Result.sph = Result.cyl = Result.Axis = 0;
  }
}

void TKiroCalculate::CalculateLensParams(TKiroContactLensData& lens) {
  try {
    lens.r0fl = 0;
    lens.r0st = 0;
    const TKiroCorneaData& c = fCornea;
    RequireFinite({c.Rh, c.Rv, c.HHd});
    const double dR = Store(std::fabs(static_cast<ld>(c.Rv) - c.Rh));
    const double Rfl = c.Rh >= c.Rv ? c.Rh : c.Rv;
    const double Rst = c.Rh >= c.Rv ? c.Rv : c.Rh;
    const bool horizontalFlat = c.Rh > c.Rv;

    if (lens.clDesign != CLD_QUON && lens.clDesign != CLD_QUONF) {
      // No geometry for the other designs.
      fErrCode = 2;
      fErrMsg = "Allgemeiner Berechnungsfehler!";
      return;
    }

    double dg = 10.4;
    if (c.HHd < 12.601L) dg = 10.0;
    if (c.HHd < 12.201L) dg = 9.6;
    if (c.HHd < 11.191L) dg = 9.2;
    lens.dg = dg;

    if (lens.clDesign == CLD_QUON) {
      lens.eps = 0.3;
      lens.asw = 3;
    }

    TKiroContactLensType type;
    if (horizontalFlat)
      type = dR < 0.45L ? CLT_SPH : (dR < 0.6L ? CLT_MAC : CLT_TORIC);
    else
      type = dR <= 0.25L ? CLT_SPH : (dR < 0.35L ? CLT_MAC : CLT_TORIC);
    lens.clTyp = type;

    auto RR = [](ld x) { return RoundRadius(Store(x)); };
    if (horizontalFlat) {
      lens.r0fl = lens.clDesign == CLD_QUON ? RR(Rfl + 0.05L) : RR(Rfl);
      if (type == CLT_MAC)
        lens.r0st = Store(lens.r0fl - 0.35L);
      else if (type == CLT_TORIC)
        lens.r0st = dR > 0.45L ? RR(Rst + 0.15L) : RR(Rst + 0.1L);
      else
        lens.r0st = lens.r0fl;
    } else {
      if (type == CLT_SPH) {
        lens.r0fl = RR(Rfl + 0.05L);
        lens.r0st = lens.r0fl;
      } else if (type == CLT_MAC) {
        lens.r0fl = RR(Rfl + 0.15L);
        lens.r0st = Store(lens.r0fl - 0.35L);
      } else {
        lens.r0fl = RR(Rfl + 0.1L);
        lens.r0st = RR(Rst + 0.05L);
      }
    }
  } catch (const Fault&) {
    fErrCode = 1;
    fErrMsg = "Allgemeiner Berechnungsfehler!";
  } catch (const KiroCalcFault&) {
    fErrCode = 1;
    fErrMsg = "Allgemeiner Berechnungsfehler!";
  }
}

void TKiroCalculate::CalculateFrontParams(TKiroContactLensData& lens) {
  try {
    const double n = 1.427;
    RequireFinite({fCornea.Rh, fCornea.Rv, fCornea.Aflm, lens.r0fl, lens.r0st});
    const double Rfl = fCornea.Rh > fCornea.Rv ? fCornea.Rh : fCornea.Rv;
    const double Rst = fCornea.Rh > fCornea.Rv ? fCornea.Rv : fCornea.Rh;
    const double CorneaCyl = Store((Div(0.376L, Rfl) - Div(0.376L, Rst)) * 1000.0L);
    const double ptf = Store(Div((static_cast<ld>(Rfl) - lens.r0fl) * 336.0L,
                                 static_cast<ld>(Rfl) * lens.r0fl));
    lens.fv = RoundDpt(Store(GetSph0() - static_cast<ld>(ptf)), 0.25);

    TKiroRefractionData Res;
    GetGA(Res);
    lens.C = -Res.cyl;
    lens.S = Store(static_cast<ld>(Res.cyl) + Res.sph - lens.fv - ptf);
    lens.A = Res.Axis > 90 ? Store(Res.Axis - 90.0L) : Store(Res.Axis + 90.0L);

    // Candidate values of the toric types; a nested step that fails leaves its values at 0.
    TKiroResidualAstig Refra;
    TKiroResidualAstig Keratometry;
    double J0Btc = 0;
    double J45Btc = 0;
    double IndAst = 0;
    TKiroContactLensData RT;
    TKiroContactLensData BTC;
    const double r01 = lens.r0fl;
    const double r02 = lens.r0st;

    // Flat power of both toric candidates: 0.15 D less than the spherical lens's.
    auto ToricFlatPower = [&] { return RoundDpt(Store(GetSph0() - static_cast<ld>(ptf) - 0.15L), 0.25); };

    auto PreCalculation = [&]() -> bool {
      try {
        const double a = rad(GetAxis0());
        const double k = rad(fCornea.Aflm);
        Refra = PowerVector(a, GetCyl0());
        Keratometry = PowerVector(k, CorneaCyl);
        return true;
      } catch (...) {
        return false;
      }
    };

    auto CalculateBTCPower = [&]() -> bool {
      try {
        BTC.fv = ToricFlatPower();
        const double X = Store(Div(1.0L, r02) - Div(1.0L, r01));
        BTC.fvst = RoundDpt(Store(X * 1000.0L + BTC.fv - X * 1336.0L), 0.25);
        J0Btc = Store(static_cast<ld>(Refra.J0) - Keratometry.J0);
        J45Btc = Store(static_cast<ld>(Refra.J45) - Keratometry.J45);
        BTC.C = Store(-2.0L * Sqrt(static_cast<ld>(J0Btc) * J0Btc + static_cast<ld>(J45Btc) * J45Btc));
        return true;
      } catch (...) {
        return false;
      }
    };

    auto CalculateRTPower = [&]() -> bool {
      try {
        RT.fv = ToricFlatPower();
        IndAst = Store((Div(n - 1.336L, r01) - Div(n - 1.336L, r02)) * 1000.0L);
        const double k = rad(fCornea.Aflm);
        const TKiroResidualAstig I = PowerVector(k, IndAst);
        const double j0 = Store(static_cast<ld>(J0Btc) - I.J0);
        const double j45 = Store(static_cast<ld>(J45Btc) - I.J45);
        RT.C = Store(-2.0L * Sqrt(static_cast<ld>(j0) * j0 + static_cast<ld>(j45) * j45));
        return true;
      } catch (...) {
        return false;
      }
    };

    switch (lens.clTyp) {
      case CLT_SPH:
        lens.OptionalPrs = std::fabs(lens.C) >= 0.75L;
        if (lens.OptionalPrs)
          fInfoMsg =
              "ACHTUNG! Die Berechnung ergibt eine VPT. Bei ZYQ-Bestellung bitte Prisma über "
              "Optionen mit bestellen.";
        break;
      case CLT_MAC: {
        PreCalculation();
        CalculateBTCPower();
        CalculateRTPower();
        const double d = Store(std::fabs(static_cast<ld>(CorneaCyl)) - std::fabs(GetCyl0()));
        if (d + std::fabs(static_cast<ld>(IndAst)) <= 0.5L) {
          lens.clTyp = CLT_RT;
          lens.fv = RT.fv;
        }
        break;
      }
      case CLT_TORIC: {
        PreCalculation();
        CalculateBTCPower();
        CalculateRTPower();
        const double d = Store(std::fabs(static_cast<ld>(CorneaCyl)) - std::fabs(GetCyl0()));
        if (std::fabs(static_cast<ld>(d)) <= 0.5L) {
          lens.clTyp = CLT_BTC;
          lens.fv = BTC.fv;
          lens.fvst = BTC.fvst;
        } else if (std::fabs(d + std::fabs(static_cast<ld>(IndAst))) <= 0.5L) {
          lens.clTyp = CLT_RT;
          lens.fv = RT.fv;
        } else if (std::fabs(RT.C) < std::fabs(BTC.C)) {
          lens.clTyp = CLT_RT;
          lens.fv = RT.fv;
        } else {
          lens.clTyp = CLT_BTC;
          lens.fv = BTC.fv;
          lens.fvst = BTC.fvst;
        }
        break;
      }
      default:
        break;
    }
  } catch (...) {
    fErrCode = 2;
    fErrMsg = "Fehler bei der Berechnung der Vorderfläche!";
  }
}

TKiroContactLensDesign TKiroCalculate::ProposeLensDesignNew() const {
  auto HasDesign = [this](TKiroContactLensDesign Design) {
    return std::find(fAvailableDesigns.begin(), fAvailableDesigns.end(), Design) !=
           fAvailableDesigns.end();
  };
  const double e = fCornea.HHe;
  if (!std::isfinite(e)) return CLD_NONE;
  TKiroContactLensDesign result = fDefLensDesign;
  if (HasDesign(CLD_QUONF)) {
    if (e < 0.6499L) result = CLD_QUONF;
    if (e < 0.4799L) result = CLD_QUON;
  }
  return result;
}

std::int32_t TKiroCalculate::Propose() {
  fInfoMsg.clear();
  try {
    Lens.clTyp = CLT_SPH;
    Lens.clDesign = CLD_NONE;
    Lens.r0fl = Lens.r0st = 0;
    Lens.d0 = Lens.d1 = Lens.d2 = 0;
    Lens.r1 = Lens.r2 = Lens.r3 = 0;
    Lens.eps = 0;
    Lens.dg = 0;
    Lens.S = Lens.C = Lens.A = 0;
    Lens.asw = 0;
    Lens.OptionalPrs = false;
    Lens.clDesign = ProposeLensDesignNew();
    CalculateLensParams(Lens);
    CalculateFrontParams(Lens);
    fLensDesign = Lens.clDesign;
    fLensType = Lens.clTyp;
    return 0;
  } catch (...) {
    return -1;
  }
}
