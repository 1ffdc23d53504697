#pragma once
// Prescription-lens calculation from a trial lens: the trial lens is reduced to its front
// surface, that surface is carried over to the final back radii and material, the
// over-refraction is added, and the result is turned into back vertex powers and a lens
// type. The same object also offers the two refraction operations (minus-cylinder form,
// vertex distance zero) used on their own by other pages.
// All arithmetic is in double precision; no user interface is involved: the one question
// the calculation may ask goes through a callback supplied by the caller.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

enum class TContactLensTypes : std::uint8_t {
  sNone = 0,     // none chosen
  sSPH = 1,      // spherical
  sRT = 2,       // back-toric, spherical front
  sBT = 3,       // bitoric, front and back meridians aligned
  sBTX = 4,      // bitoric, front cylinder obliquely crossed with the back
  sVPT = 5,      // front-toric on a spherical back
  sBTC = 6,      // bitoric, front cylinder compensates the induced astigmatism
  sVPTinBT = 7,  // front-toric trial lens with its axis corrected by its rotation
};

// Tear-film and air refractive indices.
inline constexpr double nt = 1.336;
inline constexpr double nl = 1.0;

// A refraction (over-refraction or eyeglass refraction).
struct TRefraction {
  double Sph = 0.0;    // sphere, D
  double Cyl = 0.0;    // cylinder, D, either sign
  double Axis = 0.0;   // cylinder axis, degrees
  double Stab = 0.0;   // measured rotation of the trial lens, degrees
  double Visus = 0.0;  // visual acuity, carried only
  double HSA = 0.0;    // vertex distance, mm
};

// One lens: the trial lens or the final lens.
struct TContactLensParams {
  TContactLensTypes typ = TContactLensTypes::sNone;
  double Nh = 0.0;      // refractive index of the material
  double R0fl = 0.0;    // back optic zone radius, flat meridian, mm
  double R0st = 0.0;    // back optic zone radius, steep meridian, mm
  double Dptfl = 0.0;   // back vertex power, flat meridian, D
  double Dptst = 0.0;   // back vertex power, steep meridian, D
  double Sph = 0.0;     // sphere of the lens power (front-toric)
  double Cyl = 0.0;     // cylinder of the lens power (front-toric)
  double AG = 0.0;      // axis of the resulting cylinder relative to the back flat meridian
  double AGCorr = 0.0;  // corrected angle of the resulting cylinder
  double A = 0.0;       // cylinder axis of the front surface
  double Stab = 0.0;    // measured rotation of the trial lens
  bool ZYQ = false;     // ZYQ lens family; never set by the refit page
};

// Results of the last Calculate.
struct TCalculatedValues {
  double Sph = 0.0;          // front-surface sphere, quarter dioptres
  double Cyl = 0.0;          // front-surface cylinder, quarter dioptres
  double A = 0.0;            // front-surface axis, 0.1 degree
  double AG = 0.0;           // axis of the resulting cylinder to the back flat meridian
  double Dptfl = 0.0;        // back vertex power, flat meridian, quarter dioptres
  double Dptst = 0.0;        // back vertex power, steep meridian, quarter dioptres
  double AGCorr = 0.0;       // corrected angle
  double DptflUncorr = 0.0;  // flat power before quarter rounding, 0.001 D
  double DptstUncorr = 0.0;  // steep power before quarter rounding, 0.001 D
};

// Raised by CalculateHSA0 when the conversion fails (a zero divisor or a result that is
// not finite). Unconverted holds the refraction unchanged, as the conversion started.
class EHsaConversionError : public std::runtime_error {
 public:
  explicit EHsaConversionError(const TRefraction& unconverted)
      : std::runtime_error("vertex-distance conversion failed"), Unconverted(unconverted) {}
  TRefraction Unconverted;
};

// The values of the BTX question: the computed front axis and the residual astigmatism
// (signed) that turning the axis to 0 or 90 would leave.
struct TBtxQuestion {
  double Axis = 0.0;
  double Residual = 0.0;
};
// Answers the BTX question: true (Yes) keeps the computed axis, false (No) aligns it.
using TBtxAnswer = std::function<bool(const TBtxQuestion&)>;

// The four lines of the BTX question, numbers with the given decimal separator, joined
// by line breaks.
std::string BtxQuestionText(const TBtxQuestion& question, char separator);

// The two roundings of Calculate. Empty when the value (or the step) admits no rounding
// (not finite, zero step, overflow).
namespace toric {
// round(value / digit) * digit, halves to the even multiple.
std::optional<double> RoundTo(double value, double digit);
// Quarter dioptres, halves away from zero.
std::optional<double> RoundDpt(double value);
}  // namespace toric

class TCalculationToric {
 public:
  TCalculationToric();

  // Resets the over-refraction (Stab kept) and both lenses (Sph, AGCorr and ZYQ kept).
  void InitObj();

  // 1 when a final lens was computed, 0 when the trial type is sNone, -1 on an
  // arithmetic failure (results written so far stay).
  int Calculate();

  // Plus cylinder to minus-cylinder form, in place.
  void Transform2MinusCylinder(TRefraction& param) const;
  // The refraction carried to vertex distance zero. Throws EHsaConversionError when it
  // fails: a zero divisor, or a number in the input or the result that is not finite.
  TRefraction CalculateHSA0(const TRefraction& param) const;

  // Whether the lens's cylinder compensates the astigmatism its toric back induces.
  bool IsBTC(const TContactLensParams& param) const;
  // Nearest quarter dioptre, halves away from zero.
  double FormatDPT(double value) const;

  const TRefraction& Uref() const { return fUref; }
  void SetUref(const TRefraction& Value) { fUref = Value; }
  const TRefraction& Uref0() const { return fUref0; }
  const std::string& Hint() const { return fHint; }
  bool ShowHints() const { return fShowHints; }
  void SetShowHints(bool Value) { fShowHints = Value; }

  // Who answers the BTX question of Calculate. Without one, the computed axis is kept.
  const TBtxAnswer& BtxAnswer() const { return fBtxAnswer; }
  void SetBtxAnswer(TBtxAnswer Value) { fBtxAnswer = std::move(Value); }

  TCalculatedValues Results;
  TContactLensParams TrialLens;
  TContactLensParams FinalLens;

 private:
  TRefraction fUref;
  TRefraction fUref0;
  std::string fHint;
  bool fShowHints = false;
  TBtxAnswer fBtxAnswer;
};
