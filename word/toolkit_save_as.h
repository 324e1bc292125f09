#pragma once
// The built-in Save As dialog served by the forms toolkit's file dialog: the program's driver (a
// person at the terminal, or a script) chooses the file name.

#include "word/dialogs.h"

namespace qv::word {

class ToolkitSaveAsChooser : public SaveAsChooser {
 public:
  std::optional<std::string> Choose(const std::string& currentName) override;
};

}  // namespace qv::word
