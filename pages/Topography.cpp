#include "pages/Topography.h"

#include <cmath>

namespace pages::topo {

namespace {

bool HoldsValue(double value) { return value != kNoValue; }

}  // namespace

std::optional<CentralTexts> SetR0Values(TCornea& cornea, const TopoEye& eye, char separator) {
  if (!(HoldsValue(eye.rfl) && HoldsValue(eye.rst) && HoldsValue(eye.aflm) &&
        HoldsValue(eye.mw)))
    return std::nullopt;
  cornea.SetR0fl(eye.rfl);
  cornea.SetR0st(eye.rst);
  cornea.SetAflm(eye.aflm);
  cornea.SetMW(eye.mw);
  CentralTexts t;
  t.axis1 = orvek::FormatFixed(eye.aflm + 90.0, 0, separator);
  t.toriCentr = orvek::FormatFixed(cornea.CentralAstig(), 2, separator);
  t.hhAstigCentr = orvek::FormatFixed(cornea.HHAstig(), 2, separator);
  // The axis field holds a whole number within its range; anything else gives 0.
  const double axis = std::trunc(eye.aflm);
  t.labels = SetLabels(std::isfinite(axis) && std::fabs(axis) < 1e6 ? static_cast<int>(axis) : 0);
  return t;
}

std::optional<std::string> SetRsValues(TCornea& cornea, const TopoEye& eye, char separator) {
  for (double r : eye.rs)
    if (!HoldsValue(r)) return std::nullopt;
  cornea.SetRS1(eye.rs[0]);
  cornea.SetRS2(eye.rs[1]);
  cornea.SetRS3(eye.rs[2]);
  cornea.SetRS4(eye.rs[3]);
  return orvek::FormatFixed(cornea.PeripherAstig(), 2, separator);
}

bool IsHorizontal(double aflm) {
  return (0.0 <= aflm && aflm <= 45.0) || (135.0 < aflm && aflm <= 180.0);
}

std::string CalculateExz(double r0, double r0st, double rs, double aflm, double mw,
                         bool horicontal, char separator) {
  if (!(HoldsValue(r0) && HoldsValue(rs) && HoldsValue(r0st) && HoldsValue(aflm) &&
        HoldsValue(mw)))
    return {};
  const long double w = mw * 0.017453292519943295769L;
  long double rh = r0, rv = r0st;
  if (45.0L < aflm && aflm < 135.0L) {
    rh = r0st;
    rv = r0;
  }
  const long double dR = rh - rv;
  const long double rSag = horicontal ? rs + dR : rs - dR;
  const long double r = horicontal ? rh : rv;
  const long double sine = std::fabs(std::sin(w));
  if (rSag == 0.0L || sine == 0.0L) return {};
  const long double zw = 1.0L - r * r / (rSag * rSag);
  const long double v = zw > 0.0L ? std::sqrt(zw) / sine : -std::sqrt(-zw) / sine;
  const double result = static_cast<double>(v);
  if (!std::isfinite(result)) return {};
  return orvek::FormatFixed(result, 2, separator);
}

std::array<std::string, 4> MeridionalEccentricities(const TopoEye& eye, char separator) {
  const bool horicontal = IsHorizontal(eye.aflm);
  const bool vertical = !horicontal;
  std::array<std::string, 4> e;
  for (size_t i = 0; i < 4; ++i)
    e[i] = CalculateExz(eye.rfl, eye.rst, eye.rs[i], eye.aflm, eye.mw,
                        i % 2 == 0 ? horicontal : vertical, separator);
  return e;
}

std::array<std::string, 4> SetLabels(int axis) {
  std::array<std::string, 4> labels;
  long long value = axis;
  for (size_t i = 0; i < 4; ++i) {
    if (i > 0) {
      value += 90;
      if (value > 360) value -= 360;
    }
    labels[i] = std::to_string(value) + "°";
  }
  return labels;
}

std::optional<std::string> SetAvgExz(const TCornea& cornea, bool centralOk, bool sagittalOk,
                                     char separator) {
  if (!(centralOk && sagittalOk)) return std::nullopt;
  return orvek::FormatFixed(cornea.epsMittel(), 2, separator);
}

TopoEyeResult UpdateEye(TCornea& cornea, const TopoEye& eye, char separator) {
  TopoEyeResult r;
  r.central = SetR0Values(cornea, eye, separator);
  r.toriPeri = SetRsValues(cornea, eye, separator);
  r.eccentricities = MeridionalEccentricities(eye, separator);
  r.em = SetAvgExz(cornea, r.central.has_value(), r.toriPeri.has_value(), separator);
  r.showTransfer = r.em.has_value();
  return r;
}

}  // namespace pages::topo
