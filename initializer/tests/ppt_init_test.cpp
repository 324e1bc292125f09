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

// A presentation program whose command bars and Tools menu hold an entry that cannot be read,
// followed by two of ours: only the entries' names, captions and deletions matter here.
class FakeEntry : public automation::Dispatch {
 public:
  FakeEntry(std::string name, std::vector<std::string>& deleted)
      : name_(std::move(name)), deleted_(deleted) {}
  std::vector<std::shared_ptr<FakeEntry>> children;

  const automation::DispatchTable& Members() const override {
    static const automation::DispatchTable table =
        automation::ClassTable<FakeEntry>("FakeEntry")
            .Get("Name", [](FakeEntry& e) { return e.Read(); })
            .Get("Caption", [](FakeEntry& e) { return e.Read(); })
            .Get("Controls", [](FakeEntry& e) { return automation::ObjectRef(e.List()); })
            .Get("Count", [](FakeEntry& e) { return static_cast<int32_t>(e.children.size()); })
            .GetArgs("Item", [](FakeEntry& e, automation::Args& a) { return e.Item(a[0]); })
            .Default("Item")
            .Sub("Delete", [](FakeEntry& e, automation::Args&) { e.deleted_.push_back(e.name_); })
            .Build();
    return table;
  }

 private:
  std::string Read() const {
    if (name_.empty()) automation::Raise(automation::err::kObjectNotSet);
    return name_;
  }
  std::shared_ptr<FakeEntry> List() {
    return std::static_pointer_cast<FakeEntry>(shared_from_this());
  }
  automation::Variant Item(const automation::Variant& index) {
    if (index.IsText()) {
      for (auto& c : children)
        if (c->name_ == index.ToText()) return automation::Variant(automation::ObjectRef(c));
      automation::Raise(automation::err::kSubscript);
    }
    return automation::Variant(automation::ObjectRef(children.at(index.ToInt32() - 1)));
  }

  std::string name_;
  std::vector<std::string>& deleted_;
};

TEST_F(PptInitTest, UninstallPassesOverEntriesThatCannotBeReadAndDeletesOnlyTheFirstOfOurs) {
  args.uninstall = true;
  std::vector<std::string> deleted;
  auto entry = [&](const char* name) { return std::make_shared<FakeEntry>(name, deleted); };
  auto bars = entry("CommandBars");
  auto presentations = entry("Presentations");
  auto menuBar = entry("Menu Bar");
  auto tools = entry("Tools");
  tools->children = {entry(""), entry("&Quorvanta"), entry("&Quorvanta")};
  menuBar->children = {tools};
  bars->children = {entry(""), entry("Quorvanta"), entry("Quorvanta"), menuBar};
  automation::ClassFactory fake;
  fake.Register("PowerPoint.Application", [&] {
    // The program's own members: its command bars and its (empty) presentations.
    struct App : automation::Dispatch {
      std::shared_ptr<FakeEntry> bars, presentations;
      const automation::DispatchTable& Members() const override {
        static const automation::DispatchTable table =
            automation::ClassTable<App>("Application")
                .Get("CommandBars", [](App& a) { return automation::ObjectRef(a.bars); })
                .Get("Presentations", [](App& a) { return automation::ObjectRef(a.presentations); })
                .Sub("Quit", [](App&, automation::Args&) {})
                .Build();
        return table;
      }
    };
    auto made = std::make_shared<App>();
    made->bars = bars;
    made->presentations = presentations;
    return made;
  });
  {
    PptInit ppt(args, fake);
    ppt.UnloadAddin();
  }
  EXPECT_EQ(deleted, (std::vector<std::string>{"Quorvanta", "&Quorvanta"}));
}

}  // namespace
}  // namespace qv::testing
