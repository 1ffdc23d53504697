#include "engine/CorneaObject.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.1415926535897932385;

double rad(double degrees) { return degrees * kPi / 180.0; }

double sqr(double x) { return x * x; }

// Sagittal radius corrected by the central toricity d (added on the flat meridian,
// subtracted on the steep one), or the raw radius when no correction applies.
double Corrected(double raw, double r0fl, double r0st, bool flatMeridian) {
  double value = raw;
  if (r0fl > 0.0 && r0st > 0.0 && raw > 0.0) {
    const double d = r0fl - r0st;
    value = flatMeridian ? raw + d : raw - d;
  }
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace

double TCornea::CentralAstig() const {
  const double value = fR0fl - fR0st;
  return std::isfinite(value) ? value : 0.0;
}

double TCornea::HHAstig() const {
  if (fR0fl == 0.0 || fR0st == 0.0) return 0.0;
  const double value = (1.0 / fR0fl - 1.0 / fR0st) * 0.376 * 1000.0;
  return std::isfinite(value) ? value : 0.0;
}

double TCornea::Rk1() const { return Corrected(fRS1, fR0fl, fR0st, true); }
double TCornea::Rk2() const { return Corrected(fRS2, fR0fl, fR0st, false); }
double TCornea::Rk3() const { return Corrected(fRS3, fR0fl, fR0st, true); }
double TCornea::Rk4() const { return Corrected(fRS4, fR0fl, fR0st, false); }

double TCornea::PeripherAstig() const {
  const double k1 = Rk1(), k2 = Rk2(), k3 = Rk3(), k4 = Rk4();
  if (!(k1 > 0.0 && k2 > 0.0 && k3 > 0.0 && k4 > 0.0)) return 0.0;
  const double value = (k1 + k3) / 2.0 - (k2 + k4) / 2.0;
  return std::isfinite(value) ? value : 0.0;
}

double TCornea::GewRadius(double a, double b) {
  const double hi = std::max(a, b);
  const double lo = std::min(a, b);
  const double diff = hi - lo;
  double value = 0.0;
  if (diff <= 0.3)
    value = (hi + lo) / 2.0;
  else if (diff < 0.7)
    value = (hi + 2.0 * lo) / 3.0;
  else
    value = (hi + 3.0 * lo) / 4.0;
  return std::isfinite(value) ? value : 0.0;
}

double TCornea::RSM() const {
  const double value = (GewRadius(fRS1, fRS3) + GewRadius(fRS2, fRS4)) / 2.0;
  return std::isfinite(value) ? value : 0.0;
}

double TCornea::Exzentricity(double r, double s, double ang) {
  double value = -1.0;
  if (s == 0.0) return 0.0;
  if (r > s) {
    const double sine = std::sin(rad(ang));
    if (sine == 0.0) return -1.0;
    value = -std::sqrt(std::fabs(1.0 - sqr(r / s))) / sine;
  } else if (r == s) {
    return 0.0;
  } else if (r < s) {
    if (ang == 0.0) return -1.0;
    const double sine = std::sin(rad(ang));
    const double radicand = 1.0 - sqr(r / s);
    if (sine == 0.0 || radicand < 0.0) return -1.0;
    value = std::sqrt(radicand) / sine;
  }
  // Unordered (non-finite) inputs fall through with -1.
  return std::isfinite(value) ? value : -1.0;
}

double TCornea::epsMittel() const {
  const double rsm = RSM();
  if (!(rsm > 0.0 && fR0fl > 0.0 && fR0st > 0.0)) return 0.0;
  const double mean = (fR0fl + fR0st) / 2.0;
  if (!std::isfinite(mean)) return 0.0;
  return Exzentricity(mean, rsm, fMW);
}
