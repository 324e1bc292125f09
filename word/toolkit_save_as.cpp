#include "word/toolkit_save_as.h"

#include "automation/automation_error.h"
#include "ui/common_dialog.h"

namespace qv::word {

std::optional<std::string> ToolkitSaveAsChooser::Choose(const std::string& currentName) {
  auto dialog = std::make_shared<ui::CommonDialog>();
  dialog->DialogTitle = "Save As";
  dialog->Filter = "Word Document (*.doc)|*.doc|Document Template (*.dot)|*.dot|All Files|*.*";
  dialog->DefaultExt = "doc";
  dialog->FileName = currentName;
  dialog->Flags = ui::cdlOFNOverwritePrompt | ui::cdlOFNHideReadOnly;
  dialog->CancelError = true;
  try {
    dialog->ShowSave();
  } catch (const automation::AutomationError& e) {
    if (e.Number() == automation::err::kDialogCancelled) return std::nullopt;
    throw;
  }
  if (dialog->FileName.empty()) return std::nullopt;
  return dialog->FileName;
}

}  // namespace qv::word
