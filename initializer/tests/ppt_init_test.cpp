// The presentation add-in's installation, in this process: the presentation program runs once per
// user, so a running one (with or without an open presentation) is the one the installer gets.

#include <gtest/gtest.h>

#include "automation/class_factory.h"
#include "initializer/ppt_init.h"
#include "initializer/tests/install_fixture.h"
#include "office/command_bar.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "powerpoint/add_in.h"
#include "powerpoint/add_ins.h"
#include "powerpoint/application.h"
#include "powerpoint/presentations.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"

namespace qv::testing {
namespace {

using initializer::Dclrs;
using initializer::PptInit;

class PptInitTest : public InstallFixture {
 protected:
  PptInitTest() { powerpoint::RegisterClasses(factory); }
  std::shared_ptr<powerpoint::Application> Running() {
    return std::dynamic_pointer_cast<powerpoint::Application>(
        factory.Create("PowerPoint.Application"));
  }
  static bool HasBar(powerpoint::Application& app, const char* name) {
    for (int32_t i = 1; i <= app.CommandBars()->Count(); ++i)
      if (app.CommandBars()->Item(i)->Name() == name) return true;
    return false;
  }

  automation::ClassFactory factory;
  Dclrs args;
};

TEST_F(PptInitTest, NotRunningIsStartedForTheCallAndQuit) {
  LayFiles();
  args.prog = "-p";
  args.basePath = base;
  std::shared_ptr<powerpoint::Application> used;
  {
    PptInit ppt(args, factory);
    EXPECT_TRUE(ppt.CreatedPpt());
    EXPECT_EQ(ppt.AddinPath(), pptDir + "rvuppt.ppa");
    EXPECT_TRUE(ppt.LoadAddin());
    used = Running();
  }
  EXPECT_TRUE(used->HasQuit());
  used.reset();

  // What was kept: listed, loading automatically, registered; its toolbar and menu were added.
  auto next = powerpoint::Application::Create();
  auto entry = next->AddIns()->Item("rvuppt");
  EXPECT_TRUE(entry->AutoLoad());
  EXPECT_TRUE(entry->Registered());
  EXPECT_TRUE(entry->Loaded()) << "loaded at start";
  EXPECT_TRUE(HasBar(*next, "Quorvanta"));
  next->Quit();

  // Unload resets the entry; uninstall also removes the toolbar and the menu.
  args.uninstall = true;
  {
    PptInit ppt(args, factory);
    ppt.UnloadAddin();
  }
  auto after = powerpoint::Application::Create();
  EXPECT_FALSE(after->AddIns()->Item("rvuppt")->AutoLoad());
  EXPECT_FALSE(after->AddIns()->Item("rvuppt")->Registered());
  EXPECT_FALSE(HasBar(*after, "Quorvanta"));
  auto tools = after->CommandBars()->Item("Menu Bar")->Controls()->Item("Tools");
  EXPECT_THROW(
      std::dynamic_pointer_cast<office::CommandBarPopup>(tools)->Controls()->Item("&Quorvanta"),
      automation::AutomationError);
  after->Quit();
}

TEST_F(PptInitTest, RunningWithAPresentationIsUsedAndLeftRunning) {
  LayFiles();
  args.basePath = base;
  auto app = Running();
  app->Presentations()->Add();
  {
    PptInit ppt(args, factory);
    EXPECT_FALSE(ppt.CreatedPpt());
    EXPECT_TRUE(ppt.LoadAddin());
  }
  EXPECT_FALSE(app->HasQuit());
  EXPECT_TRUE(app->AddIns()->Item("rvuppt")->Loaded());

  // Without a presentation open it counts as started here and is quit.
  app->Presentations()->CloseAll();
  {
    PptInit ppt(args, factory);
    EXPECT_TRUE(ppt.CreatedPpt());
  }
  EXPECT_TRUE(app->HasQuit());
}

TEST_F(PptInitTest, UninstallWithoutToolbarOnlyResetsTheEntryAndMissingFileFails) {
  args.basePath = base;
  online::reg::CreateKey(online::HKEY_CURRENT_USER, online::kCompanyKey);
  {
    PptInit ppt(args, factory);
    EXPECT_FALSE(ppt.LoadAddin()) << "the add-in file is missing";
  }
  EXPECT_EQ(Value(online::kCompanyKey, "isInstallOK"), automation::Variant(0));

  LayFiles();
  std::filesystem::remove(pptDir + "rvuppt.ppa");
  Write(pptDir + "rvuppt.ppa", "no declaration");
  {
    PptInit ppt(args, factory);
    ASSERT_TRUE(ppt.LoadAddin());
  }
  args.uninstall = true;
  {
    PptInit ppt(args, factory);
    ppt.UnloadAddin();
  }
  auto app = powerpoint::Application::Create();
  EXPECT_EQ(app->AddIns()->Count(), 1);
  EXPECT_FALSE(app->AddIns()->Item("rvuppt")->AutoLoad());
  EXPECT_EQ(app->CommandBars()->Count(), 3) << "the built-in bars stay";
  app->Quit();
}

TEST_F(PptInitTest, WithoutThePresentationProgramEveryStepFailsQuietly) {
  LayFiles();
  args.basePath = base;
  args.uninstall = true;
  online::reg::CreateKey(online::HKEY_CURRENT_USER, online::kCompanyKey);
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Initializer", "", "initializer"), driver);
  automation::ClassFactory nothing;  // the presentation program is not installed
  {
    PptInit ppt(args, nothing);
    EXPECT_FALSE(ppt.LoadAddin());
    ppt.UnloadAddin();  // ignored entirely
  }
  EXPECT_EQ(Value(online::kCompanyKey, "isInstallOK"), automation::Variant(0));
  EXPECT_EQ(driver->Text(), "") << "nothing is shown to the user";
}

}  // namespace
}  // namespace qv::testing
