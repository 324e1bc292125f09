#pragma once
// What an add-in file declares for this embedded program: the command bar entries it adds when
// loaded. A file that is not such a declaration (the real add-in's own content) adds nothing.
//
//   {"toolbars":  [{"name": "Quorvanta", "buttons": [{"caption": "...", "tag": "..."}]}],
//    "toolsMenu": [{"caption": "&Quorvanta", "buttons": [{"caption": "...", "tag": "..."}]}]}

#include <string>
#include <vector>

namespace qv::powerpoint {

struct AddInButton {
  std::string caption;
  std::string tag;
};

struct AddInBar {
  std::string name;  // the toolbar's name, or the caption of the pop-up in the Tools menu
  std::vector<AddInButton> buttons;
};

struct AddInDeclaration {
  std::vector<AddInBar> toolbars;
  std::vector<AddInBar> toolsMenu;
};

// Reads the declaration from the file's content; whatever does not fit is left out.
AddInDeclaration ReadAddInDeclaration(const std::string& content);

}  // namespace qv::powerpoint
