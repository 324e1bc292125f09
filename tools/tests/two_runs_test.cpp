// The menu and toolbar built in one run of the word processor are found in the Normal template by
// the next run (a separate process) and re-attached, not built again.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"

namespace qv::tools {
namespace {

TEST(TwoRuns, TheNextRunReattachesTheSavedCommands) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  testing::TempProfile profile;
  const auto first = profile.Dir() / "first.js";
  const auto second = profile.Dir() / "second.js";
  std::ofstream(first) << R"(
    Setup();
    var host = StartCourseHost();
    var app = CreateObject("Word.Application");
    var tb = app.CommandBars("Quorvanta");
    assertEqual(tb.Controls.Count, 6);
    tb.Controls(1).Caption = "Mine";   // the user renames the first button
    app.Quit();
  )";
  std::ofstream(second) << R"(
    var host = StartCourseHost();
    Driver.AnswerMsgBox(7);            // no update check now
    var app = CreateObject("Word.Application");
    var tb = app.CommandBars("Quorvanta");
    assertEqual(tb.Controls.Count, 6, "not built again");
    assertEqual(tb.Controls(1).Caption, "Mine", "found in the saved Normal template");
    Driver.ClearTranscript();
    app.CommandBars("Quorvanta").Controls(3).Execute();
    assertEqual(Driver.TranscriptCount, 1, "re-attached: the click reaches its handler");
    var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
    assertEqual(menu.Controls.Count, 6);
  )";
  auto o = testing::RunProgram(bin, {"run", first.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.out << o.err;
  o = testing::RunProgram(bin, {"run", second.string()}, profile.Dir());
  EXPECT_EQ(o.exitCode, 0) << o.out << o.err;
}

}  // namespace
}  // namespace qv::tools
