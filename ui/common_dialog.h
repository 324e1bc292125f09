#pragma once
// The common file dialog: file-open and save-as. It may sit on a form (invisible at run time) or
// stand alone. The driver chooses the file; a cancelled dialog raises 32755 "Cancel was
// selected." when CancelError is set and otherwise leaves FileName as it was.

#include <cstdint>
#include <string>

#include "ui/control.h"

namespace qv::ui {

// Flags the product may set.
inline constexpr int32_t cdlOFNOverwritePrompt = 0x2;
inline constexpr int32_t cdlOFNHideReadOnly = 0x4;
inline constexpr int32_t cdlOFNPathMustExist = 0x800;
inline constexpr int32_t cdlOFNFileMustExist = 0x1000;

class CommonDialog : public Control {
 public:
  CommonDialog() { Visible(false); }
  const automation::DispatchTable& Members() const override;

  std::string DialogTitle;
  // Pairs of description and pattern list separated by "|": "Pictures|*.gif;*.jpg|All|*.*".
  std::string Filter;
  int32_t FilterIndex = 1;
  // The chosen path (also the name the dialog starts with).
  std::string FileName;
  // The chosen file's name without its folder.
  std::string FileTitle;
  std::string InitDir;
  // Added to a saved file name that has no extension ("doc", without the dot).
  std::string DefaultExt;
  int32_t Flags = 0;
  bool CancelError = false;

  void ShowOpen() { Run(false); }
  void ShowSave() { Run(true); }

 private:
  void Run(bool save);
};

}  // namespace qv::ui
