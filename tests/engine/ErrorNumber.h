// Test helper: the number of the engine error an action raises, 0 when it
// raises none.
#pragma once

#include "core/WLError.h"

namespace wltest {

template <class F>
int ErrorNumberOf(F&& action) {
  try {
    action();
  } catch (const wl::WLError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace wltest
