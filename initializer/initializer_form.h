#pragma once
// Form Initializer: the installer has no window of its own; loading this form reads the command
// line and does all the work (install, unload or uninstall one add-in), then the form unloads.

#include <string>

#include "automation/class_factory.h"
#include "ui/form.h"

namespace qv::initializer {

class Initializer : public ui::Form {
 public:
  // `commandLine` is the text after the program name; `factory` creates the presentation
  // program.
  Initializer(std::string commandLine, const automation::ClassFactory& factory);

 private:
  void Form_Load();
  void ShowUsage();

  std::string commandLine_;
  const automation::ClassFactory& factory_;
};

}  // namespace qv::initializer
