#include "pages/FirstFit.h"

#include <cmath>

#include "pages/Common.h"

namespace firstfit {

using orvek::FieldSpec;
using ld = long double;

// name, digits, step, min, max, default, display name, text after reset
const FieldSpec kFitRfl{"EditFitRfl", 2, 0.01, 5, 20, kNotSet, "Radius flach", ""};
const FieldSpec kFitRst{"EditFitRst", 2, 0.01, 5, 20, kNotSet, "Radius steil", ""};
const FieldSpec kFitAflm{"EditFitAflm", 0, 1, -100, 180, kNotSet, "Achse flacher Meridian", "0"};
const FieldSpec kFitExz{"EditFitExz", 2, 0.01, -1, 1, kNotSet, "Exzentrizität", ""};
const FieldSpec kFitHHdia{"EditFitHHdia", 1, 0.1, 10, 15, kNotSet, "HH-Durchmesser", "11.5"};
const FieldSpec kFitSph{"EditFitSph", 2, 0.25, -30, 30, kNotSet, "Sph.", ""};
const FieldSpec kFitCyl{"EditFitCyl", 2, 0.25, -15, 15, kNotSet, "Zyl.", "0"};
const FieldSpec kFitAxis{"EditFitAxis", 0, 1, -0.1, 180, kNotSet, "Achse HH", "0"};
const FieldSpec kFitHSA{"EditFitHSA", 0, 1, 5, 25, kNotSet, "HSA", ""};

const FieldSpec kFitR0fl{"EditFitR0fl", 2, 0.05, 5, 20, kNotSet, "R0 fl.", ""};
const FieldSpec kFitR0st{"EditFitR0st", 2, 0.05, 5, 20, kNotSet, "R0 st.", ""};
const FieldSpec kFitDptfl{"EditFitDptfl", 2, 0.25, -30, 30, kNotSet, "Dptfl.", ""};
const FieldSpec kFitDptst{"EditFitDptst", 2, 0.25, -30, 30, kNotSet, "Dptst.", ""};
const FieldSpec kFitA{"EditFitA", 0, 1, -100, 180, kNotSet, "Achse", ""};
const FieldSpec kFitPrs{"EditFitPrs", 1, 0.1, 0.5, 2.5, kNotSet, "Prisma", ""};
const FieldSpec kFitDg{"EditFitDg", 1, 0.1, 8, 11.8, kNotSet, "Durchmesser", ""};

const std::array<const FieldSpec*, 9>& InputFields() {
  static const std::array<const FieldSpec*, 9> fields{&kFitRfl, &kFitRst, &kFitAflm,
                                                      &kFitExz, &kFitHHdia, &kFitSph,
                                                      &kFitCyl, &kFitAxis, &kFitHSA};
  return fields;
}

const std::array<const FieldSpec*, 7>& ResultFields() {
  static const std::array<const FieldSpec*, 7> fields{&kFitR0fl, &kFitR0st, &kFitDptfl, &kFitDptst,
                                                      &kFitA,    &kFitPrs,  &kFitDg};
  return fields;
}

const std::string kMsgUnsuitable =
    std::string("Für die von Ihnen angegebenen HH-Daten ist die Anpassung einer QUON nicht sinnvoll.\n\r"
                "Wenden Sie sich bitte an unsere Anpassberatung ") +
    pages::kFittingAdviceTelephone;
const char* const kMsgProposeFailed = "Fehler beim Berechnen des Vorschlags aufgetreten!...";
const char* const kMsgEccentricityHint = "Wenn kein Wert vorliegt, sollten Sie hier 0,46 eintragen!";

std::string PrismQuestion(double residualCylinder, char separator) {
  return "Restzylinder (" + orvek::FormatFixed(residualCylinder, 2, separator) +
         "dpt) erwartet. Stabilisierungs-Prisma gewünscht?";
}

bool KeratometryComplete(const EyeInput& in) {
  return IsSet(in.rfl) && IsSet(in.rst) && IsSet(in.aflm) && IsSet(in.exz) && IsSet(in.hhdia);
}

bool RefractionComplete(const EyeInput& in) {
  return IsSet(in.sph) && IsSet(in.cyl) && IsSet(in.axis) && IsSet(in.hsa);
}

bool RadiiNeedExchange(double rfl, double rst) { return rfl < rst; }

std::optional<double> CornealAstigmatism(double rfl, double rst) {
  if (rfl == 0 || rst == 0) return std::nullopt;
  // Evaluated in extended precision like the proposal, so a value near a rounding half
  // shows the same two decimals as the original calculation.
  const double astig = static_cast<double>((1.0L / rfl - 1.0L / rst) * 0.376L * 1000.0L);
  if (!std::isfinite(astig)) return std::nullopt;
  return astig;
}

TKiroCorneaData MakeCornea(const EyeInput& in) {
  TKiroCorneaData c;
  const bool flatHorizontal = in.aflm < 45.0L || in.aflm >= 135.0L;
  c.Rh = flatHorizontal ? in.rfl : in.rst;
  c.Rv = flatHorizontal ? in.rst : in.rfl;
  c.Aflm = in.aflm;
  c.HHd = in.hhdia;
  c.HHe = in.exz;
  c.KC = 0;
  c.dHX = -1;
  c.Z22 = -1;
  // No meridional data on this page: the eccentricities count as given (0), so an
  // eccentricity of -1 typed for an eye that is no longer fresh is taken as 0.
  c.e1 = c.e2 = c.e3 = c.e4 = 0;
  return c;
}

TKiroRefractionData MakeRefraction(const EyeInput& in) {
  TKiroRefractionData r;
  r.sph = in.sph;
  r.cyl = in.cyl;
  r.Axis = in.axis;
  r.HSA = in.hsa;
  return r;
}

void SetUpEngine(TKiroCalculate& engine, const EyeInput& in) {
  engine.InitObj();
  engine.SetWithQuonF(true);
  engine.SetAvailableDesigns({CLD_QUON, CLD_QUONF, CLD_NONE});
  engine.SetWithOculus(false);
  engine.SetCornea(MakeCornea(in));
  engine.SetRefraction(MakeRefraction(in));
  engine.SetDefLensDesign(CLD_QUON);
  engine.SetLensDesign(CLD_NONE);
  engine.SetZYQ(true);
}

bool EccentricityUnsuitable(double eccentricity) {
  return eccentricity < 0.199L || eccentricity > 0.65L;
}

std::string DesignText(TKiroContactLensDesign design) {
  switch (design) {
    case CLD_QUON: return "QUON ";
    case CLD_QUONF: return "QUON-F ";
    default: return "? ";
  }
}

std::string LensTypeText(TKiroContactLensDesign design, TKiroContactLensType type, bool prism,
                         double dg) {
  std::string t = DesignText(design);
  switch (type) {
    case CLT_SPH:
      if (prism) t += dg < 9.4L ? "(VP-Classic)" : "(VP-Lenti)";
      break;
    case CLT_MAC: t += "MAC"; break;
    case CLT_RT: t += "RT"; break;
    case CLT_BTC: t += "BTC"; break;
    case CLT_BT: t += "BT"; break;
    case CLT_VPT: t += "VPT"; break;
    default: break;
  }
  return t;
}

double DefaultPrism(double dg) { return dg < 9.4L ? 1.2 : 1.4; }

ResultView MakeResultView(const TKiroCalculate& engine, bool prism, char separator) {
  const TKiroContactLensData& lens = engine.Lens;
  const TKiroContactLensType type = engine.LensType();
  ResultView v;
  v.lensType = LensTypeText(engine.LensDesign(), type, prism, lens.dg);
  v.material = "ZYQ";
  v.r0fl = orvek::FormatFixed(lens.r0fl, 2, separator);
  v.r0st = orvek::FormatFixed(lens.r0st, 2, separator);
  v.dptfl = orvek::FormatFixed(lens.fv, 2, separator);
  v.dptst = orvek::FormatFixed(lens.fvst, 2, separator);
  v.a = orvek::FormatFixed(lens.Axis, 0, separator);
  v.prs = orvek::FormatFixed(lens.prs, 1, separator);
  v.dg = orvek::FormatFixed(lens.dg, 1, separator);
  v.r0stShown = type == CLT_RT || type == CLT_BTC || type == CLT_BT;
  v.dptstShown = type == CLT_BTC || type == CLT_BT || type == CLT_VPT;
  v.prsShown = type == CLT_SPH && prism;
  v.aShown = type == CLT_VPT;
  return v;
}

ProposalOutcome ProposeEye(TKiroCalculate& engine, const EyeInput& in, EyeState& state,
                           const PrismAnswer& askPrism, char separator, ProposeOptions options) {
  ProposalOutcome out;
  SetUpEngine(engine, in);

  if (state.start && options.checkSuitability && EccentricityUnsuitable(in.exz)) {
    out.status = ProposalStatus::Unsuitable;
    return out;
  }

  // A proposal whose geometry or front surface failed inside the engine is no lens to
  // show, even though Propose itself ran through.
  if (engine.Propose() != 0 || engine.ErrCode() != 0) {
    out.status = ProposalStatus::Failed;
    return out;
  }

  TKiroContactLensData& lens = engine.Lens;
  if (state.start && engine.LensType() == CLT_SPH && std::fabs(static_cast<ld>(lens.C)) > 0.74L &&
      !state.prism) {
    out.askedPrism = true;
    state.prism = askPrism ? askPrism(lens.C) : false;
  }

  if (state.prism && lens.prs <= 0.001L) lens.prs = DefaultPrism(lens.dg);

  out.view = MakeResultView(engine, state.prism, separator);
  state.start = false;
  out.status = ProposalStatus::Proposed;
  return out;
}

std::string UpdateTypeTextForPrism(std::string t, double prism, double dg, bool prsShown) {
  for (const char* s : {" (Classic)", " (Lenti)", " (VP-Classic)", " (VP-Lenti)"}) {
    const auto pos = t.find(s);
    if (pos != std::string::npos) t.erase(pos, std::string(s).size());
  }
  const bool toric = t.find("RT") != std::string::npos || t.find("BT") != std::string::npos ||
                     t.find("MAC") != std::string::npos;
  if (prism > 0 && !toric && prsShown) t += dg < 9.4L ? " (VP-Classic)" : " (VP-Lenti)";
  return t;
}

std::vector<std::string> OrderLines(const std::string& eyePrefix, const ResultView& v) {
  std::vector<std::string> lines;
  lines.push_back(eyePrefix + ":");
  lines.push_back(v.lensType);
  lines.push_back("Mat=" + v.material);
  lines.push_back("R0=" + v.r0fl);
  if (v.r0stShown) lines.push_back("R0st=" + v.r0st);
  lines.push_back("F´=" + v.dptfl);
  if (v.dptstShown) lines.push_back("F´ st=" + v.dptst);
  if (v.prsShown) lines.push_back("P=" + v.prs);
  if (v.aShown) lines.push_back("A=" + v.a + "°");
  lines.push_back("Dg=" + v.dg);
  lines.push_back("Ohne Rückgabe");
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) s += "\r\n";
    s += lines[i];
  }
  return s;
}

}  // namespace firstfit
