#include "cli/QuonCalc.h"

namespace cli {
int RunFit(const std::vector<std::string>&, Context& context) {
  context.err << "not yet\n";
  return kExitInput;
}
}  // namespace cli
