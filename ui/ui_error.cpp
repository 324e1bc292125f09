#include "ui/ui_error.h"

#include "automation/automation_error.h"
#include "ui/constants.h"

namespace qv::ui {

void RaiseUi(int32_t number) {
  switch (number) {
    case err::kInvalidPropertyValue:
      throw automation::AutomationError(number, "Invalid property value");
    case err::kInvalidPropertyArrayIndex:
      throw automation::AutomationError(number, "Invalid property array index");
    case err::kControlArrayElement:
      throw automation::AutomationError(number, "Control array element doesn't exist");
    case err::kObjectUnloaded:
      throw automation::AutomationError(number, "Object was unloaded");
    case err::kAlreadyShownModally:
      throw automation::AutomationError(number, "Form already displayed; can't show modally");
    case err::kInvalidPicture:
      throw automation::AutomationError(number, "Invalid picture");
    case err::kControlNotFound:
      throw automation::AutomationError(number, "Control not found");
    default:
      automation::Raise(number);
  }
}

void RaiseUi(int32_t number, const std::string& name) {
  switch (number) {
    case err::kControlArrayElement:
      throw automation::AutomationError(number,
                                        "Control array element '" + name + "' doesn't exist");
    case err::kControlNotFound:
      throw automation::AutomationError(number, "Control '" + name + "' not found");
    default:
      RaiseUi(number);
  }
}

}  // namespace qv::ui
