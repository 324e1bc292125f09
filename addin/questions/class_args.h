#pragma once
// How the question classes read the arguments automation clients pass them: objects of a given
// kind, and the message a Validate call fills in by reference.

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Table;
}

namespace qv::addin {

// Argument `i` as an object of type T; anything else raises "Type mismatch" (13).
template <class T>
std::shared_ptr<T> ObjectArg(automation::Args& a, size_t i) {
  auto object = std::dynamic_pointer_cast<T>(a.Object(i));
  if (!object) automation::Raise(automation::err::kTypeMismatch);
  return object;
}

// Calls `question.Validate(message, table)` with the message of argument 0 (written back to it)
// and the question table of argument 1.
template <class Q>
bool ValidateByReference(Q& question, automation::Args& a) {
  std::string message = a[0].IsEmpty() ? "" : a[0].ToText();
  const bool ok = question.Validate(message, ObjectArg<word::Table>(a, 1));
  a[0] = automation::Variant(message);
  return ok;
}

}  // namespace qv::addin
