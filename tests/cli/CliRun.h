#pragma once
// Runs quon-calc in-process and collects its exit status and output.

#include <sstream>
#include <string>
#include <vector>

#include "cli/QuonCalc.h"

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun Calc(const std::vector<std::string>& args, char separator = ',') {
  std::ostringstream out, err;
  const int status = cli::RunQuonCalc(args, out, err, separator);
  return {status, out.str(), err.str()};
}
