#pragma once
// What an object-model call raised, for tests: the whole error, or only its number. Anything but
// an AutomationError passes through, so a test never mistakes a crash-like failure for the error
// it expects.

#include <cstdint>
#include <optional>

#include "automation/automation_error.h"

namespace qv::testing {

// The error `call` raised, or nothing when it returned normally.
template <class F>
std::optional<automation::AutomationError> RaisedError(F&& call) {
  try {
    call();
  } catch (const automation::AutomationError& e) {
    return e;
  }
  return std::nullopt;
}

// The number of the error `call` raised; 0 when it returned normally.
template <class F>
int32_t ErrorNumber(F&& call) {
  const auto e = RaisedError(call);
  return e ? e->Number() : 0;
}

}  // namespace qv::testing
