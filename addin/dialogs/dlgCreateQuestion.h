#pragma once
// The Add New Question dialog: the author picks a question type (with a picture of how it looks
// in the document and a live example page from the course host), says how many answers a choice
// question gets, and the question class of that type builds the table at the insertion point.
//
// The dialog is modeless: Display returns once it is shown, and its own handlers do the rest.
// While it is loaded every command of the add-in's menu and toolbar is disabled, so the command
// cannot start twice; unloading it (by any path) enables them again. The last type chosen
// (LastQType, its list position) and the answer count as typed (numAs) are kept in the settings
// from one run of the word processor to the next.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/text_box.h"

namespace qv::browser {
class WebBrowser;
}

namespace qv::word {
class Application;
}

namespace qv::addin {

class dlgCreateQuestion : public ui::Form {
 public:
  static std::shared_ptr<dlgCreateQuestion> Create();
  dlgCreateQuestion();

  const automation::DispatchTable& Members() const override;

  // Runs the guard, disables the add-in's commands, fills the list, selects the last type chosen
  // and shows the dialog modelessly. The guard's refusal shows nothing and leaves the commands
  // enabled.
  void Display(const std::shared_ptr<word::Application>& app);
  // Checks the answer count and builds a question of the selected type ("&Add", double click).
  void CreateQTI();
  // Shows the example page of type `code` in the example browser.
  void LoadQuizFromSite(int32_t code);

  ui::Frame& QuestionTypes;
  ui::ListBox& lstQTypes;
  ui::Label& lblNumAns;
  ui::TextBox& txtNumAns;
  ui::CommandButton& btnContinue;
  ui::CommandButton& btnCancel;
  ui::Frame& Frame3;
  browser::WebBrowser& quizPreview;
  ui::Frame& Frame2;
  ui::Image& picPreview;

  // Makes the object of a question class from its programmatic identifier ("KZOWord." + class
  // name); null when there is no such class. The library's public classes, unless replaced.
  std::function<automation::ObjectRef(const std::string& progId)> MakeQuestion;

 private:
  void Form_Load();
  void Form_Unload();
  void lstQTypes_Click();
  // Selects list position `position`; a stored position outside the list is reported and the
  // first entry selected instead, so the dialog stays usable.
  void SelectStoredType(const std::string& stored);
  void ShowPreviewPicture(int32_t code);

  std::shared_ptr<word::Application> app_;
};

}  // namespace qv::addin
