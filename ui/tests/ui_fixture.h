#pragma once
// A toolkit with a scripted driver for one test.

#include <gtest/gtest.h>

#include <memory>

#include "ui/scripted_driver.h"
#include "ui/toolkit.h"

namespace qv::ui::testing {

class UiTest : public ::testing::Test {
 protected:
  std::shared_ptr<ScriptedDriver> driver = std::make_shared<ScriptedDriver>();
  Toolkit toolkit{App("Quorvanta Word Add-in", "/opt/quorvanta", "kzoword"), driver};

  std::vector<std::string> Lines() const { return driver->Lines(); }
};

}  // namespace qv::ui::testing
