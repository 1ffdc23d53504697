#include "pages/Refit.h"

#include <cmath>
#include <exception>

namespace pages::refit {

namespace {

using T = TContactLensTypes;

bool HoldsValue(double value) { return value != kNoValue; }

// Upper case (ASCII letters) and surrounding blanks removed.
std::string UpperTrimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  std::string s(text.substr(first, last - first + 1));
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// IsValid: a hidden field counts as valid, a visible one must hold a value.
bool IsValid(const RefitField& f) { return !f.visible || HoldsValue(f.value); }
// GetValue: the value of a visible field, else 0.
double GetValue(const RefitField& f) { return f.visible ? f.value : 0.0; }

}  // namespace

std::vector<std::string_view> TrialMaterialItems(bool rightEye) {
  return {"ZYQ",           "Boston-EQ-UV", "Boston-ES2-UV", "Boston-ES-UV",
          "Boston-XO2-UV", rightEye ? "PA-HDS-UV" : "Pa-HDS-UV"};
}

bool MaterialChosen(std::string_view text, const std::vector<std::string_view>& items,
                    bool hasSelection) {
  if (hasSelection) return true;
  for (auto item : items)
    if (item == text) return true;
  return false;
}

TContactLensTypes ContactLensType(std::string_view trialTypeText) {
  static constexpr T kByIndex[] = {T::sRT, T::sBT, T::sBTX, T::sVPT, T::sSPH};
  for (size_t i = 0; i < kTrialTypeItems.size(); ++i)
    if (kTrialTypeItems[i] == trialTypeText) return kByIndex[i];
  return T::sNone;
}

TContactLensTypes GetLensType(std::string_view trialTypeText) {
  const std::string text = UpperTrimmed(trialTypeText);
  static constexpr std::pair<std::string_view, T> kCodes[] = {
      {"RT", T::sRT},   {"BT", T::sBT},   {"BTC", T::sBTC}, {"BTX", T::sBTX},
      {"SPH", T::sSPH}, {"VPT", T::sVPT}, {"SPH", T::sSPH}};
  T type = T::sNone;
  for (const auto& [code, t] : kCodes)
    if (text.find(code) != std::string::npos) type = t;
  return type;
}

double GetRefractionIndex(std::string_view materialText) {
  const std::string text = UpperTrimmed(materialText);
  static constexpr std::pair<std::string_view, double> kIndex[] = {
      {"ZYQ", 1.427},           {"BOSTON-EQ-UV", 1.439},  {"BOSTON-ES-UV", 1.444},
      {"BOSTON-ES2-UV", 1.428}, {"BOSTON-XO2-UV", 1.422}, {"PA-HDS-UV", 1.449}};
  for (const auto& [name, index] : kIndex)
    if (text == name) return index;
  return 1.439;
}

std::optional<TrialTypeLayout> TrialTypeSelected(int itemIndex) {
  const std::vector<LabelCaption> toric = {
      {"LabRefitRfl1", "R0"},   {"LabRefitRfl2", "Flach"},   {"LabRefitRst1", "R0"},
      {"LabRefitdptfl1", "F´"}, {"LabRefitdptfl2", "Flach"}, {"LabRefitdptst1", "F´"},
      {"LabRefitdptst2", "Steil"}};
  TrialTypeLayout layout;
  switch (itemIndex) {
    case 0:  // RT
      layout.rstVisible = true;
      layout.captions = toric;
      break;
    case 1:  // BT/BTC
      layout.rstVisible = layout.dptstVisible = true;
      layout.captions = toric;
      break;
    case 2:  // BTX
      layout.rstVisible = layout.dptstVisible = layout.aVisible = true;
      layout.captions = toric;
      layout.captions.push_back({"LabRefitA", "Ag"});
      break;
    case 3:  // VPT
      layout.dptstVisible = layout.aVisible = true;
      layout.captions = {{"LabRefitRfl1", "R0"},     {"LabRefitRfl2", ""},
                         {"LabRefitdptfl1", "Sph."}, {"LabRefitdptfl2", ""},
                         {"LabRefitdptst1", "Zyl."}, {"LabRefitdptst2", ""},
                         {"LabRefitA", "Achse"}};
      break;
    case 4:  // SPH
      layout.captions = {{"LabRefitRfl1", "R0"},
                         {"LabRefitRfl2", ""},
                         {"LabRefitdptfl1", "F´"},
                         {"LabRefitdptfl2", ""}};
      break;
    default:
      return std::nullopt;
  }
  return layout;
}

LeftField LeftFieldOf(std::string_view baseName) {
  if (baseName == kRfl.name) return LeftField::TrialRfl;
  if (baseName == kRst.name) return LeftField::TrialRst;
  if (baseName == kDptfl.name) return LeftField::TrialDptfl;
  if (baseName == kDptst.name) return LeftField::TrialDptst;
  return LeftField::Other;
}

LeaveCheck CheckTrialField(TContactLensTypes trialType, LeftField left, double rfl, double rst,
                           double dptfl, double dptst) {
  LeaveCheck check;
  const bool radiusLeft = left == LeftField::TrialRfl || left == LeftField::TrialRst;
  if ((trialType == T::sRT || trialType == T::sBT || trialType == T::sBTX) && radiusLeft &&
      HoldsValue(rfl) && HoldsValue(rst)) {
    if (rfl < rst) {
      check.message = "Rfl < Rst";
      return check;
    }
    if (std::fabs(static_cast<long double>(rst) - rfl) < 0.25L) {
      check.message = "Rfl-Rst <0.2mm";
      return check;
    }
    check.showFinalSteep = true;
  }
  const bool powerLeft = left == LeftField::TrialDptfl || left == LeftField::TrialDptst;
  if ((trialType == T::sBT || trialType == T::sBTX) && powerLeft && HoldsValue(dptfl) &&
      HoldsValue(dptst) && dptfl < dptst) {
    check.message = "BT: dptfl<dptst";
  }
  return check;
}

Prefill PrefillFinalRadii(LeftField left, double value, bool trialRstVisible, char separator) {
  Prefill p;
  if (!HoldsValue(value)) return p;
  if (left == LeftField::TrialRfl) {
    p.rflRZ = orvek::FormatFixed(value, 2, separator);
    if (!trialRstVisible) p.rstRZ = p.rflRZ;
    p.showPanel = true;
  } else if (left == LeftField::TrialRst) {
    p.rstRZ = orvek::FormatFixed(value, 2, separator);
    p.showPanel = true;
  }
  return p;
}

bool OverRefractionComplete(double sph, double cyl, double axis, double hsa) {
  return HoldsValue(sph) && HoldsValue(cyl) && HoldsValue(axis) && HoldsValue(hsa);
}

std::optional<HsaZeroTexts> OverRefractionAtZero(const TCalculationToric& engine, double sph,
                                                 double cyl, double axis, double hsa,
                                                 char separator) {
  TRefraction r{sph, cyl, axis, 0.0, 1.0, hsa};
  try {
    engine.Transform2MinusCylinder(r);
    const TRefraction zero = engine.CalculateHSA0(r);
    return HsaZeroTexts{orvek::FormatFixed(zero.Sph, 2, separator), orvek::FormatFixed(zero.Cyl, 2, separator)};
  } catch (const EHsaConversionError&) {
    return std::nullopt;
  }
}

RefitDisplay ShowResults(const TContactLensParams& f, double dg, std::string_view finalMaterialText,
                         char separator) {
  if (!HoldsValue(dg)) dg = 9.6;
  auto F = [separator](double v, int digits) { return orvek::FormatFixed(v, digits, separator); };
  const std::string toricGeometry =
      "R0 fl. " + F(f.R0fl, 2) + " / R0 st. " + F(f.R0st, 2) + "   dg " + F(dg, 1);
  const std::string bitoricPower =
      "F´ fl. " + F(f.Dptfl, 2) + "dpt / F´ st. " + F(f.Dptst, 2) + "dpt";
  RefitDisplay d;
  std::string suffix;
  switch (f.typ) {
    case T::sRT:
      suffix = "-RT ";
      d.designText = "Rücktorisches Design (RT)";
      d.geometryLine = toricGeometry;
      d.powerLine = "F´ " + F(f.Dptfl, 2) + "dpt";
      break;
    case T::sBT:
      suffix = "-BT ";
      d.designText = "Bitorisches Design (BT)";
      d.geometryLine = toricGeometry;
      d.powerLine = bitoricPower;
      break;
    case T::sBTX:
      suffix = "-BTX ";
      d.designText = "Bitorisches, schiefgekreuztes Design (BTX)";
      d.geometryLine = toricGeometry;
      d.powerLine = bitoricPower + "  Ag " + F(f.AG, 1) + "°";
      break;
    case T::sVPT: {
      const bool classic = static_cast<long double>(dg) < 9.4L;
      suffix = classic ? "-VPT (Classic)" : "-VPT (Lenti)";
      d.designText = classic ? "Vorder-prismatisch-torisches Design (VPT-Classic)"
                             : "Vorder-prismatisch-torisches Design (VPT-Lenti)";
      d.geometryLine =
          "R0 " + F(f.R0fl, 2) + "    dg " + F(dg, 1) + "   P " + F(classic ? 1.2 : 1.4, 1);
      d.powerLine = "sph " + F(f.Sph, 2) + "  zyl " + F(f.Cyl, 2) + "  Achse " + F(f.A, 0);
      break;
    }
    case T::sBTC:
      suffix = "-BTC ";
      d.designText = "Bitorisch, kompensiertes Design (BTC)";
      d.geometryLine = toricGeometry;
      d.powerLine = bitoricPower;
      break;
    default:
      d.designText = "Rotations-symmetrisches Design";
      d.geometryLine = "R0 " + F(f.R0fl, 2) + "   dg " + F(dg, 1);
      d.powerLine = "F´ " + F(f.Dptfl, 2) + "dpt";
      break;
  }
  d.typeCode = "QUON" + suffix;
  d.material = std::string(finalMaterialText);
  return d;
}

RefitResult CalculateRefitLens(TCalculationToric& engine, const RefitInputs& in, char separator,
                               const TBtxAnswer& answer) {
  RefitResult out;
  try {
    const bool complete = IsValid(in.rfl) && IsValid(in.rst) && IsValid(in.dptfl) &&
                          IsValid(in.dptst) && IsValid(in.a) && IsValid(in.sph) &&
                          IsValid(in.cyl) && IsValid(in.axis) && IsValid(in.hsa) &&
                          in.trialMaterialChosen && in.finalMaterialChosen;
    // A final lens without a flat radius would be computed from the empty field's -99.
    const double finalRfl = GetValue(in.rflRZ);
    if (!complete || !HoldsValue(finalRfl) || !(finalRfl > 0.0)) return out;

    engine.InitObj();
    engine.TrialLens.typ = GetLensType(in.trialTypeText);
    engine.TrialLens.Nh = GetRefractionIndex(in.trialMaterialText);
    engine.TrialLens.R0fl = GetValue(in.rfl);
    if (in.rst.visible) {
      const double rst = GetValue(in.rst);
      if (std::fabs(static_cast<long double>(rst) - engine.TrialLens.R0fl) < 0.24L) {
        out.outcome = RefitResult::Outcome::TrialRadiiTooClose;
        out.message = std::string(kMsgTrialRadiiClose);
        out.focusFinalSteep = in.rstRZ.visible;
        return out;
      }
      engine.TrialLens.R0st = rst;
    } else {
      engine.TrialLens.R0st = engine.TrialLens.R0fl;
    }
    engine.TrialLens.Dptfl = engine.TrialLens.Sph = GetValue(in.dptfl);
    if (in.dptst.visible) engine.TrialLens.Dptst = engine.TrialLens.Cyl = GetValue(in.dptst);
    if (in.a.visible) engine.TrialLens.A = engine.TrialLens.AG = GetValue(in.a);
    if (in.stab.visible) engine.TrialLens.Stab = GetValue(in.stab);

    TRefraction over;
    over.Sph = GetValue(in.sph);
    over.Cyl = GetValue(in.cyl);
    over.Axis = GetValue(in.axis);
    over.Stab = GetValue(in.stab);
    over.Visus = 1.0;
    over.HSA = GetValue(in.hsa);
    engine.SetUref(over);

    engine.FinalLens.R0fl = finalRfl;
    const double finalRst = GetValue(in.rstRZ);
    engine.FinalLens.R0st = finalRst <= 0.0 ? finalRfl : finalRst;
    engine.FinalLens.Nh = GetRefractionIndex(in.finalMaterialText);
    engine.SetShowHints(false);
    engine.FinalLens.ZYQ = false;

    // Route the BTX question through here to note that it was asked.
    const TBtxAnswer previous = engine.BtxAnswer();
    const TBtxAnswer& target = answer ? answer : previous;
    engine.SetBtxAnswer([&out, &target](const TBtxQuestion& q) {
      out.btxAsked = true;
      return target ? target(q) : true;
    });
    try {
      out.engineResult = engine.Calculate();
    } catch (...) {
      engine.SetBtxAnswer(previous);
      throw;
    }
    engine.SetBtxAnswer(previous);

    if (out.engineResult > 0) {
      out.display = ShowResults(engine.FinalLens, GetValue(in.dgRZ), in.finalMaterialText,
                                separator);
      out.outcome = RefitResult::Outcome::Shown;
    } else {
      out.outcome = RefitResult::Outcome::EngineFailed;
      out.message = std::string(kMsgEngineFailed);
    }
    return out;
  } catch (const std::exception&) {
    RefitResult failed;
    failed.result = -1;
    failed.outcome = RefitResult::Outcome::Unexpected;
    failed.message = std::string(kMsgCalculationError);
    return failed;
  }
}

std::vector<std::string> OrderLines(bool rightEye, const RefitDisplay& display, bool withReturn) {
  return {rightEye ? "RA:" : "LA:",
          display.typeCode,
          display.material,
          display.geometryLine,
          display.powerLine,
          withReturn ? "Mit Rückgabe" : "Ohne Rückgabe"};
}

std::string OrderText(bool rightEye, const RefitDisplay& display, bool withReturn) {
  std::string text;
  for (const std::string& line : OrderLines(rightEye, display, withReturn)) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::string_view LensTypeName(TContactLensTypes type) {
  switch (type) {
    case T::sNone: return "sNone";
    case T::sSPH: return "sSPH";
    case T::sRT: return "sRT";
    case T::sBT: return "sBT";
    case T::sBTX: return "sBTX";
    case T::sVPT: return "sVPT";
    case T::sBTC: return "sBTC";
    case T::sVPTinBT: return "sVPTinBT";
  }
  return "sNone";
}

}  // namespace pages::refit
