#include <iostream>

#include "Calculation.h"
#include "Commands.h"

namespace wlrender {

int CmdStats(const ArgList& argv) {
  Args args(argv, {kCalcValued, kCalcFlags}, "stats");
  auto calc = Calculate(args);
  std::cout << StatsJson(*calc) << "\n";
  return 0;
}

}  // namespace wlrender
