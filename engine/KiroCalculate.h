#pragma once
// First-fit engine: from the keratometry of one cornea and the spectacle refraction it
// proposes a rigid lens (design, type, diameter, back optic zone radii, back vertex
// powers and the residual refraction expected over the lens).
//
// Arithmetic: every expression is evaluated in long double and stored as double, and the
// decimal constants are long double literals, so that values lying exactly on a decimal
// threshold fall on the side the lens maker's tables expect.
//
// Faults (division by zero, root of a negative number, overflow, non-finite values) are
// detected explicitly. Each routine turns them into its documented fallback, result code
// or ErrCode/ErrMsg; only SetCornea (a meridian with neither eccentricity nor sagittal
// radius) and the two rounding functions (a value too large to round) pass a fault on, as
// a KiroCalcFault exception.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

enum TKiroContactLensDesign : std::uint8_t {
  CLD_VELTA = 0,
  CLD_RN3 = 1,
  CLD_QUON = 2,
  CLD_QUONF = 3,
  CLD_RNREV = 4,
  CLD_RNKCN = 5,
  CLD_RNKCF = 6,
  CLD_RN = 7,
  CLD_NONE = 8,
  CLD_UNKNOWN = 9,
};

enum TKiroContactLensType : std::uint8_t {
  CLT_NONE = 0,
  CLT_SPH = 1,
  CLT_MAC = 2,
  CLT_TORIC = 3,
  CLT_VPT = 4,
  CLT_RT = 5,
  CLT_BTC = 6,
  CLT_BT = 7,
};

// Name of an enumerator as written in code ("CLD_QUON", "CLT_BTC").
const char* ToString(TKiroContactLensDesign design);
const char* ToString(TKiroContactLensType type);

// Keratometry of one cornea. Radii and diameters in mm, axis in degrees.
struct TKiroCorneaData {
  double Rh = 0;     // central radius of the horizontal principal meridian
  double Rv = 0;     // central radius of the vertical principal meridian
  double Aflm = 0;   // axis of the flat principal meridian
  double HHd = 0;    // corneal diameter
  double HHe = 0;    // mean eccentricity; -1 or below: not given, derived by SetCornea
  double Rs1 = 0;    // sagittal radii; 1 and 3 pair with Rh, 2 and 4 with Rv
  double Rs2 = 0;
  double Rs3 = 0;
  double Rs4 = 0;
  double e1 = 0;     // meridional eccentricities; -10 or below: derived from Rs1..Rs4
  double e2 = 0;
  double e3 = 0;
  double e4 = 0;
  double dHX = 0;    // difference of sagittal heights; -1 = not given
  std::int32_t KC = 0;  // keratoconus grade; 0 = none
  double dR = 0;     // |Rh - Rv|, always recomputed by SetCornea
  double Z22 = 0;    // topography value; -1 = not given
};

// Spectacle refraction. Powers in D, axis in degrees, vertex distance in mm.
struct TKiroRefractionData {
  double sph = 0;
  double cyl = 0;   // either sign
  double Axis = 0;
  double HSA = 0;   // 0 or less: no vertex conversion
  double Inkl = 0;  // inclination; carried, never read
};

// A refraction as a power vector, in D.
struct TKiroResidualAstig {
  double J0 = 0;
  double J45 = 0;
  double SEq = 0;
};

// One lens.
struct TKiroContactLensData {
  TKiroContactLensDesign clDesign = CLD_VELTA;
  TKiroContactLensType clTyp = CLT_NONE;
  double r0fl = 0;   // back optic zone radius, flat meridian (0.05 mm steps)
  double r0st = 0;   // back optic zone radius, steep meridian
  double d0 = 0;
  double d1 = 0;
  double d2 = 0;
  double oval = 0;
  double d0st = 0;
  double d1st = 0;
  double d2st = 0;
  double r1 = 0;
  double r2 = 0;
  double r3 = 0;
  double r1st = 0;
  double r2st = 0;
  double r3st = 0;
  double eps = 0;         // back-surface eccentricity
  std::int32_t asw = 0;   // eccentricity in tenths
  double dg = 0;          // total diameter
  double fv = 0;          // back vertex power, flat meridian (0.25 D steps)
  double fvst = 0;        // back vertex power, steep meridian
  double cyl = 0;         // front cylinder of a front-toric lens
  double prs = 0;         // prism, prism dioptres
  double Axis = 0;        // cylinder axis of a front-toric lens
  double S = 0;           // expected residual refraction: sphere
  double C = 0;           // expected residual refraction: cylinder (minus form)
  double A = 0;           // expected residual refraction: axis
  bool OptionalPrs = false;  // a stabilising prism may be ordered
};

