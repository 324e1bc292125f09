// helper: shows one web page in a window with an OK button. The command line (the arguments
// joined with blanks, docs/helper.md) is the address.

#include <cstdio>
#include <exception>

#include "browser/web_browser.h"
#include "helper/Module1.h"
#include "initializer/program/command_line.h"
#include "initializer/program/program_ui.h"
#include "ui/form.h"
#include "ui/transcript.h"

int main(int argc, char** argv) {
  const std::string commandLine = qv::initializer::CommandLine(argc, argv);
  try {
    qv::initializer::ProgramUi ui("Helper", argc > 0 ? argv[0] : "helper");
    // The transcript also says which page the window shows.
    ui.Recorder().DescribeModal([](qv::ui::Form& form, std::vector<std::string>& lines) {
      for (auto* control : form.AllControls()) {
        if (auto* page = dynamic_cast<qv::browser::WebBrowser*>(control))
          lines.push_back("Page " + form.Name() + "." + control->Name() + " " +
                          qv::ui::Quoted(page->LocationName()) + " " +
                          qv::ui::Quoted(page->LocationURL()));
      }
    });
    qv::helper::Main(commandLine);
  } catch (const std::exception& e) {
    // A browser control failure ends the program with the run-time error.
    std::fprintf(stderr, "helper: run-time error: %s\n", e.what());
    return 1;
  }
  return 0;
}
