// quon-calc topo: the topography page's values of one eye.

#include <array>
#include <string>
#include <vector>

#include "cli/QuonCalc.h"
#include "engine/CorneaObject.h"
#include "pages/Topography.h"

namespace cli {

int RunTopo(const std::vector<std::string>& args, Context& context) {
  namespace topo = pages::topo;
  const Options options(args, {"rfl", "rst", "aflm", "rs1", "rs2", "rs3", "rs4", "mw"}, {"json"});
  const char sep = context.separator;

  topo::TopoEye eye;
  eye.rfl = ReadField(options, "rfl", topo::kRfl, sep);
  eye.aflm = ReadField(options, "aflm", topo::kAflm, sep);
  eye.rst = ReadField(options, "rst", topo::kRst, sep);
  eye.rs[0] = ReadField(options, "rs1", topo::kRs1, sep);
  eye.rs[1] = ReadField(options, "rs2", topo::kRs2, sep);
  eye.rs[2] = ReadField(options, "rs3", topo::kRs3, sep);
  eye.rs[3] = ReadField(options, "rs4", topo::kRs4, sep);
  const auto mw = ReadOptionalField(options, "mw", topo::kMw, sep);
  eye.mw = mw ? *mw : 30.0;  // the page's preset angle

  TCornea cornea;
  const topo::TopoEyeResult r = topo::UpdateEye(cornea, eye, sep);
  // Until the central group is complete the direction labels keep their first texts.
  const std::array<std::string, 4> labels =
      r.central ? r.central->labels
                : std::array<std::string, 4>{"Nasal", "Temporal", "Superior", "Inferior"};

  if (options.Flag("json")) {
    JsonObject json;
    auto numberOrNull = [&json](std::string_view key, bool known, double value) {
      if (known)
        json.Number(key, value);
      else
        json.Null(key);
    };
    numberOrNull("centralAstig", r.central.has_value(), cornea.CentralAstig());
    numberOrNull("hhAstig", r.central.has_value(), cornea.HHAstig());
    numberOrNull("peripherAstig", r.toriPeri.has_value(), cornea.PeripherAstig());
    numberOrNull("epsMittel", r.em.has_value(), cornea.epsMittel());
    for (size_t i = 0; i < 4; ++i)
      json.String("e" + std::to_string(i + 1), r.eccentricities[i]);
    numberOrNull("axis1", r.central.has_value(), eye.aflm + 90.0);
    json.Strings("labels", std::vector<std::string>(labels.begin(), labels.end()));
    context.out << json.Text();
    return kExitOk;
  }

  auto show = [](const std::optional<std::string>& text) { return text ? *text : std::string(); };
  context.out << "Torizität zentral: " << (r.central ? r.central->toriCentr : "") << " mm\n"
              << "Astig. HH zentral: " << (r.central ? r.central->hhAstigCentr : "") << " dpt\n"
              << "Torizität peripher: " << show(r.toriPeri) << " mm\n"
              << "Exzentr. gesamt: " << show(r.em) << "\n";
  for (size_t i = 0; i < 4; ++i)
    context.out << "Exzentr. " << labels[i] << ": " << r.eccentricities[i] << "\n";
  context.out << "Achse steil: " << (r.central ? r.central->axis1 : "") << "°\n";
  return kExitOk;
}

}  // namespace cli
