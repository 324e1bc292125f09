#pragma once
// The fixed-or-moveable chooser: a small modal window with two large buttons that asks whether a
// new item of a drag-and-drop question is fixed (background the learner drops things onto) or
// moveable (a thing the learner drags). It also owns the file dialog through which a picture is
// picked for a drag-and-drop or hot-spot question, and the test of which picture files it
// accepts. Callers create it, ask (Display, drag and drop only), pick a file (pictures only), and
// close it with DONE.

#include <cstdint>
#include <memory>
#include <string>

#include "ui/command_button.h"
#include "ui/common_dialog.h"
#include "ui/form.h"
#include "ui/label.h"

namespace qv::addin {

// The item kinds Display asks about (any other value than 0 means a label).
inline constexpr int32_t kItemImage = 0;
inline constexpr int32_t kItemLabel = 1;
// The choices Display returns.
inline constexpr int32_t kChoiceNone = -1;
inline constexpr int32_t kChoiceFixed = 0;
inline constexpr int32_t kChoiceMoveable = 1;

class dlgMoveFixed : public ui::Form {
 public:
  static std::shared_ptr<dlgMoveFixed> Create();
  dlgMoveFixed();

  const automation::DispatchTable& Members() const override;

  // Asks for a picture file until the author picks an accepted one or cancels; "" when
  // cancelled (a failing file dialog counts as cancelled).
  std::string GetImageFile();
  // Closes the window.
  void DONE();
  // Whether the file name's extension is one the chooser accepts (case ignored); a file name
  // without any extension is accepted.
  static bool IsPicture(const std::string& path);
  // Asks about an item of `kind` (kItemImage, else a label) modally: kChoiceFixed,
  // kChoiceMoveable, or kChoiceNone when the window was closed otherwise.
  int32_t Display(int32_t kind);

  ui::Label& btnLbl;
  ui::CommandButton& btnMoveable;
  ui::CommandButton& btnFixed;
  ui::CommonDialog& dlgFileOpen;

 private:
  void Choose(int32_t choice);

  int32_t kind_ = kItemImage;
  int32_t choice_ = kChoiceNone;
};

}  // namespace qv::addin
