// A person at the terminal: the add-in's commands by number, and the Add New Question dialog and
// the web preview wizard drawn and answered on the same input.

#include "tools/lib/terminal/word_terminal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"
#include "platform/testing/temp_profile.h"
#include "tools/lib/coursehost/course_host.h"
#include "tools/lib/setup/installation.h"
#include "tools/lib/setup/run_installer.h"
#include "ui/terminal_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/custom_properties.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/loader/addin_host.h"
#include "word/table.h"

namespace qv::tools {
namespace {

using ::testing::HasSubstr;

TEST(WordTerminal, APersonAddsAQuestionAndConvertsTheDocument) {
  qv::testing::TempProfile profile;
  Install(DefaultBasePath());
  CourseHost host(CourseHostOptions{});
  host.Start();
  ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host.Port()));

  // new document; Add New Question: Multiple Choice, 3 answers, Add; then Enhanced Web Preview:
  // Next, then (after Save As... and Back) Convert!
  std::istringstream in(
      "new\n"
      "type Fractions\n"
      "para\n"
      "1\n"
      "1 Multiple Choice\n"
      "leave\n"
      "forms\n"
      "form 1\n"
      "2 3\n"
      "3\n"
      "end\n"
      "3\n"
      "1\n"
      "3\n"
      "bogus\n"
      "m9\n"
      "quit\n");
  std::ostringstream out;
  {
    ui::Toolkit toolkit(ui::App("Quorvanta Word", "", "quorvanta"),
                        std::make_shared<ui::TerminalDriver>(in, out));
    auto app = word::StartWordProcessor(word::kStartedByUser);
    WordTerminal(app, in, out).Run();
    auto doc = app->ActiveDocument();
    ASSERT_EQ(doc->Tables()->Count(), 1) << out.str();
    EXPECT_EQ(doc->Tables()->Item(1)->Rows()->Count(), 6) << "three answers";
    auto* property = doc->Properties().Find("WebVerify");
    ASSERT_TRUE(property) << out.str();
    EXPECT_EQ(property->value.ToText(), "0.6");
    app->Quit(0);
  }
  const std::string text = out.str();
  EXPECT_THAT(text, HasSubstr("toolbar Quorvanta:  [1] Add New Question  [2] Add Web Page Break"));
  EXPECT_THAT(text, HasSubstr("== dlgCreateQuestion: Add New Question... =="));
  EXPECT_THAT(text, HasSubstr("        1* Multiple Choice\n"));
  EXPECT_THAT(text, HasSubstr("[2] txtNumAns: \"4\""));
  EXPECT_THAT(text, HasSubstr("word>   [1] dlgCreateQuestion: Add New Question...\n"));
  EXPECT_THAT(text, HasSubstr("page: Qti Examples 2 <http://courses.quorvanta.example/prot/"));
  EXPECT_THAT(text, HasSubstr("* Caption dlgProgress.Status \"Creating Multiple Choice Question"));
  EXPECT_THAT(text, HasSubstr("* Unload dlgCreateQuestion by code"));
  EXPECT_THAT(text, HasSubstr("== dlgWebVerify: Quorvanta Web Verification Wizard =="));
  EXPECT_THAT(text, HasSubstr("[3]   (&Convert!)"));
  EXPECT_THAT(text, HasSubstr("* Caption dlgWebVerify.CvtPgrs \"100 %\""));
  EXPECT_THAT(text, HasSubstr("? (help lists the commands)"));
  EXPECT_THAT(text, HasSubstr("word> ?\n")) << "a menu number that does not exist";
}

}  // namespace
}  // namespace qv::tools
