#pragma once
// The "Please Wait..." window: one line of status text that long operations replace as they go.
// Those operations keep the user-interface thread busy, so every change repaints the window at
// once instead of waiting for the message loop. Each operation makes, shows (modelessly) and
// closes its own window.

#include <memory>
#include <string>

#include "ui/form.h"
#include "ui/label.h"

namespace qv::addin {

class dlgProgress : public ui::Form {
 public:
  static std::shared_ptr<dlgProgress> Create();
  dlgProgress();

  // Replaces the status text and repaints; an error here is reported and not passed on.
  void AddMessage(const std::string& text);
  // Shows "Done!  Closing..." and unloads the window.
  void DONE();

  const automation::DispatchTable& Members() const override;

 private:
  ui::Label& Status;
};

}  // namespace qv::addin
