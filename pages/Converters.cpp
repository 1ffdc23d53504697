#include "pages/Converters.h"

#include <cmath>

namespace pages::convert {

CylLeave CylinderLeft(std::string_view cylText) {
  CylLeave r;
  if (cylText.empty()) {
    cylText = "0";
    r.newText.emplace(cylText);
  }
  const double cyl = orvek::ReadValue(cylText, kHsaCyl.step, kHsaCyl.defaultValue);
  r.axisNeeded = std::fabs(cyl) > 0.01;
  return r;
}

bool HsaInputsComplete(std::string_view sphText, std::string_view cylText,
                       std::string_view axisText, bool axisVisible, std::string_view hsaText) {
  // An unreadable text counts as missing: it would read as -1, which is a real power
  // (-1.00 D) and would be converted as if it had been typed.
  auto given = [](std::string_view text) {
    return !text.empty() && orvek::StringToFloat(text).has_value();
  };
  return given(sphText) && given(cylText) && given(hsaText) && (!axisVisible || given(axisText));
}

std::optional<HsaResult> ConvertHSA(const TCalculationToric& engine, double sph, double cyl,
                                    double axis, double hsa, char separator) {
  TRefraction r{};
  r.Sph = sph;
  r.Cyl = cyl;
  r.Axis = axis;
  r.HSA = hsa;
  try {
    engine.Transform2MinusCylinder(r);
    r = engine.CalculateHSA0(r);
  } catch (const EHsaConversionError&) {
    return std::nullopt;
  }
  HsaResult out;
  out.sph0 = r.Sph;
  out.cyl0 = r.Cyl;
  out.axis0 = r.Axis;
  out.sphText = orvek::FormatFixed(r.Sph, 2, separator);
  out.cylText = orvek::FormatFixed(r.Cyl, 2, separator);
  out.axisText = orvek::FormatFixed(r.Axis, 0, separator);
  return out;
}

std::optional<double> QToEccentricity(double q) {
  if (!(q > kQNoValue) || !std::isfinite(q)) return std::nullopt;
  return q > 0.0 ? std::sqrt(q) : std::sqrt(-q);
}

std::optional<double> EccentricityToQ(double e) {
  if (!(e > kQNoValue)) return std::nullopt;
  const double q = -(e * e);
  if (!std::isfinite(q)) return std::nullopt;
  return q + 0.0;
}

}  // namespace pages::convert
