#include "automation/automation_error.h"

namespace qv::automation {

std::string StandardDescription(int32_t number) {
  switch (number) {
    case err::kInvalidCall:
      return "Invalid procedure call or argument";
    case err::kOverflow:
      return "Overflow";
    case err::kSubscript:
      return "Subscript out of range";
    case err::kTypeMismatch:
      return "Type mismatch";
    case err::kFileNotFound:
      return "File not found";
    case err::kObjectNotSet:
      return "Object variable or With block variable not set";
    case err::kObjectRequired:
      return "Object required";
    case err::kCannotCreate:
      return "ActiveX component can't create object";
    case err::kNoSuchMember:
      return "Object doesn't support this property or method";
    case err::kWrongArgCount:
      return "Wrong number of arguments or invalid property assignment";
    case err::kObjectDeleted:
      return "Object has been deleted.";
    case err::kNoSuchItem:
      return "The requested member of the collection does not exist.";
    case err::kDialogCancelled:
      return "Cancel was selected.";
    default:
      return "";
  }
}

void Raise(int32_t number) {
  throw AutomationError(number, StandardDescription(number));
}

}  // namespace qv::automation
