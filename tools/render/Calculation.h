// The calculation options shared by 'stats' and 'render', and the calculation
// itself through the engine's facade and collection, as the program makes it.
#pragma once

#include <memory>

#include "Cli.h"
#include "Commands.h"
#include "core/cWL.h"

namespace wlrender {

// Option names of the calculation.
extern const std::vector<std::string> kCalcValued;
extern const std::vector<std::string> kCalcFlags;

struct Calculation {
  wl::cWL engine;
  wl::Integer index = 0;  // engine index of the calculated orbital
  wl::OrbitalSetup setup;

  const wl::cOrbitalObject& Orbital() {
    return dynamic_cast<const wl::cOrbitalObject&>(engine.Orbitals().At(index));
  }
};

// Reads the calculation options and calculates the orbital.
std::unique_ptr<Calculation> Calculate(const Args& args);

// The statistics of the calculation as one JSON object.
std::string StatsJson(Calculation& calc);

}  // namespace wlrender
