// initializer: installs and removes the word processor and presentation add-ins. The command
// line is the arguments joined with blanks (docs/installer.md); the exit code is always 0 — the
// external setup learns the outcome from the setting isInstallOK.

#include <cstdio>
#include <exception>
#include <memory>

#include "automation/class_factory.h"
#include "initializer/initializer_form.h"
#include "initializer/program/command_line.h"
#include "initializer/program/program_ui.h"
#include "powerpoint/application.h"

int main(int argc, char** argv) {
  const std::string commandLine = qv::initializer::CommandLine(argc, argv);
  try {
    qv::initializer::ProgramUi ui("Initializer", argc > 0 ? argv[0] : "initializer");
    qv::automation::ClassFactory factory;
    qv::powerpoint::RegisterClasses(factory);
    auto form = std::make_shared<qv::initializer::Initializer>(commandLine, factory);
    form->Load();
  } catch (const std::exception& e) {
    // Every failure of the installer objects is reported by their own traps; what reaches here
    // is a fault of the program itself.
    std::fprintf(stderr, "initializer: %s\n", e.what());
  }
  return 0;
}
