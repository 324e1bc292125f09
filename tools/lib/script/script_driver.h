#pragma once
// The scripted driver as a script sees it: handlers are script functions.

#include <memory>

#include "automation/dispatch.h"
#include "ui/scripted_driver.h"

namespace qv::tools {

class ScriptDriver : public automation::Dispatch {
 public:
  explicit ScriptDriver(std::shared_ptr<ui::ScriptedDriver> driver) : driver_(std::move(driver)) {}
  const automation::DispatchTable& Members() const override;
  ui::ScriptedDriver& Driver() { return *driver_; }

 private:
  std::shared_ptr<ui::ScriptedDriver> driver_;
};

}  // namespace qv::tools
