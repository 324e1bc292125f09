#include <gtest/gtest.h>

#include <fstream>

#include "automation/class_factory.h"
#include "automation/testing/raised_error.h"
#include "office/command_bar.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "platform/files.h"
#include "platform/testing/temp_profile.h"
#include "powerpoint/add_in.h"
#include "powerpoint/add_ins.h"
#include "powerpoint/application.h"
#include "powerpoint/presentations.h"
#include "powerpoint/profile_store.h"

namespace qv::powerpoint {
namespace {

using automation::AutomationError;
using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using qv::testing::ErrorNumber;

std::string WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << content;
  return path.string();
}

constexpr const char* kDeclaration = R"({
  "toolbars": [{"name": "Quorvanta", "buttons": [{"caption": "Review", "tag": "kzoPR"}]}],
  "toolsMenu": [{"caption": "&Quorvanta", "buttons": [{"caption": "Review", "tag": "kzoPMR"}]}]
})";

TEST(PowerPointAddIns, InstalledAddInIsThereInTheNextRun) {
  testing::TempProfile profile;
  const auto file = WriteFile(profile.Dir() / "install" / "rvuppt.ppa", "binary add-in");
  {
    auto app = Application::Create();
    ObjectRef addIns = app->AddIns();
    // The installer's steps: add, then AutoLoad, Loaded, Registered in this order.
    ObjectRef entry = Call(addIns, "Add", {Variant(file)}).ToObject();
    Put(entry, "AutoLoad", Variant(true));
    Put(entry, "Loaded", Variant(true));
    Put(entry, "Registered", Variant(true));
    EXPECT_EQ(Get(entry, "Name").ToText(), "rvuppt");
    EXPECT_EQ(Get(entry, "FullName").ToText(), file);
    EXPECT_EQ(Get(entry, "Path").ToText(), (profile.Dir() / "install").string());
    app->Quit();
  }
  auto app = Application::Create();
  ASSERT_EQ(app->AddIns()->Count(), 1);
  auto entry = app->AddIns()->Item("RVUPPT");
  EXPECT_TRUE(entry->AutoLoad());
  EXPECT_TRUE(entry->Registered());
  EXPECT_TRUE(entry->Loaded());  // loaded at start because of AutoLoad

  // The installer's unload: Loaded, AutoLoad, Registered all false; the next run keeps them off.
  entry->SetLoaded(false);
  entry->SetAutoLoad(false);
  entry->SetRegistered(false);
  auto next = Application::Create();
  EXPECT_FALSE(next->AddIns()->Item(1)->Loaded());
  EXPECT_FALSE(next->AddIns()->Item(1)->AutoLoad());
  EXPECT_FALSE(next->AddIns()->Item(1)->Registered());
}

TEST(PowerPointAddIns, MissingFilesAreRefused) {
  testing::TempProfile profile;
  auto app = Application::Create();
  const auto missing = (profile.Dir() / "nowhere" / "rvuppt.ppa").string();
  EXPECT_EQ(ErrorNumber([&] { app->AddIns()->Add(missing); }), automation::err::kFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { app->AddIns()->Add(""); }), automation::err::kFileNotFound);
  EXPECT_EQ(app->AddIns()->Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(StatePath()));

  // A listed add-in whose file went away cannot be loaded, and stays unloaded at start.
  const auto file = WriteFile(profile.Dir() / "rvuppt.ppa", "x");
  auto entry = app->AddIns()->Add(file);
  entry->SetAutoLoad(true);
  std::filesystem::remove(file);
  EXPECT_EQ(ErrorNumber([&] { entry->SetLoaded(true); }), automation::err::kFileNotFound);
  EXPECT_FALSE(entry->Loaded());
  EXPECT_FALSE(Application::Create()->AddIns()->Item(1)->Loaded());
}

TEST(PowerPointAddIns, ItemRemoveAndAddingTwice) {
  testing::TempProfile profile;
  auto app = Application::Create();
  const auto a = WriteFile(profile.Dir() / "one" / "rvuppt.ppa", "x");
  const auto b = WriteFile(profile.Dir() / "two" / "rvuppt.ppa", "x");
  const auto c = WriteFile(profile.Dir() / "other.ppa", "x");
  auto first = app->AddIns()->Add(a);
  EXPECT_EQ(app->AddIns()->Add(b), first);  // the same add-in, now at the new place
  EXPECT_EQ(first->FullName(), b);
  app->AddIns()->Add(c);
  EXPECT_EQ(app->AddIns()->Count(), 2);
  ObjectRef list = app->AddIns();
  EXPECT_EQ(Get(list, "Item", {Variant("other")}).ToObject(), app->AddIns()->Item(2));
  EXPECT_EQ(ErrorNumber([&] { Get(list, "Item", {Variant(3)}); }), automation::err::kSubscript);
  Call(list, "Remove", {Variant("rvuppt")});
  EXPECT_EQ(app->AddIns()->Count(), 1);
  EXPECT_EQ(ErrorNumber([&] { first->SetLoaded(true); }), automation::err::kObjectDeleted);
  EXPECT_EQ(Application::Create()->AddIns()->Item(1)->Name(), "other");
}

