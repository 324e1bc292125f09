#pragma once
// A person at the terminal working in the word processor (`quorvanta word --terminal`): the
// add-in's toolbar and menu commands by number, a few document commands (new, open, save, type,
// show), and whatever forms the commands open, drawn and worked by the program's terminal driver
// on the same input.

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/form.h"

namespace qv::word {
class Application;
}

namespace qv::tools {

class WordTerminal {
 public:
  WordTerminal(std::shared_ptr<word::Application> app, std::istream& in, std::ostream& out);
  // Takes commands until "quit" or the end of the input.
  void Run();

 private:
  // False when the line is not a command.
  bool Command(const std::string& line);
  void ShowCommands();
  void Click(bool menu, const std::string& number);
  // The windows shown now; a window the person left open ("leave") is taken up again by number.
  std::vector<ui::FormRef> OpenForms() const;
  void BackToForm(const std::string& number);

  std::shared_ptr<word::Application> app_;
  std::istream& in_;
  std::ostream& out_;
  bool quit_ = false;
};

}  // namespace qv::tools
