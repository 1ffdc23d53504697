// quon-calc hsa and quon-calc q: the two converter pages.

#include <cmath>
#include <string>
#include <vector>

#include "cli/QuonCalc.h"
#include "pages/Converters.h"

namespace cli {

namespace convert = pages::convert;

int RunHsa(const std::vector<std::string>& args, Context& context) {
  const Options options(args, {"sph", "cyl", "axis", "hsa"}, {"json"});
  const char sep = context.separator;
  const double sph = ReadField(options, "sph", convert::kHsaSph, sep);
  // An empty cylinder field becomes 0.
  const auto cylValue = ReadOptionalField(options, "cyl", convert::kHsaCyl, sep);
  const double cyl = cylValue ? *cylValue : 0.0;
  const bool axisNeeded = std::fabs(cyl) > 0.01;
  double axis = 0.0;
  if (axisNeeded)
    axis = ReadField(options, "axis", convert::kHsaAxis, sep);
  else if (options.Has("axis"))
    throw Failure{kExitInput,
                  "Ohne Zylinder wird keine Achse verwendet; --axis ist hier nicht zulässig."};
  const double hsa = ReadField(options, "hsa", convert::kHsaHsa, sep);

  const TCalculationToric engine;
  const auto r = convert::ConvertHSA(engine, sph, cyl, axis, hsa, sep);
  if (!r) throw Failure{kExitCheck, "Fehler beim Rechnen!..."};

  if (options.Flag("json")) {
    JsonObject json;
    json.Number("sph0", r->sph0).Number("cyl0", r->cyl0).Number("axis0", r->axis0);
    context.out << json.Text();
    return kExitOk;
  }
  context.out << "Auf HSA0 umgerechnete Werte:\n"
              << "Sph.: " << r->sphText << "\n"
              << "Zyl.: " << r->cylText << "\n";
  if (axisNeeded) context.out << "Achse: " << r->axisText << "\n";
  context.out << "HSA: 0\n";
  return kExitOk;
}

int RunQ(const std::vector<std::string>& args, Context& context) {
  const Options options(args, {"q", "ecc"}, {"json"});
  const bool hasQ = options.Has("q"), hasEcc = options.Has("ecc");
  if (hasQ == hasEcc)
    throw Failure{kExitInput, "Bitte genau eine Angabe: --q (Q-Wert) oder --ecc (Mittlere Exzentrizität)."};
  const orvek::FieldSpec& field = hasQ ? convert::kQ : convert::kExc;
  // The Q-value page's fields round to their step but report no range violation.
  const double value =
      *ReadOptionalField(options, hasQ ? "q" : "ecc", field, context.separator, false);
  const auto result = hasQ ? convert::QToEccentricity(value) : convert::EccentricityToQ(value);
  if (!result)
    throw Failure{kExitInput, "Der Wert für [" + std::string(field.displayName) +
                                  "] gilt als leeres Feld (-999 oder kleiner); es wird nichts umgerechnet."};
  const std::string_view key = hasQ ? "ecc" : "q";
  if (options.Flag("json")) {
    JsonObject json;
    json.Number(key, *result);
    context.out << json.Text();
    return kExitOk;
  }
  const orvek::FieldSpec& target = hasQ ? convert::kExc : convert::kQ;
  context.out << target.displayName << ": "
              << orvek::FormatFixed(*result, 2, context.separator) << "\n";
  return kExitOk;
}

}  // namespace cli
