#pragma once
// A command button. One button of a form may be its default (Enter clicks it) and one its cancel
// button (Escape clicks it); making a button the default takes the role from any other.
// Setting Value to true clicks the button, as in the host.

#include "ui/control.h"

namespace qv::ui {

class CommandButton : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  bool TakesFocus() const override { return true; }

  bool Default() const { return default_; }
  void Default(bool isDefault);
  bool Cancel() const { return cancel_; }
  void Cancel(bool isCancel);
  // Always false when read; true clicks.
  bool Value() const { return false; }
  void Value(bool value);

 private:
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace qv::ui
