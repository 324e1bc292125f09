#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"

namespace qv::office {
namespace {

using automation::AutomationError;
using nlohmann::json;

std::shared_ptr<CommandBarPopup> Tools(const CommandBars& bars) {
  ControlQuery q;
  q.id = kToolsMenuId;
  return std::dynamic_pointer_cast<CommandBarPopup>(bars.FindControl(q));
}

// The product's customizations: a menu in Tools and a toolbar, plus what a user did to them.
void Customize(CommandBars& bars) {
  auto menu =
      std::static_pointer_cast<CommandBarPopup>(Tools(bars)->Controls()->Add(msoControlPopup));
  menu->SetCaption("&Quorvanta");
  auto item = menu->Controls()->Add(msoControlButton);
  item->SetCaption("Add New Question");
  item->SetTag("kzoMCQ");
  item->SetOnAction("!<KZOWord.Connect>");
  item->SetParameter("p1");
  item->SetTooltipText("tip");
  std::static_pointer_cast<CommandBarButton>(item)->SetStyle(msoButtonCaption);
  auto hidden = menu->Controls()->Add(msoControlButton);
  hidden->SetTag("kzoMUG");
  hidden->SetVisible(false);
  hidden->SetEnabled(false);

  auto bar = bars.Add(std::string("Quorvanta"), msoBarTop);
  bar->SetVisible(true);
  auto b1 = bar->Controls()->Add(msoControlButton);
  b1->SetTag("kzoCQ");
  auto b2 = bar->Controls()->Add(msoControlButton);
  b2->SetTag("kzoC");
  b2->SetBeginGroup(true);
  bars.Add(std::string("Quorvanta"), msoBarPopup);
  // The user moved a button of the toolbar onto Standard, and a built-in one into the toolbar.
  b2->Move(bars.Item("Standard"), 2);
  bars.Item("Standard")->Controls()->Item(1)->Move(bar);
  // Temporary things are not kept.
  bars.Add(std::string("Scratch"), msoBarFloating, false, true);
  bar->Controls()->Add(msoControlButton, 0, "", std::nullopt, true)->SetTag("temp");
}

TEST(CommandBarsStore, RoundTripKeepsBarsControlsPropertiesAndPositions) {
  auto original = CommandBars::Create(WordBuiltInBars());
  Customize(*original);
  const json saved = original->Save();

  auto restored = CommandBars::Create(WordBuiltInBars());
  restored->Load(json::parse(saved.dump()));
  EXPECT_EQ(restored->Save(), saved);

  auto menu = Tools(*restored)->Controls()->Item("Quorvanta");
  auto menuControls = std::static_pointer_cast<CommandBarPopup>(menu)->Controls();
  ASSERT_EQ(menuControls->Count(), 2);
  auto item = std::static_pointer_cast<CommandBarButton>(menuControls->Item(1));
  EXPECT_EQ(item->Caption(), "Add New Question");
  EXPECT_EQ(item->Tag(), "kzoMCQ");
  EXPECT_EQ(item->OnAction(), "!<KZOWord.Connect>");
  EXPECT_EQ(item->Parameter(), "p1");
  EXPECT_EQ(item->TooltipText(), "tip");
  EXPECT_EQ(item->Style(), msoButtonCaption);
  EXPECT_FALSE(menuControls->Item(2)->Visible());
  EXPECT_FALSE(menuControls->Item(2)->Enabled());

  EXPECT_EQ(restored->Count(), 5);  // three built-in, the toolbar and the pop-up bar
  EXPECT_EQ(restored->Item(4)->Type(), msoBarTypeNormal);
  EXPECT_EQ(restored->Item(5)->Type(), msoBarTypePopup);
  auto toolbar = restored->Item(4);
  EXPECT_TRUE(toolbar->Visible());
  ASSERT_EQ(toolbar->Controls()->Count(), 2);
  EXPECT_EQ(toolbar->Controls()->Item(1)->Tag(), "kzoCQ");
  EXPECT_EQ(toolbar->Controls()->Item(2)->Id(), 2520);  // the moved "New"
  ControlQuery moved;
  moved.tag = "kzoC";
  auto b2 = restored->FindControl(moved);
  EXPECT_EQ(b2->Parent()->Name(), "Standard");
  EXPECT_EQ(b2->Index(), 1);  // "New" left, so it is first now
  EXPECT_TRUE(b2->BeginGroup());
  ControlQuery temp;
  temp.tag = "temp";
  EXPECT_EQ(restored->FindControl(temp), nullptr);
}

TEST(CommandBarsStore, LoadReplacesCustomBarsAndInvalidatesOldReferences) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  const json pristine = bars->Save();
  auto bar = bars->Add(std::string("Quorvanta"), msoBarTop);
  auto menu = Tools(*bars)->Controls()->Add(msoControlPopup);
  bars->Load(pristine);
  EXPECT_EQ(bars->Count(), 3);
  EXPECT_TRUE(bar->IsDeleted());
  EXPECT_TRUE(menu->IsDeleted());
  EXPECT_EQ(Tools(*bars)->Controls()->Count(), 4);
  EXPECT_EQ(bars->Save(), pristine);
}

TEST(CommandBarsStore, DamagedRecordsAreRefusedAndChangeNothing) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  Customize(*bars);
  const json before = bars->Save();
  auto held = bars->Item("Quorvanta");

