#include "engine/CalculationTORIC.h"

#include "controls/OrvekValue.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Raised inside Calculate by any arithmetic fault; Calculate turns it into -1.
struct ArithmeticFault {};

double Checked(double value) {
  if (!std::isfinite(value)) throw ArithmeticFault{};
  return value;
}

double Div(double numerator, double denominator) {
  if (denominator == 0.0) throw ArithmeticFault{};
  return Checked(numerator / denominator);
}

// cos and sin of twice an axis in degrees. Axes that are multiples of 45 degrees give
// exact values, so that cylinders at 0 and 90 degrees add up without a stray sine term
// and the resulting axes compare equal to exactly 0 and 90.
void CosSin2(double axisDeg, double& c, double& s) {
  Checked(axisDeg);
  const double twice = std::fmod(2.0 * axisDeg, 360.0);
  const double turn = twice < 0.0 ? twice + 360.0 : twice;
  if (turn == 0.0 || turn == 360.0) {
    c = 1.0;
    s = 0.0;
  } else if (turn == 90.0) {
    c = 0.0;
    s = 1.0;
  } else if (turn == 180.0) {
    c = -1.0;
    s = 0.0;
  } else if (turn == 270.0) {
    c = 0.0;
    s = -1.0;
  } else {
    const double r = turn * std::numbers::pi / 180.0;
    c = std::cos(r);
    s = std::sin(r);
  }
}

// A sphero-cylinder in minus-cylinder form.
struct Power {
  double Sph = 0.0;
  double Cyl = 0.0;
  double Axis = 0.0;
};

// Crossed-cylinder addition of two sphero-cylinders; the result is in minus-cylinder form.
Power Combine(double s1, double c1, double a1, double s2, double c2, double a2) {
  double cos1 = 0.0, sin1 = 0.0, cos2 = 0.0, sin2 = 0.0;
  CosSin2(a1, cos1, sin1);
  CosSin2(a2, cos2, sin2);
  double x = Checked(Checked(c1 * cos1) + Checked(c2 * cos2));
  const double y = Checked(Checked(c1 * sin1) + Checked(c2 * sin2));
  if (std::fabs(x) < 0.0001) x = 1e-6;
  const double cr = Checked(std::sqrt(Checked(Checked(x * x) + Checked(y * y))));
  Power p;
  p.Sph = Checked(s1 + s2 + Checked(Checked(c1 + c2 + cr) / 2.0));
  p.Cyl = -cr;
  if (y == 0.0) {
    // The angle is exactly 0 or pi: the axis is exactly 90 or 0.
    p.Axis = x > 0.0 ? 90.0 : 0.0;
    return p;
  }
  double phi = std::atan(Div(y, x));
  if (x < 0.0) phi -= std::numbers::pi;
  if (phi < 0.0) phi += 2.0 * std::numbers::pi;
  double axis = phi / 2.0 * 180.0 / std::numbers::pi + 90.0;
  if (axis >= 180.0) axis -= 180.0;
  p.Axis = Checked(axis);
  return p;
}

// Round to a multiple of digit, halves to the even multiple.
double RoundTo(double value, double digit) {
  const double factor = Div(1.0, digit);
  return Checked(Div(std::nearbyint(Checked(value * factor)), factor));
}

// Quarter dioptres, halves away from zero.
double RoundDpt(double value) {
  Checked(value);
  const double g = std::trunc(value);
  const double r = std::fabs(value - g);
  double step = 1.0;
  if (r < 0.125)
    step = 0.0;
  else if (r < 0.375)
    step = 0.25;
  else if (r < 0.625)
    step = 0.5;
  else if (r < 0.875)
    step = 0.75;
  return (value > 0.0 ? g + step : g - step) + 0.0;  // + 0.0 turns -0 into 0
}

// Back surface astigmatism in air.
double Astigmatism(const TContactLensParams& l) {
  if (!(l.R0fl > l.R0st)) return 0.0;
  return Checked((1.0 - l.Nh) * Checked(Div(1.0, l.R0st) - Div(1.0, l.R0fl)) * 1000.0);
}

