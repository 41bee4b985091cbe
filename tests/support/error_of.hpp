// The number of the run-time error an action raises, 0 when it raises none.
#pragma once

#include <utility>

#include "host/error.hpp"

namespace zav3::testing {

template <class F>
int errorOf(F&& action) {
  try {
    std::forward<F>(action)();
  } catch (const host::RuntimeError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace zav3::testing