TEST(PowerPointAddIns, LoadingAddsTheFilesCommandBarEntriesOnce) {
  testing::TempProfile profile;
  const auto file = WriteFile(profile.Dir() / "rvuppt.ppa", kDeclaration);
  auto app = Application::Create();
  auto entry = app->AddIns()->Add(file);
  entry->SetAutoLoad(true);
  entry->SetLoaded(true);
  auto bars = app->CommandBars();
  EXPECT_EQ(bars->Count(), 4);
  EXPECT_TRUE(bars->Item("Quorvanta")->Visible());
  EXPECT_EQ(bars->Item("Quorvanta")->Controls()->Item(1)->Tag(), "kzoPR");
  auto menu = std::static_pointer_cast<office::CommandBarPopup>(
      bars->Item("Menu Bar")->Controls()->Item("Tools"));
  EXPECT_EQ(menu->Controls()->Item("Quorvanta")->Caption(), "&Quorvanta");
  app->Quit();

  // The next run loads it again (AutoLoad) and finds the entries kept: nothing is doubled.
  auto again = Application::Create();
  EXPECT_EQ(again->CommandBars()->Count(), 4);
  auto tools = std::static_pointer_cast<office::CommandBarPopup>(
      again->CommandBars()->Item("Menu Bar")->Controls()->Item("Tools"));
  EXPECT_EQ(tools->Controls()->Count(), 5);

  // The uninstaller's removal, through the object model as it does it.
  ObjectRef commandBars = again->CommandBars();
  ObjectRef toolbar = Get(commandBars, "Item", {Variant("Quorvanta")}).ToObject();
  Call(toolbar, "Delete");
  ObjectRef toolsControls =
      Get(Get(Get(Get(commandBars, "Item", {Variant("Menu Bar")}).ToObject(), "Controls")
                  .ToObject(),
              "Item", {Variant("Tools")})
              .ToObject(),
          "Controls")
          .ToObject();
  Call(Get(toolsControls, "Item", {Variant("&Quorvanta")}).ToObject(), "Delete");
  again->AddIns()->Item(1)->SetAutoLoad(false);
  auto last = Application::Create();
  EXPECT_EQ(last->CommandBars()->Count(), 3);
  EXPECT_EQ(std::static_pointer_cast<office::CommandBarPopup>(
                last->CommandBars()->Item("Menu Bar")->Controls()->Item("Tools"))
                ->Controls()
                ->Count(),
            4);
}

TEST(PowerPointApplication, DamagedStateIsReportedAndLeftAlone) {
  testing::TempProfile profile;
  const char* damaged[] = {"{not json", "[]", R"({"format": 9})",
                           R"({"format": 1, "addIns": [{"autoLoad": true}]})",
                           R"({"format": 1, "commandBars": {"format": 1, "bars": 3}})"};
  for (const char* text : damaged) {
    ASSERT_TRUE(platform::WriteFileAtomically(StatePath(), text));
    EXPECT_THROW(Application::Create(), AutomationError) << text;
    EXPECT_EQ(platform::ReadWholeFile(StatePath()), std::string(text));
  }
}

TEST(PowerPointApplication, OneRunningProgramPresentationsAndQuit) {
  testing::TempProfile profile;
  automation::ClassFactory factory;
  RegisterClasses(factory);
  ObjectRef app = factory.Create("PowerPoint.Application");
  EXPECT_EQ(factory.Create("powerpoint.application"), app);
  EXPECT_EQ(Get(app, "Version").ToText(), "9.0");
  EXPECT_FALSE(Get(app, "Visible").ToBool());
  ObjectRef presentations = Get(app, "Presentations").ToObject();
  EXPECT_EQ(Get(presentations, "Count").ToInt32(), 0);
  ObjectRef p = Call(presentations, "Add").ToObject();
  EXPECT_EQ(Get(p, "Name").ToText(), "Presentation1");
  const auto file = WriteFile(profile.Dir() / "talk.ppt", "x");
  ObjectRef opened = Call(presentations, "Open", {Variant(file)}).ToObject();
  EXPECT_EQ(Get(opened, "Path").ToText(), profile.Dir().string());
  EXPECT_EQ(Get(presentations, "Item", {Variant("talk.ppt")}).ToObject(), opened);
  EXPECT_EQ(ErrorNumber([&] { Call(presentations, "Open", {Variant(file + ".gone")}); }),
            automation::err::kFileNotFound);
  Call(p, "Close");
  EXPECT_EQ(Get(presentations, "Count").ToInt32(), 1);
  EXPECT_EQ(ErrorNumber([&] { Get(p, "Name"); }), automation::err::kObjectDeleted);

  Call(app, "Quit");
  EXPECT_EQ(Get(presentations, "Count").ToInt32(), 0);
  EXPECT_EQ(ErrorNumber([&] { Get(app, "AddIns"); }), -2147417848);
  ObjectRef fresh = factory.Create("PowerPoint.Application");
  EXPECT_NE(fresh, app);
}

}  // namespace
}  // namespace qv::powerpoint