// Astigmatism induced on the eye by the toric back through the tear film.
double IndAstigmatism(const TContactLensParams& l) {
  if (!(l.R0fl > l.R0st)) return 0.0;
  return Checked((nt - l.Nh) * Checked(Div(1.0, l.R0st) - Div(1.0, l.R0fl)) * 1000.0);
}

// Change of tear-lens power when the flat back radius changes from trial to final lens.
double DeltaSph(double r0flTrial, double r0flFinal) {
  if (r0flTrial == r0flFinal) return 0.0;
  return Checked(Checked(Div(1.0, r0flFinal) - Div(1.0, r0flTrial)) * (-0.336) * 1000.0);
}

// IsBTC with faults raised.
bool CheckedIsBTC(double r0fl, double r0st, double dptfl, double dptst) {
  const double delta = Checked(Div(1.0, r0st) - Div(1.0, r0fl));
  const double diff = Checked(dptfl + 1000.0 * delta - 1336.0 * delta - dptfl);
  const double cyl = Checked(dptst - dptfl);
  return diff - 0.125 < cyl && cyl < diff + 0.125;
}

}  // namespace

std::optional<double> toric::RoundTo(double value, double digit) {
  try {
    return ::RoundTo(value, digit);
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

std::optional<double> toric::RoundDpt(double value) {
  try {
    return ::RoundDpt(value);
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

std::string BtxQuestionText(const TBtxQuestion& question, char separator) {
  // Independent of the C library's locale, rounded like every number the program shows.
  auto fixed = [separator](double value, int digits) {
    return orvek::FormatFixed(std::isfinite(value) ? value : 0.0, digits, separator);
  };
  return "Die Berechnung der Endlinse ergibt eine BTX - Linse!\n"
         "Die Achse des Vordertorus liegt in " +
         fixed(question.Axis, 1) +
         "° Tabo\n"
         "Der errechnete Restastigmatismus beträgt " +
         fixed(question.Residual, 2) +
         "dpt\n"
         "BTX als endgültige Linse berechnen?";
}

TCalculationToric::TCalculationToric() = default;

void TCalculationToric::InitObj() {
  fUref.Sph = 0.0;
  fUref.Cyl = 0.0;
  fUref.Axis = 0.0;
  fUref.Visus = 1.0;
  fUref.HSA = 14.0;
  for (TContactLensParams* lens : {&TrialLens, &FinalLens}) {
    lens->typ = TContactLensTypes::sNone;
    lens->Nh = 0.0;
    lens->R0fl = 0.0;
    lens->R0st = 0.0;
    lens->Dptfl = 0.0;
    lens->Dptst = 0.0;
    lens->Cyl = 0.0;
    lens->AG = 0.0;
    lens->A = 0.0;
    lens->Stab = 0.0;
  }
}

void TCalculationToric::Transform2MinusCylinder(TRefraction& param) const {
  if (param.Cyl > 0.0) {
    param.Sph = param.Sph + param.Cyl;
    param.Cyl = -param.Cyl;
    param.Axis = param.Axis + 90.0;
    if (param.Axis >= 180.0) param.Axis -= 180.0;
  }
}

TRefraction TCalculationToric::CalculateHSA0(const TRefraction& param) const {
  TRefraction result = param;
  try {
    if (param.HSA > 0.0) {
      const double h = Checked(0.001 * param.HSA);
      const double sph = Checked(param.Sph);
      const double total = Checked(param.Sph + param.Cyl);
      const double s0 = Div(sph, Checked(1.0 - Checked(h * sph)));
      const double t0 = Div(total, Checked(1.0 - Checked(h * total)));
      result.Sph = s0;
      result.Cyl = Checked(t0 - s0);
    }
    Checked(result.Sph);
    Checked(result.Cyl);
    Checked(result.Axis);
    Checked(result.HSA);
  } catch (const ArithmeticFault&) {
    throw EHsaConversionError(param);
  }
  return result;
}

bool TCalculationToric::IsBTC(const TContactLensParams& param) const {
  try {
    return CheckedIsBTC(param.R0fl, param.R0st, param.Dptfl, param.Dptst);
  } catch (const ArithmeticFault&) {
    return false;
  }
}

double TCalculationToric::FormatDPT(double value) const {
  if (!std::isfinite(value)) return 0.0;
  // Beyond 2^50 every double is already a whole number of quarters (and x4 could overflow).
  if (std::fabs(value) > 0x1p50) return value;
  const double quarters = std::trunc(std::fabs(value) * 4.0 + 0.5);
  const double rounded = quarters / 4.0;
  return (value < 0.0 ? -rounded : rounded) + 0.0;
}

int TCalculationToric::Calculate() {
  using T = TContactLensTypes;
  fHint.clear();
  const double keptAGCorr = Results.AGCorr;
  Results = TCalculatedValues{};
  Results.AGCorr = keptAGCorr;

  double sphDiff = 0.0, astigTrial = 0.0, astigFinal = 0.0, indAstigTrial = 0.0,
         indAstigFinal = 0.0;
  const T trialType = TrialLens.typ;
  // Only these trial types describe a lens the calculation knows; the others
  // (none chosen, sVPTinBT, anything undefined) compute nothing.
  const bool known = trialType == T::sSPH || trialType == T::sRT || trialType == T::sBT ||
                     trialType == T::sBTC || trialType == T::sBTX || trialType == T::sVPT;
  try {
    TRefraction minus = fUref;
    Transform2MinusCylinder(minus);
    try {
      fUref0 = CalculateHSA0(minus);
    } catch (const EHsaConversionError&) {
      throw ArithmeticFault{};
    }
    if (TrialLens.R0st <= 0.0) TrialLens.R0st = TrialLens.R0fl;
    if (TrialLens.Nh <= 1.0) TrialLens.Nh = FinalLens.Nh;
    sphDiff = DeltaSph(TrialLens.R0fl, FinalLens.R0fl);
    astigTrial = Astigmatism(TrialLens);
    astigFinal = Astigmatism(FinalLens);
    indAstigTrial = IndAstigmatism(TrialLens);
    indAstigFinal = IndAstigmatism(FinalLens);
  } catch (const ArithmeticFault&) {
    return known ? -1 : 0;
  }
  if (!known) return 0;

  try {
    // Power of the trial lens.
    double s1 = TrialLens.Dptfl, c1 = 0.0, a1 = 0.0;
    switch (trialType) {
      case T::sSPH:
        astigTrial = 0.0;
        indAstigTrial = 0.0;
        break;
      case T::sRT:
        c1 = astigTrial;
        break;
      case T::sBT:
      case T::sBTC:
        if (CheckedIsBTC(TrialLens.R0fl, TrialLens.R0st, TrialLens.Dptfl, TrialLens.Dptst)) {
          astigTrial = 0.0;
          indAstigTrial = 0.0;
        } else {
          c1 = Checked(TrialLens.Dptst - TrialLens.Dptfl);
          a1 = TrialLens.AG;
        }
        break;
      case T::sBTX:
        c1 = Checked(TrialLens.Dptst - TrialLens.Dptfl);
        a1 = TrialLens.AG;
        break;
      case T::sVPT:
        c1 = TrialLens.Cyl;
        a1 = TrialLens.A;
        break;
      default:
        return 0;
    }

    // Over-refraction axis corrected by the rotation of the trial lens.
    double axisOver = Checked(fUref0.Axis - fUref.Stab);
    if (axisOver < 0.0) axisOver += 180.0;

    // Front surface of the trial lens: its back surface astigmatism removed.
    const Power frontTrial = Combine(s1, c1, a1, -astigTrial, astigTrial, 90.0);

    // Front surface of the final lens: change of back radius and induced astigmatism,
    // then the over-refraction.
    const double deltaInd = Checked(indAstigTrial - indAstigFinal);
    const Power carried = Combine(Checked(deltaInd + sphDiff), -deltaInd, 90.0, frontTrial.Sph,
                                  frontTrial.Cyl, frontTrial.Axis);
    Power front = Combine(fUref0.Sph, fUref0.Cyl, axisOver, carried.Sph, carried.Cyl, carried.Axis);

    // A small front cylinder is dropped.
    if (std::fabs(front.Cyl) < 0.13) {
      front.Cyl = 0.0;
      front.Axis = 0.0;
    }

    // A front cylinder nearly aligned with a toric back: keep the oblique axis (BTX) or
    // align it and accept the residual astigmatism.
    if (std::fabs(FinalLens.R0fl - FinalLens.R0st) > 0.01) {
      double dev = 0.0;
      if (85.0 <= front.Axis && front.Axis <= 95.0) dev = 90.0 - front.Axis;
      if (front.Axis <= 5.0) dev = front.Axis;
      if (front.Axis >= 175.0) dev = 180.0 - front.Axis;
      if (std::fabs(dev) > 0.001) {
        const double residual =
            Checked(std::sin(dev * 0.017453292519943295) * 2.0 * front.Cyl);
        if (std::fabs(residual) < 0.5) {
          const bool keep = fBtxAnswer ? fBtxAnswer(TBtxQuestion{front.Axis, residual}) : true;
          if (!keep) front.Axis = (45.0 < front.Axis && front.Axis < 135.0) ? 90.0 : 0.0;
        }
      }
    }

    Results.Sph = RoundTo(front.Sph, 0.01);
    Results.Cyl = RoundTo(front.Cyl, 0.01);
    Results.A = RoundTo(front.Axis, 0.1);

    // Back vertex powers in the principal meridians of the final back surface.
    const Power bvp = Combine(0.0, astigFinal, 0.0, front.Sph, front.Cyl, front.Axis);
    Results.AG = RoundTo(bvp.Axis, 0.1);
    const double sum = Checked(bvp.Sph + bvp.Cyl);
    if (bvp.Axis == 90.0 && astigFinal != 0.0) {
      Results.DptflUncorr = RoundTo(sum, 0.001);
      Results.DptstUncorr = RoundTo(bvp.Sph, 0.001);
      const double s = RoundDpt(bvp.Sph), c = RoundDpt(bvp.Cyl);
      Results.Dptfl = Checked(s + c);
      Results.Dptst = s;
    } else {
      Results.DptflUncorr = RoundTo(bvp.Sph, 0.001);
      Results.DptstUncorr = RoundTo(sum, 0.001);
      const double s = RoundDpt(bvp.Sph), c = RoundDpt(bvp.Cyl);
      Results.Dptfl = s;
      Results.Dptst = Checked(s + c);
    }

    // Corrected angle of the resulting cylinder.
    const Power res =
        Combine(0.0, Checked(Results.Dptst - Results.Dptfl), Results.AG, 0.0, astigFinal, 90.0);
    const double cylCorr = -res.Cyl;
    const Power corr = Combine(0.0, astigFinal, 0.0, 0.0, cylCorr, res.Axis);
    Results.AGCorr = RoundTo(corr.Axis, 0.1);

    // Quarter rounding and lens type.
    Results.Dptfl = RoundDpt(Results.Dptfl);
    Results.Dptst = RoundDpt(Results.Dptst);
    Results.Sph = RoundDpt(Results.Sph);
    Results.Cyl = RoundDpt(Results.Cyl);
    const bool toricBack = std::fabs(FinalLens.R0fl - FinalLens.R0st) > 0.01;
    if (std::fabs(Results.Cyl) > 0.001) {
      if (toricBack) {
        FinalLens.typ = T::sBT;
        if (CheckedIsBTC(FinalLens.R0fl, FinalLens.R0st, Results.Dptfl, Results.Dptst) &&
            Results.A == 90.0)
          FinalLens.typ = T::sBTC;
        if (Results.A != 0.0 && Results.A != 90.0) FinalLens.typ = T::sBTX;
        FinalLens.Dptfl = Results.Dptfl;
        FinalLens.Dptst = Results.Dptst;
      } else {
        FinalLens.typ = T::sVPT;
      }
    } else {
      FinalLens.typ = FinalLens.R0fl != FinalLens.R0st ? T::sRT : T::sSPH;
      FinalLens.Dptfl = Results.Dptfl;
      FinalLens.Dptst = 0.0;
    }

    if (Results.Cyl == 0.0) FinalLens.typ = FinalLens.R0fl != FinalLens.R0st ? T::sRT : T::sSPH;
    FinalLens.AG = Results.AG;
    FinalLens.AGCorr = Results.AGCorr;
    FinalLens.Sph = Results.Sph;
    FinalLens.Cyl = Results.Cyl;
    FinalLens.A = Results.A;
  } catch (const ArithmeticFault&) {
    return -1;
  }
  return 1;
}
