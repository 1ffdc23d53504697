// quon-calc refit: the prescription lens of one eye from a trial lens, as the refit page
// computes it. Values are read as the page's fields read them; the page's checks and the
// calculation's failures end with status 3.

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "cli/QuonCalc.h"
#include "pages/Refit.h"

namespace cli {

namespace {

namespace refit = pages::refit;

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string JoinItems(const std::vector<std::string_view>& items) {
  std::string s;
  for (auto item : items) {
    if (!s.empty()) s += ", ";
    s += item;
  }
  return s;
}

// The list item a material name stands for (letter case does not matter).
std::string ReadMaterial(const Options& options, std::string_view option,
                         const std::vector<std::string_view>& items, std::string_view listName) {
  const auto value = options.Value(option);
  if (!value)
    throw Failure{kExitInput, "Fehlende Angabe für [" + std::string(listName) + "]: --" +
                                  std::string(option) + " (" + JoinItems(items) + ")"};
  for (auto item : items)
    if (SameLetters(item, *value)) return std::string(item);
  throw Failure{kExitInput, "Unbekanntes " + std::string(listName) + " \"" + *value +
                                "\" (--" + std::string(option) + "); möglich: " + JoinItems(items)};
}

// A trial field: required when the trial type shows it, refused when it hides it.
refit::RefitField ReadTrialField(const Options& options, std::string_view option,
                                 const orvek::FieldSpec& field, bool visible,
                                 std::string_view typeName, char separator) {
  if (!visible) {
    if (options.Has(option))
      throw Failure{kExitInput, "Der Messlinsentyp " + std::string(typeName) +
                                    " hat kein Feld [" + std::string(field.displayName) +
                                    "]; --" + std::string(option) + " ist hier nicht zulässig."};
    return {refit::kNoValue, false};
  }
  return {ReadField(options, option, field, separator), true};
}

double ReadWithDefault(const Options& options, std::string_view option,
                       const orvek::FieldSpec& field, double defaultValue, char separator) {
  const auto v = ReadOptionalField(options, option, field, separator);
  return v ? *v : defaultValue;
}

std::string YesNo(bool v) { return v ? "Ja" : "Nein"; }

}  // namespace

int RunRefit(const std::vector<std::string>& args, Context& context) {
  const Options options(args,
                        {"trial-type", "trial-mat", "trial-rfl", "trial-rst", "trial-fl",
                         "trial-st", "trial-a", "stab", "sph", "cyl", "axis", "hsa", "final-rfl",
                         "final-rst", "final-mat", "dg", "btx", "eye"},
                        {"without-return", "json"});
  const char sep = context.separator;

  bool rightEye = true;
  if (const auto eye = options.Value("eye")) {
    if (SameLetters(*eye, "RA"))
      rightEye = true;
    else if (SameLetters(*eye, "LA"))
      rightEye = false;
    else
      throw Failure{kExitInput, "--eye erwartet RA oder LA, nicht \"" + *eye + "\""};
  }

  // Trial type: the list item it names, and what that item shows.
  static constexpr std::array<std::string_view, 5> kTypeCodes{"RT", "BT", "BTX", "VPT", "SPH"};
  const auto typeValue = options.Value("trial-type");
  if (!typeValue)
    throw Failure{kExitInput, "Fehlende Angabe für [Messlinsentyp]: --trial-type (RT, BT, BTX, VPT oder SPH)"};
  int typeIndex = -1;
  for (size_t i = 0; i < kTypeCodes.size(); ++i)
    if (SameLetters(*typeValue, kTypeCodes[i])) typeIndex = static_cast<int>(i);
  if (typeIndex < 0)
    throw Failure{kExitInput, "Unbekannter Messlinsentyp \"" + *typeValue +
                                  "\" (--trial-type); möglich: RT, BT, BTX, VPT, SPH"};
  const std::string_view typeName = kTypeCodes[static_cast<size_t>(typeIndex)];
  const auto layout = refit::TrialTypeSelected(typeIndex);

  refit::RefitInputs in;
  in.rightEye = rightEye;
  in.trialTypeText = std::string(refit::kTrialTypeItems[static_cast<size_t>(typeIndex)]);
  in.trialMaterialText = ReadMaterial(options, "trial-mat", refit::TrialMaterialItems(rightEye),
                                      "Messlinsenmaterial");
  in.trialMaterialChosen = true;
  const std::vector<std::string_view> finalItems(refit::kFinalMaterialItems.begin(),
                                                 refit::kFinalMaterialItems.end());
  in.finalMaterialText = ReadMaterial(options, "final-mat", finalItems, "Material der Rezeptlinse");
  in.finalMaterialChosen = true;

  in.rfl = ReadTrialField(options, "trial-rfl", refit::kRfl, true, typeName, sep);
  in.rst = ReadTrialField(options, "trial-rst", refit::kRst, layout->rstVisible, typeName, sep);
  in.dptfl = ReadTrialField(options, "trial-fl", refit::kDptfl, true, typeName, sep);
  in.dptst = ReadTrialField(options, "trial-st", refit::kDptst, layout->dptstVisible, typeName, sep);
  in.a = ReadTrialField(options, "trial-a", refit::kA, layout->aVisible, typeName, sep);

  // Over-refraction; cylinder, axis and rotation start at 0 on the page.
  in.sph = {ReadField(options, "sph", refit::kSph, sep)};
  in.cyl = {ReadWithDefault(options, "cyl", refit::kCyl, 0.0, sep)};
  in.axis = {ReadWithDefault(options, "axis", refit::kAxis, 0.0, sep)};
  in.stab = {ReadWithDefault(options, "stab", refit::kStab, 0.0, sep)};
  in.hsa = {ReadField(options, "hsa", refit::kHSA, sep)};

  // Final lens. Without --final-rst the steep radius is what the page prefills: the trial
  // steep radius when the trial type has one, else the field stays hidden (spherical back).
  in.rflRZ = {ReadField(options, "final-rfl", refit::kRflRZ, sep)};
  if (const auto rst = ReadOptionalField(options, "final-rst", refit::kRstRZ, sep))
    in.rstRZ = {*rst, true};
  else if (in.rst.visible)
    in.rstRZ = {in.rst.value, true};
  else
    in.rstRZ = {refit::kNoValue, false};
  in.dgRZ = {ReadWithDefault(options, "dg", refit::kDGRZ, 9.6, sep)};
  const bool btx = ReadYesNo(options, "btx", false);
  const bool withReturn = !options.Flag("without-return");

  // The checks the page makes when the trial radii and powers are left.
  const TContactLensTypes checkType = refit::ContactLensType(in.trialTypeText);
  for (auto left : {refit::LeftField::TrialRst, refit::LeftField::TrialDptst}) {
    const auto check = refit::CheckTrialField(checkType, left, in.rfl.value, in.rst.value,
                                              in.dptfl.value, in.dptst.value);
    if (!check.message.empty()) throw Failure{kExitCheck, check.message};
  }

  TCalculationToric engine;
  const refit::RefitResult r =
      refit::CalculateRefitLens(engine, in, sep, [btx](const TBtxQuestion&) { return btx; });
  using Outcome = refit::RefitResult::Outcome;
  switch (r.outcome) {
    case Outcome::Shown:
      break;
    case Outcome::Incomplete:
      throw Failure{kExitCheck, "Die Angaben sind unvollständig; es wird nichts berechnet."};
    default:
      throw Failure{kExitCheck, r.message};
  }

  const TContactLensParams& f = engine.FinalLens;
  const std::vector<std::string> order = refit::OrderLines(rightEye, r.display, withReturn);
  if (options.Flag("json")) {
    JsonObject json;
    json.Integer("result", r.engineResult)
        .String("type", refit::LensTypeName(f.typ))
        .String("typeCode", r.display.typeCode)
        .String("designText", r.display.designText)
        .String("geometryLine", r.display.geometryLine)
        .String("powerLine", r.display.powerLine)
        .Number("Dptfl", f.Dptfl)
        .Number("Dptst", f.Dptst)
        .Number("Sph", f.Sph)
        .Number("Cyl", f.Cyl)
        .Number("A", f.A)
        .Number("AG", f.AG)
        .Number("AGCorr", f.AGCorr)
        .Number("DptflUncorr", engine.Results.DptflUncorr)
        .Number("DptstUncorr", engine.Results.DptstUncorr)
        .Bool("btxAsked", r.btxAsked)
        .String("orderText", refit::OrderText(rightEye, r.display, withReturn));
    context.out << json.Text();
    return kExitOk;
  }
  context.out << r.display.designText << "\n"
              << r.display.geometryLine << "\n"
              << r.display.powerLine << "\n";
  if (r.btxAsked) context.out << "BTX-Rückfrage beantwortet mit: " << YesNo(btx) << "\n";
  context.out << "\nBestelltext:\n";
  for (const auto& line : order) context.out << line << "\n";
  return kExitOk;
}

}  // namespace cli