  auto withBar = [&](json bar) {
    json j = before;
    j["bars"].push_back(std::move(bar));
    return j;
  };
  json deep = {{"type", msoControlPopup}, {"controls", json::array()}};
  for (int i = 0; i < 40; ++i)
    deep = {{"type", msoControlPopup}, {"controls", json::array({deep})}};
  const json cases[] = {
      json::array(),
      json{{"bars", json::array()}},
      json{{"format", 2}, {"bars", json::array()}},
      json{{"format", 1}, {"bars", json::object()}},
      withBar({{"type", 0}}),
      withBar({{"name", ""}, {"type", 0}}),
      withBar({{"name", "X"}, {"type", 7}}),
      withBar({{"name", "X"}, {"type", 0}, {"position", msoBarPopup}}),
      withBar({{"name", "X"}, {"type", 0}, {"visible", "yes"}}),
      withBar({{"name", "X"}, {"type", 0}, {"controls", json::array({{{"type", 4}}})}}),
      withBar(
          {{"name", "X"}, {"type", 0}, {"controls", json::array({{{"caption", 3}, {"type", 1}}})}}),
      withBar({{"name", "X"}, {"type", 0}, {"controls", json::array({deep})}}),
      withBar({{"name", "quorvanta"}, {"type", 0}}),  // the same name twice
      withBar({{"name", "Standard"}, {"type", 0}}),   // a custom bar named as a built-in one
  };
  for (const auto& c : cases) {
    try {
      bars->Load(c);
      ADD_FAILURE() << "accepted " << c.dump();
    } catch (const AutomationError& e) {
      EXPECT_NE(e.Description().find("damaged"), std::string::npos) << e.Description();
    }
    EXPECT_EQ(bars->Save(), before) << c.dump();
    EXPECT_FALSE(held->IsDeleted());
  }
}

TEST(CommandBarsStore, ChangesOfPermanentThingsAreSignalled) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  int changes = 0;
  bars->SetChangeHandler([&] { ++changes; });
  auto bar = bars->Add(std::string("Quorvanta"), msoBarTop);
  auto button = bar->Controls()->Add(msoControlButton);
  button->SetCaption("x");
  button->SetCaption("x");  // unchanged: no signal
  bar->SetVisible(true);
  button->Move(bars->Item("Standard"));
  button->Delete();
  EXPECT_EQ(changes, 6);

  auto scratch = bars->Add(std::string("Scratch"), msoBarFloating, false, true);
  scratch->Controls()->Add(msoControlButton)->SetTag("t");
  Tools(*bars)->Controls()->Add(msoControlButton, 0, "", std::nullopt, true)->SetTag("t");
  bars->Load(bars->Save());
  EXPECT_EQ(changes, 6);
}

}  // namespace
}  // namespace qv::office
