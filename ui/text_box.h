#pragma once
// A text box, single-line or multi-line. Setting a different Text raises Change, whether the
// program or the user typed it.

#include "ui/control.h"

namespace qv::ui {

class TextBox : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  bool TakesFocus() const override { return true; }

  // Set at design time: Enter types a line break in a multi-line box instead of pressing the
  // form's default button.
  bool MultiLine() const { return multiLine_; }
  void MultiLine(bool multiLine) { multiLine_ = multiLine; }
  // A locked box shows its text but the user cannot change it.
  bool Locked = false;
  // 0: no limit; else the user cannot type more characters than this.
  int32_t MaxLength = 0;

  // The user types one key (a character code; backspace removes the last character).
  void Type(int32_t key);

 private:
  bool multiLine_ = false;
};

}  // namespace qv::ui
