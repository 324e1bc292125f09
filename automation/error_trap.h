#pragma once
// The two ways product procedures meet errors of the object model:
//  - a trap at a procedure's entry: the whole body runs, and an error ends it, hands the number and
//    description to the procedure's handler (which reports it) and yields a failure result;
//  - a stretch that runs with errors ignored: each statement that raises is skipped and the error
//    is remembered, as the host's "resume next" does. Only AutomationError is swallowed there, so
//    logic errors and allocation failures still surface.

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

#include "automation/automation_error.h"

namespace qv::automation {

struct ErrInfo {
  int32_t number = 0;
  std::string description;
  explicit operator bool() const { return number != 0; }
};

// Runs `body`. On AutomationError or std::exception, calls `onError(const ErrInfo&)` and returns
// `failure`. Allocation failures are not trapped: they propagate.
template <class Body, class OnError, class R = std::invoke_result_t<Body>>
requires(!std::is_void_v<R>) R TrapValue(Body&& body, OnError&& onError, R failure) {
  try {
    return std::forward<Body>(body)();
  } catch (const AutomationError& e) {
    onError(ErrInfo{e.Number(), e.Description()});
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    // A fault of our own reaching a trap is still reported; number 0 marks it as not the host's.
    onError(ErrInfo{0, e.what()});
  }
  return failure;
}

// As TrapValue for a body without a result: true when the body ran to its end.
template <class Body, class OnError>
bool Trap(Body&& body, OnError&& onError) {
  return TrapValue(
      [&] {
        std::forward<Body>(body)();
        return true;
      },
      std::forward<OnError>(onError), false);
}

class ErrorsIgnored {
 public:
  // Runs one statement; an AutomationError it raises is recorded and skipped.
  template <class Statement>
  void operator()(Statement&& statement) {
    try {
      std::forward<Statement>(statement)();
    } catch (const AutomationError& e) {
      err_ = ErrInfo{e.Number(), e.Description()};
    }
  }

  // Runs one expression and returns its value, or `fallback` when it raised.
  template <class Expr, class R = std::invoke_result_t<Expr>>
  R Value(Expr&& expr, R fallback) {
    try {
      return std::forward<Expr>(expr)();
    } catch (const AutomationError& e) {
      err_ = ErrInfo{e.Number(), e.Description()};
      return fallback;
    }
  }

  // The last error skipped since construction or the last Clear (number 0: none).
  const ErrInfo& Err() const { return err_; }
  void Clear() { err_ = ErrInfo{}; }

 private:
  ErrInfo err_;
};

}  // namespace qv::automation
