#include <gtest/gtest.h>

#include "office/command_bar_control.h"
#include "office/command_bar_controls.h"
#include "office/command_bars.h"
#include "platform/profile.h"
#include "word/dialogs.h"
#include "word/errors.h"
#include "word/system_info.h"
#include "word/templates.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Variant;
using testing::ErrorNumber;

TEST(Application, NamesVersionAndConversions) {
  qv::testing::TempProfile profile;
  Application app;
  EXPECT_EQ(app.Name(), "Quorvanta Word");
  EXPECT_EQ(app.Version(), "9.0");
  EXPECT_DOUBLE_EQ(Application::PixelsToPoints(96), 72);
  EXPECT_DOUBLE_EQ(Application::InchesToPoints(1.5), 108);
  EXPECT_EQ(app.NormalTemplate()->Name(), "Normal.dot");
  EXPECT_EQ(app.CustomizationContext(), app.NormalTemplate());
  app.SetStatusBar("Saving...");
  EXPECT_EQ(app.StatusBar(), "Saving...");
  EXPECT_GT(System(profile.Dir()).FreeDiskSpace(), 0);
  EXPECT_EQ(System(profile.Dir()).OperatingSystem(), "Linux");
}

TEST(Application, LanguageIdsComeFromTheLocale) {
  struct Case {
    const char* locale;
    int32_t id, country;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", 1031, 49}, {"en_US", 1033, 1}, {"C", 1033, 1}, {"", 1033, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageIdOfLocale(c.locale), c.id) << c.locale;
    EXPECT_EQ(CountryOfLocale(c.locale), c.country) << c.locale;
  }
}

TEST(Application, AMenuBuiltInOneRunIsFoundByTagInTheNext) {
  qv::testing::TempProfile profile;
  {
    Application app;
    ASSERT_TRUE(app.CommandBars()->Item(std::string("Menu Bar")));
    auto bar = app.CommandBars()->Add(std::string("Quorvanta"));
    bar->Controls()->Add(office::msoControlButton)->SetTag("kzoAddQuestion");
    auto tools =
        app.CommandBars()->FindControl(office::ControlQuery{0, office::kToolsMenuId, "", false});
    ASSERT_TRUE(tools);
    EXPECT_FALSE(app.NormalTemplate()->Saved());
    app.NormalTemplate()->Save();
    EXPECT_TRUE(app.NormalTemplate()->Saved());
  }
  Application next;
  EXPECT_NO_THROW(next.CommandBars()->Item(std::string("Quorvanta")));
  EXPECT_TRUE(next.CommandBars()->FindControl(office::ControlQuery{0, 0, "kzoAddQuestion", false}));
  EXPECT_TRUE(next.NormalTemplate()->Saved());
  EXPECT_EQ(next.NormalTemplateProblem(), "");
}

TEST(Application, QuitSavesTheChangedNormalTemplateAndTellsListeners) {
  qv::testing::TempProfile profile;
  struct Listener : ApplicationListener {
    int quits = 0, closes = 0;
    void Quit() override { ++quits; }
    void DocumentBeforeClose(Document&) override { ++closes; }
  } listener;
  {
    Application app;
    app.AddListener(&listener);
    app.Documents()->Add();
    app.CommandBars()->Add(std::string("Kept"));
    app.Quit();
    EXPECT_EQ(listener.quits, 1);
    EXPECT_EQ(listener.closes, 1);
    EXPECT_EQ(app.Documents()->Count(), 0);
  }
  Application next;
  EXPECT_NO_THROW(next.CommandBars()->Item(std::string("Kept")));
}

TEST(Application, ADamagedNormalTemplateIsKeptAsideNotOverwritten) {
  qv::testing::TempProfile profile;
  const auto file = platform::ProfileSubdir("word") / "Normal.json";
  std::ofstream(file) << "{ damaged";
  Application app;
  EXPECT_NE(app.NormalTemplateProblem(), "");
  EXPECT_TRUE(std::filesystem::exists(platform::ProfileSubdir("word") / "Normal.json.damaged"));
}

