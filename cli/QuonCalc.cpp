#include "cli/QuonCalc.h"

#include <string_view>

namespace cli {

namespace {

struct Entry {
  std::string_view name;
  Command run;
  std::string_view usage;
};

const Entry kCommands[] = {
    {"fit", RunFit,
     "fit --rfl R --rst R --aflm GRAD --ecc E --hhd MM --sph D --cyl D --axis GRAD --hsa MM\n"
     "      [--prism yes|no] [--skip-check] [--eye RA|LA] [--json]\n"
     "      Anpassvorschlag für ein Auge"},
    {"refit", RunRefit,
     "refit --trial-type RT|BT|BTX|VPT|SPH --trial-mat NAME --trial-rfl R [--trial-rst R]\n"
     "      --trial-fl D [--trial-st D] [--trial-a GRAD] [--stab GRAD] --sph D [--cyl D]\n"
     "      [--axis GRAD] --hsa MM --final-rfl R [--final-rst R] --final-mat NAME [--dg MM]\n"
     "      [--btx yes|no] [--without-return] [--eye RA|LA] [--json]\n"
     "      Rezeptlinse aus einer Messlinse; ohne --final-rst gilt der steile Radius der\n"
     "      Messlinse (RT, BT, BTX), sonst eine sphärische Rückfläche"},
    {"topo", RunTopo,
     "topo --rfl R --rst R --aflm GRAD --rs1 R --rs2 R --rs3 R --rs4 R [--mw GRAD] [--json]\n"
     "      HH-Topometrie eines Auges"},
    {"hsa", RunHsa,
     "hsa --sph D [--cyl D] [--axis GRAD] --hsa MM [--json]\n"
     "      Refraktion auf HSA 0 umrechnen (Minuszylinder)"},
    {"q", RunQ,
     "q --q Q | --ecc E [--json]\n"
     "      Q-Wert in mittlere Exzentrizität umrechnen oder umgekehrt"},
};

void PrintUsage(std::ostream& os) {
  os << "Aufruf: quon-calc BEFEHL [OPTIONEN]\n\nBefehle:\n";
  for (const auto& c : kCommands) os << "  " << c.usage << "\n";
}

}  // namespace

int RunQuonCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                char separator) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitInput;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(out);
    return kExitOk;
  }
  Context context{out, err, separator};
  for (const auto& c : kCommands) {
    if (args[0] != c.name) continue;
    try {
      return c.run(std::vector<std::string>(args.begin() + 1, args.end()), context);
    } catch (const Failure& f) {
      err << f.message << "\n";
      return f.status;
    }
  }
  err << "Unbekannter Befehl: " << args[0] << "\n";
  PrintUsage(err);
  return kExitInput;
}

}  // namespace cli
