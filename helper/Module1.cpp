#include "helper/Module1.h"

#include <memory>

#include "helper/dlgIE.h"
#include "ui/msgbox.h"

namespace qv::helper {

std::string UsageText() {
  return "Usage: helper <url>\r\n\r\nWhere: <url> is a valid web address\r\n\r\nExample: helper "
         "http://www.example.com/";
}

void Main(const std::string& commandLine) {
  if (commandLine.empty()) {
    ui::MsgBox(UsageText(), ui::vbOKOnly);
    return;
  }
  auto window = std::make_shared<dlgIE>();
  window->Display(commandLine, "Quorvanta Addins Web Page Viewer");
}

}  // namespace qv::helper
