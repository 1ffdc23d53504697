#pragma once
// Keratometry and topography of one cornea: central toricity and corneal astigmatism,
// peripheral toricity and the mean eccentricity from four sagittal radii. Every derived
// value is computed on each read; a computation fault gives the value's fallback, never
// an error or a non-finite number.

class TCornea {
 public:
  TCornea() = default;

  double R0fl() const { return fR0fl; }
  void SetR0fl(double Value) { fR0fl = Value; }
  double R0st() const { return fR0st; }
  void SetR0st(double Value) { fR0st = Value; }
  double Aflm() const { return fAflm; }
  void SetAflm(double Value) { fAflm = Value; }
  double Rs1() const { return fRS1; }
  void SetRS1(double Value) { fRS1 = Value; }
  double Rs2() const { return fRS2; }
  void SetRS2(double Value) { fRS2 = Value; }
  double Rs3() const { return fRS3; }
  void SetRS3(double Value) { fRS3 = Value; }
  double Rs4() const { return fRS4; }
  void SetRS4(double Value) { fRS4 = Value; }
  double MW() const { return fMW; }
  void SetMW(double Value) { fMW = Value; }
  bool Keratokonus() const { return fKeratokonus; }

  // Central toricity R0fl - R0st, mm.
  double CentralAstig() const;
  // Corneal astigmatism, D; 0 when it cannot be computed.
  double HHAstig() const;
  // Peripheral toricity from the corrected sagittal radii, mm; 0 when not computable.
  double PeripherAstig() const;
  // Mean eccentricity; 0 when the radii are missing, -1 when Exzentricity fails.
  double epsMittel() const;

  // Sagittal radii corrected by the central toricity (raw value when not correctable).
  double Rk1() const;
  double Rk2() const;
  double Rk3() const;
  double Rk4() const;
  // Mean sagittal radius from the raw radii, each pair weighted towards its steeper one.
  double RSM() const;

  // Eccentricity of a conic from its central radius r and the sagittal radius s measured
  // at angle ang (degrees); -1 when it cannot be computed.
  static double Exzentricity(double r, double s, double ang);
  // Mean of a pair of radii, weighted towards the steeper one as the pair differs more.
  static double GewRadius(double a, double b);

 private:
  double fR0fl = 0.0;
  double fR0st = 0.0;
  double fAflm = 0.0;
  double fSphere = 0.0;
  double fCYL = 0.0;
  double fAxis = 0.0;
  double fHSA = 0.0;
  bool fSphCalc = false;
  bool fCylCalc = false;
  bool fAxisCalc = false;
  double fRS1 = 0.0;
  double fRS2 = 0.0;
  double fRS3 = 0.0;
  double fRS4 = 0.0;
  double fInnerAxis = 0.0;
  bool fKeratokonus = false;
  double fMW = 0.0;
};