TEST(Application, TemplatesInTheAddInListPersist) {
  qv::testing::TempProfile profile;
  const auto dot = profile.Dir() / "Quorvanta Authoring Menus.dot";
  std::ofstream(dot) << "{}";
  {
    Application app;
    EXPECT_EQ(ErrorNumber([&] { app.AddIns()->Add((profile.Dir() / "missing.dot").string()); }),
              kErrFileNotFound);
    auto a = app.AddIns()->Add(dot.string());
    EXPECT_TRUE(a->Installed());
    EXPECT_EQ(a->Name(), "Quorvanta Authoring Menus.dot");
    EXPECT_EQ(a->Path(), profile.Dir().string());
    a->SetInstalled(false);
    EXPECT_EQ(app.AddIns()->Add(dot.string()), a);  // not added twice
    EXPECT_EQ(app.AddIns()->Count(), 1);
  }
  Application next;
  ASSERT_EQ(next.AddIns()->Count(), 1);
  auto a = next.AddIns()->Item(Variant("Quorvanta Authoring Menus.dot"));
  EXPECT_TRUE(a->Installed());
  a->Delete();
  EXPECT_EQ(next.AddIns()->Count(), 0);
  EXPECT_EQ(ErrorNumber([&] { a->Installed(); }), automation::err::kObjectDeleted);
}

TEST(Application, InstallingAnInstalledTemplateLeavesTheListFileAlone) {
  qv::testing::TempProfile profile;
  const auto dot = profile.Dir() / "Menus.dot";
  std::ofstream(dot) << "{}";
  Application app;
  auto a = app.AddIns()->Add(dot.string());
  const auto store = platform::ProfileSubdir("word") / "AddIns.json";
  const auto written = std::filesystem::last_write_time(store) - std::chrono::hours(1);
  std::filesystem::last_write_time(store, written);
  a->SetInstalled(true);
  EXPECT_EQ(app.AddIns()->Add(dot.string()), a);
  EXPECT_EQ(std::filesystem::last_write_time(store), written) << "no change, no write";
  a->SetInstalled(false);
  EXPECT_NE(std::filesystem::last_write_time(store), written);
  Application next;
  EXPECT_FALSE(next.AddIns()->Item(Variant("Menus.dot"))->Installed());
}

TEST(Application, SaveAsDialogGoesThroughTheChooser) {
  qv::testing::TempProfile profile;
  Application app;
  auto doc = app.Documents()->Add();
  EXPECT_EQ(app.Dialogs()->Item(wdDialogFileSaveAs)->Show(), 0);  // the default answers Cancel
  struct Chooser : SaveAsChooser {
    std::string path;
    std::optional<std::string> Choose(const std::string&) override { return path; }
  };
  auto chooser = std::make_shared<Chooser>();
  chooser->path = (profile.Dir() / "chosen.doc").string();
  app.SetSaveAsChooser(chooser);
  EXPECT_EQ(app.Dialogs()->Item(wdDialogFileSaveAs)->Show(), -1);
  EXPECT_EQ(doc->Name(), "chosen.doc");
  EXPECT_TRUE(std::filesystem::exists(chooser->path));
}

TEST(Application, ScriptsReachTheRootObjectByName) {
  qv::testing::TempProfile profile;
  auto app = std::make_shared<Application>();
  automation::ObjectRef a = app;
  using automation::Call;
  using automation::Get;
  EXPECT_EQ(Get(a, "Version").ToText(), "9.0");
  EXPECT_EQ(Call(a, "PixelsToPoints", {Variant(16)}).ToDouble(), 12);
  EXPECT_EQ(Call(a, "InchesToPoints", {Variant(0.5)}).ToDouble(), 36);
  EXPECT_EQ(Get(Get(a, "COMAddIns").ToObject(), "Count").ToInt32(), 0);
  EXPECT_EQ(Get(Get(a, "NormalTemplate").ToObject(), "Name").ToText(), "Normal.dot");
  auto system = Get(a, "System").ToObject();
  EXPECT_FALSE(Get(system, "ProcessorType").ToText().empty());
  EXPECT_GT(Get(system, "HorizontalResolution").ToInt32(), 0);
  auto languages = Get(a, "LanguageSettings").ToObject();
  EXPECT_EQ(Get(languages, "LanguageID", {Variant(4)}).ToInt32(), app->Language());
  EXPECT_EQ(ErrorNumber([&] { Get(a, "ActiveDocument"); }), 4248);
  auto doc = Call(Get(a, "Documents").ToObject(), "Add").ToObject();
  EXPECT_EQ(Get(a, "ActiveDocument").ToObject(), doc);
  EXPECT_EQ(Get(a, "Dialogs", {Variant(wdDialogFileSaveAs)}).ToObject()->TypeName(), "Dialog");
  automation::Put(a, "CustomizationContext", Get(a, "NormalTemplate"));
  EXPECT_EQ(app->CustomizationContext(), app->NormalTemplate());
}

}  // namespace
}  // namespace qv::word