// A calculation fault passed on to the caller (see the header comment).
class KiroCalcFault : public std::runtime_error {
 public:
  KiroCalcFault() : std::runtime_error("Berechnungsfehler") {}
};

double rad(double Winkel);
double deg(double Winkel);
// Nearest 0.05 mm, halves up (for positive radii).
double RoundRadius(double value);
// Nearest multiple of roundTo, exact halves towards plus infinity.
double RoundDpt(double value, double roundTo);

class TKiroCalculate {
 public:
  TKiroCalculate();

  std::string Name;
  std::int32_t Tag = 0;

  TKiroContactLensData Lens;      // the proposed lens
  TKiroContactLensData LensNRCL;  // second record for toric variants; not filled

  // Set-up
  void InitObj();
  void SetAvailableDesigns(std::initializer_list<TKiroContactLensDesign> Designs);
  void SetAvailableDesigns(const std::vector<TKiroContactLensDesign>& Designs);
  double AverageEccentricity() const;

  // Refraction helpers
  static void TransformToMinusCylinder(const TKiroRefractionData& refraction,
                                       TKiroRefractionData& Result);
  double GetSph0() const;
  double GetCyl0() const;
  double GetAxis0() const;
  void GetGA(TKiroRefractionData& Result) const;

  // Proposal
  void CalculateLensParams(TKiroContactLensData& Lens);
  void CalculateFrontParams(TKiroContactLensData& Lens);
  TKiroContactLensDesign ProposeLensDesignNew() const;
  std::int32_t Propose();

  // Properties
  const std::string& ErrMsg() const { return fErrMsg; }
  void SetErrMsg(const std::string& Value);
  std::int32_t ErrCode() const { return fErrCode; }
  void SetErrCode(std::int32_t Value) { fErrCode = Value; }
  const std::string& InfoMsg() const { return fInfoMsg; }
  void SetInfoMsg(const std::string& Value) { fInfoMsg = Value; }
  const TKiroCorneaData& Cornea() const { return fCornea; }
  void SetCornea(const TKiroCorneaData& Value);
  const TKiroRefractionData& Refraction() const { return fRefraction; }
  void SetRefraction(const TKiroRefractionData& Value) { fRefraction = Value; }
  bool WithQUONF() const { return fWithQUONF; }
  void SetWithQuonF(bool Value) { fWithQUONF = Value; }
  bool QUONFirst() const { return fQUONFirst; }
  void SetQUONFirst(bool Value) { fQUONFirst = Value; }
  TKiroContactLensDesign DefLensDesign() const { return fDefLensDesign; }
  void SetDefLensDesign(TKiroContactLensDesign Value) { fDefLensDesign = Value; }
  TKiroContactLensDesign LensDesign() const { return fLensDesign; }
  void SetLensDesign(TKiroContactLensDesign Value) { fLensDesign = Value; }
  TKiroContactLensType LensType() const { return fLensType; }
  void SetLensType(TKiroContactLensType Value) { fLensType = Value; }
  std::int32_t Mode() const { return fFitToAS; }
  void SetMode(std::int32_t Value) { fFitToAS = Value; }
  bool WithOculusSystem() const { return fWithOculus; }
  void SetWithOculus(bool Value) { fWithOculus = Value; }
  double sph0() const { return GetSph0(); }
  double cyl0() const { return GetCyl0(); }
  double Axis0() const { return GetAxis0(); }
  bool ZYQ() const { return fZYQ; }
  void SetZYQ(bool Value) { fZYQ = Value; }

  const std::vector<TKiroContactLensDesign>& AvailableDesigns() const { return fAvailableDesigns; }

 private:
  std::string fErrMsg;
  std::string fInfoMsg;
  TKiroCorneaData fCornea;
  TKiroContactLensData fContactLens;
  bool fWithQUONF = false;
  std::int32_t fKeratokonusState = 0;
  TKiroContactLensDesign fLensDesign = CLD_NONE;
  TKiroContactLensType fLensType = CLT_NONE;
  TKiroContactLensData fContactLensNRCL;
  bool fQUONFirst = false;
  std::int32_t fFitToAS = 0;
  std::int32_t fErrCode = 0;
  bool fWithOculus = false;
  TKiroContactLensDesign fDefLensDesign = CLD_VELTA;
  std::vector<TKiroContactLensDesign> fAvailableDesigns;
  TKiroRefractionData fRefraction;
  bool fWTR = false;
  bool fATR = false;
  bool fOblique = false;
  bool fZYQ = false;

  // Refraction in minus-cylinder form (s, c, a) of the stored refraction.
  TKiroRefractionData MinusCylinder() const;
};
