// The word processor add-in's installation inside a process that runs the word processor itself,
// and the installer's error report.

#include <gtest/gtest.h>

#include "initializer/dclrs.h"
#include "initializer/tests/install_fixture.h"
#include "initializer/word_init.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/loader/addin_host.h"
#include "word/running_application.h"

namespace qv::testing {
namespace {

using automation::Variant;
using initializer::Dclrs;
using initializer::WordInit;

TEST_F(InstallFixture, EmbeddedWordWithoutTheTemplatesAsksToRestartWordAndOutlook) {
  LayFiles();
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Initializer", "", "initializer"), driver);
  // A word processor used by another program: nothing it shows is under the user's control.
  auto app = word::StartWordProcessor(word::kStartedForEmbedding);
  app->SetUserControl(false);
  Dclrs args;
  args.prog = "-w";
  args.basePath = base;
  {
    WordInit init(args);
    EXPECT_TRUE(init.LoadAddin());
    EXPECT_FALSE(init.CreatedWord()) << "the word processor of this process is the running one";
  }
  EXPECT_EQ(driver->Text(),
            "MsgBox \"Initializer\" [OK] default=OK: \"The Word Add-in will be installed, but you "
            "must close and open Word and Outlook before the add-in will show up.\" -> OK");
  EXPECT_EQ(word::RunningApplication(), app) << "left running";
  EXPECT_EQ(Value(online::kCompanyKey, "isInstallOK"), Variant(1));

  // With the user in control there is nothing to say.
  driver->ClearTranscript();
  app->SetUserControl(true);
  {
    WordInit init(args);
    EXPECT_TRUE(init.LoadAddin());
  }
  EXPECT_EQ(driver->Text(), "");
  app->Quit();
}

TEST_F(InstallFixture, InstallerErrorReportIsShortAndMarksTheInstallationFailed) {
  namespace reg = online::reg;
  reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kCompanyKey, "strHost",
                Variant("http://courses.local/"), reg::REG_SZ);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "Ver", Variant("27"), reg::REG_SZ);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "kzoUser", Variant(0),
                reg::REG_DWORD);
  EXPECT_EQ(initializer::ErrorReportText("Erl:60\r\nbad & worse", "WordInit.LoadAddin", 0),
            "An error has occurred in WordInit.LoadAddin\r\n\r\n"
            "Erl:60\r\nbad & worse (0)\r\n"
            "portal=http://courses.local/\r\n"
            "strQuery=\r\n"
            "VERSION_NO=27\r\n"
            "kzoUser=0\r\n");

  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Initializer", "", "initializer"), driver);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kCompanyKey, "isInstallOK", Variant(1),
                reg::REG_DWORD);
  initializer::ReportError("quiet", "PptInit.LoadAddin", 0, false);
  EXPECT_EQ(Value(online::kCompanyKey, "isInstallOK"), Variant(0));
  EXPECT_EQ(driver->Text(), "");
  initializer::ReportError("shown", "Dclrs.Test", 5, true);
  EXPECT_EQ(
      driver->Text(),
      "MsgBox \"Error\" [OK] Critical default=OK: \"An error has occurred.\\r\\n\\r\\nshown\" "
      "-> OK");
}

}  // namespace
}  // namespace qv::testing
