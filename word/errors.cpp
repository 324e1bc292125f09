#include "word/errors.h"

#include <string>

namespace qv::word {

using automation::AutomationError;

void RaiseDeleted() {
  throw AutomationError(automation::err::kObjectDeleted, "Object has been deleted.");
}

void RaiseNoItem() {
  throw AutomationError(automation::err::kNoSuchItem,
                        "The requested member of the collection does not exist.");
}

void RaiseNoDocument() {
  throw AutomationError(kErrNoDocument,
                        "This command is not available because no document is open.");
}

void RaiseBadValue() {
  throw AutomationError(kErrBadParameter, "The measurement must be between 0 pt and 1584 pt.");
}

void CheckMeasurement(double points) {
  if (points < 0 || points > kMaxMeasurement) RaiseBadValue();
}

void RaiseInvalidCall() {
  automation::Raise(automation::err::kInvalidCall);
}

void RaiseNotAvailable(const char* why) {
  throw AutomationError(
      4605, std::string("This method or property is not available because ") + why + ".");
}

size_t CheckIndex(int64_t index, size_t count) {
  if (index < 1 || static_cast<uint64_t>(index) > count) RaiseNoItem();
  return static_cast<size_t>(index - 1);
}

}  // namespace qv::word
