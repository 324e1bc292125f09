#pragma once
// The scripted driver as a script sees it: handlers are script functions.

#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "ui/scripted_driver.h"

namespace qv::tools {

class ScriptDriver : public automation::Dispatch {
 public:
  explicit ScriptDriver(std::shared_ptr<ui::ScriptedDriver> driver) : driver_(std::move(driver)) {}
  const automation::DispatchTable& Members() const override;
  ui::ScriptedDriver& Driver() { return *driver_; }

  // The errors raised by the script's own handlers (a failed assertion in a form handler, say).
  // The product may trap them as it traps any error of a dialog, so the run reads them here.
  const std::vector<std::string>& HandlerFailures() const { return *failures_; }

 private:
  std::shared_ptr<ui::ScriptedDriver> driver_;
  std::shared_ptr<std::vector<std::string>> failures_ =
      std::make_shared<std::vector<std::string>>();
};

}  // namespace qv::tools
