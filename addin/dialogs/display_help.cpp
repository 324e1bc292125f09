#include "addin/dialogs/display_help.h"

#include "addin/dialogs/dlgMark.h"
#include "automation/error_trap.h"

namespace qv::addin {

void DisplayHelp(int32_t id) {
  auto dialog = dlgMark::Create();
  dialog->DisplayHelp(id);
  automation::ErrorsIgnored ignore;
  ignore([&] { dialog->Unload(); });
}

}  // namespace qv::addin
