#pragma once
// The command-line calculator as a function, so that tests can run it in-process.

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliSupport.h"

namespace cli {

// A subcommand: its arguments (without the subcommand's name) and where to write.
// Returns the exit status; may also throw Failure.
using Command = int (*)(const std::vector<std::string>& args, Context& context);

int RunFit(const std::vector<std::string>& args, Context& context);
int RunRefit(const std::vector<std::string>& args, Context& context);
int RunTopo(const std::vector<std::string>& args, Context& context);
int RunHsa(const std::vector<std::string>& args, Context& context);
int RunQ(const std::vector<std::string>& args, Context& context);

// args without the program name. Returns the exit status.
int RunQuonCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                char separator);

}  // namespace cli
