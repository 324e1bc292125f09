// A check inside a handler of the script fails the run, even when what showed the message box or
// form traps the error the way the add-in's dialogs do.

#include "tools/lib/script/script_runner.h"

#include <gtest/gtest.h>

#include <fstream>

#include "automation/automation_error.h"
#include "platform/testing/temp_profile.h"
#include "ui/msgbox.h"

namespace qv::tools {
namespace {

int RunWithTrappingBox(const std::filesystem::path& script) {
  ScriptRunner runner(ScriptOptions{script.string(), {}, 1});
  runner.AddExtension([](automation::ScriptHost& host, automation::ClassFactory&) {
    // Shows a message box and swallows what goes wrong while it is up.
    host.DefineFunction("TrappedBox", [](std::vector<automation::Variant>&) {
      try {
        return automation::Variant(ui::MsgBox("Continue?", ui::vbOKCancel, "Test"));
      } catch (const automation::AutomationError&) {
        return automation::Variant(-1);
      }
    });
  });
  return runner.Run();
}

TEST(ScriptRunnerTest, AFailedCheckInAHandlerFailsTheRunEvenWhenTrapped) {
  qv::testing::TempProfile profile;
  const auto failing = profile.Dir() / "failing.js";
  std::ofstream(failing) << "Driver.OnMsgBox(function () { assert(false, 'inside'); });\n"
                            "assertEqual(TrappedBox(), -1);\n";
  EXPECT_EQ(RunWithTrappingBox(failing), 1);

  const auto passing = profile.Dir() / "passing.js";
  std::ofstream(passing) << "Driver.OnMsgBox(function () { return 2; });\n"
                            "assertEqual(TrappedBox(), 2);\n";
  EXPECT_EQ(RunWithTrappingBox(passing), 0);
}

}  // namespace
}  // namespace qv::tools
