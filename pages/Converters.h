#pragma once
// Workflows of the two converter pages, free of widgets: the eyeglass refraction carried
// to vertex distance 0 (in minus-cylinder form) and the conversion between a Q-value and
// a mean eccentricity.

#include <optional>
#include <string>
#include <string_view>

#include "controls/OrvekValue.h"
#include "engine/CalculationTORIC.h"

namespace pages::convert {

// Vertex-distance page; an empty field reads as -1.
inline constexpr double kHsaNoValue = -1.0;
inline constexpr orvek::FieldSpec kHsaSph{"EditHSASph", 2, 0.25, -25, 25, kHsaNoValue, "Sph.", ""};
inline constexpr orvek::FieldSpec kHsaCyl{"EditHSACyl", 2, 0.25, -12, 12, kHsaNoValue, "Zyl.", ""};
inline constexpr orvek::FieldSpec kHsaAxis{"EditHSAAxis", 0, 1, -100, 180, kHsaNoValue, "Achse", ""};
inline constexpr orvek::FieldSpec kHsaHsa{"EditHSAHSA", 0, 1, 5, 25, kHsaNoValue, "HSA", ""};

// Q-value page; an empty field reads as -999. The fields report no range violation:
// values outside their ranges are converted like any other.
inline constexpr double kQNoValue = -999.0;
inline constexpr orvek::FieldSpec kQ{"EditQ", 2, 0.01, -25, 25, kQNoValue, "Q-Wert", ""};
inline constexpr orvek::FieldSpec kExc{"EditExc", 2, 0.01, -12, 12, kQNoValue, "Mittlere Exzentrizität", ""};

// Leaving the cylinder field: an empty text becomes "0"; the axis fields are shown exactly
// when the cylinder's absolute value exceeds 0.01 (the focus then moves to the axis, else
// to the vertex distance).
struct CylLeave {
  std::optional<std::string> newText;  // the field's new text, when it changes
  bool axisNeeded = false;
};
CylLeave CylinderLeft(std::string_view cylText);

// Whether the inputs hold readable numbers (the axis counts only while visible).
bool HsaInputsComplete(std::string_view sphText, std::string_view cylText,
                       std::string_view axisText, bool axisVisible, std::string_view hsaText);

// The refraction at vertex distance 0 and its texts. Empty when the conversion fails.
struct HsaResult {
  double sph0 = 0.0;
  double cyl0 = 0.0;
  double axis0 = 0.0;
  std::string sphText;   // 2 decimals
  std::string cylText;   // 2 decimals
  std::string axisText;  // 0 decimals
};
// cyl is 0 and axis 0 when their fields are hidden, as the page reads them.
std::optional<HsaResult> ConvertHSA(const TCalculationToric& engine, double sph, double cyl,
                                    double axis, double hsa, char separator);

// Q-value to mean eccentricity: sqrt(|Q|). Empty when Q is -999 or below (no value).
std::optional<double> QToEccentricity(double q);
// Mean eccentricity to Q-value: -e². Empty when e is -999 or below (no value).
std::optional<double> EccentricityToQ(double e);

}  // namespace pages::convert
