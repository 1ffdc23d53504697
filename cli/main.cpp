#include <iostream>

#include "cli/QuonCalc.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return cli::RunQuonCalc(args, std::cout, std::cerr, cli::LocaleDecimalSeparator());
}
