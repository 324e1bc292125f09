// quorvanta show prints the text rendering of a saved document, and refuses what is not one.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"

namespace qv::tools {
namespace {

TEST(ShowCommand, PrintsTheRenderingAndRefusesOtherFiles) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  testing::TempProfile profile;
  const auto script = profile.Dir() / "make.js";
  const auto doc = profile.Dir() / "made.doc";
  std::ofstream(script) << "var app = CreateObject('Word.Application');\n"
                           "var d = app.Documents.Add();\n"
                           "d.Content.InsertAfter('Before the table');\n"
                           "var r = d.Range(d.Content.End - 1, d.Content.End - 1);\n"
                           "var t = d.Tables.Add(r, 2, 2);\n"
                           "t.Cell(1, 2).Range.Text = 'cell text';\n"
                           "d.SaveAs('" +
                               doc.string() + "');\n";
  auto o = testing::RunProgram(bin, {"run", script.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;

  o = testing::RunProgram(bin, {"show", doc.string()}, profile.Dir());
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_NE(o.out.find("Before the table"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("cell text"), std::string::npos) << o.out;

  const auto bad = profile.Dir() / "bad.doc";
  std::ofstream(bad) << "this is not a document";
  o = testing::RunProgram(bin, {"show", bad.string()}, profile.Dir());
  EXPECT_NE(o.exitCode, 0);
  EXPECT_FALSE(o.err.empty());
  EXPECT_EQ(testing::RunProgram(bin, {"show"}, profile.Dir()).exitCode == 0, false);
}

}  // namespace
}  // namespace qv::tools
