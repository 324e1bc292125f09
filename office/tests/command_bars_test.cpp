#include <gtest/gtest.h>

#include "automation/testing/raised_error.h"
#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"

namespace qv::office {
namespace {

using automation::AutomationError;
using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using qv::testing::ErrorNumber;

std::shared_ptr<CommandBarPopup> Tools(const CommandBars& bars) {
  ControlQuery q;
  q.id = kToolsMenuId;
  return std::dynamic_pointer_cast<CommandBarPopup>(bars.FindControl(q));
}

TEST(CommandBars, BuiltInBarsOfTheWordProcessor) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  ASSERT_EQ(bars->Count(), 3);
  EXPECT_EQ(bars->Item(1)->Name(), "Menu Bar");
  EXPECT_EQ(bars->Item(1)->Type(), msoBarTypeMenuBar);
  EXPECT_EQ(bars->Item("standard")->Index(), 2);
  EXPECT_EQ(bars->Item("Formatting")->Type(), msoBarTypeNormal);
  EXPECT_EQ(bars->ActiveMenuBar(), bars->Item(1));
  auto menu = bars->Item("Menu Bar")->Controls();
  ASSERT_EQ(menu->Count(), 9);
  const char* captions[] = {"&File",  "&Edit",  "&View",   "&Insert", "F&ormat",
                            "&Tools", "T&able", "&Window", "&Help"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(menu->Item(i + 1)->Caption(), captions[i]);
    EXPECT_EQ(menu->Item(i + 1)->Type(), msoControlPopup);
    EXPECT_TRUE(menu->Item(i + 1)->BuiltIn());
  }
  EXPECT_EQ(ErrorNumber([&] { bars->Item(4); }), automation::err::kInvalidCall);
  EXPECT_EQ(ErrorNumber([&] { bars->Item("Nope"); }), automation::err::kInvalidCall);
  EXPECT_EQ(ErrorNumber([&] { bars->Item(1)->Delete(); }), automation::err::kInvalidCall);
}

TEST(CommandBars, FindControlByIdSearchesNestedMenusInOrder) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto tools = Tools(*bars);
  ASSERT_TRUE(tools);
  EXPECT_EQ(tools->Caption(), "&Tools");
  EXPECT_EQ(tools->Parent(), bars->Item("Menu Bar"));
  // "Copy" (19) is in the Edit menu and on the Standard toolbar: the menu bar comes first.
  ControlQuery copy;
  copy.id = 19;
  EXPECT_EQ(bars->FindControl(copy)->Parent()->Name(), "Edit");
  // Closed menus are not searched for visible controls.
  copy.visibleOnly = true;
  EXPECT_EQ(bars->FindControl(copy)->Parent()->Name(), "Standard");

  auto custom = tools->Controls()->Add(msoControlButton);
  custom->SetTag("kzoX");
  ControlQuery byTag;
  byTag.tag = "kzoX";
  EXPECT_EQ(bars->FindControl(byTag), custom);
  byTag.tag = "kzox";  // tags compare exactly
  EXPECT_EQ(bars->FindControl(byTag), nullptr);
  // Through dispatch: FindControl(Type, Id) and nothing for a missing id.
  ObjectRef o = bars;
  EXPECT_EQ(Call(o, "FindControl", {Variant(), Variant(kToolsMenuId)}).ToObject(), tools);
  EXPECT_EQ(Call(o, "FindControl", {Variant(), Variant(99999)}).ToObject(), nullptr);
}

TEST(CommandBars, ToolsMenuCanBeMissing) {
  auto defs = WordBuiltInBars();
  RemoveBuiltInControl(defs, kToolsMenuId);
  auto bars = CommandBars::Create(defs);
  EXPECT_EQ(Tools(*bars), nullptr);
  EXPECT_EQ(bars->Item("Menu Bar")->Controls()->Count(), 8);
  // The product reads the count of what it found: with nothing found that is error 91.
  ObjectRef found = Call(bars, "FindControl", {Variant(), Variant(kToolsMenuId)}).ToObject();
  EXPECT_EQ(ErrorNumber([&] { Get(found, "Controls"); }), automation::err::kObjectNotSet);
}

TEST(CommandBars, PopupAndButtonsCarryEveryProperty) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto tools = Tools(*bars);
  const int before = tools->Controls()->Count();
  auto popup = std::dynamic_pointer_cast<CommandBarPopup>(
      tools->Controls()->Add(msoControlPopup, 0, "", std::nullopt, false));
  ASSERT_TRUE(popup);
  popup->SetCaption("&Quorvanta");
  EXPECT_EQ(popup->Index(), before + 1);
  EXPECT_EQ(popup->Id(), kCustomControlId);
  EXPECT_FALSE(popup->BuiltIn());
  EXPECT_EQ(popup->CommandBar()->Type(), msoBarTypePopup);
  EXPECT_EQ(popup->CommandBar()->Name(), "Quorvanta");
  EXPECT_EQ(popup->CommandBar()->Index(), 0);

  // Set through dispatch, as the product's code does.
  ObjectRef button =
      Call(Get(popup, "Controls").ToObject(), "Add", {Variant(msoControlButton)}).ToObject();
  Put(button, "Caption", Variant("Add New Question"));
  Put(button, "Style", Variant(msoButtonCaption));
  Put(button, "OnAction", Variant("!<KZOWord.Connect>"));
  Put(button, "Visible", Variant(true));
  Put(button, "Tag", Variant("kzoMCQ"));
  Put(button, "BeginGroup", Variant(true));
  Put(button, "TooltipText", Variant("Adds a question"));
  Put(button, "Parameter", Variant("p"));
  Put(button, "Enabled", Variant(false));
  auto b = std::dynamic_pointer_cast<CommandBarButton>(button);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Caption(), "Add New Question");
  EXPECT_EQ(b->Style(), msoButtonCaption);
  EXPECT_EQ(b->OnAction(), "!<KZOWord.Connect>");
  EXPECT_EQ(b->Tag(), "kzoMCQ");
  EXPECT_TRUE(b->BeginGroup());
  EXPECT_EQ(b->TooltipText(), "Adds a question");
  EXPECT_EQ(b->Parameter(), "p");
  EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(Get(button, "Type").ToInt32(), msoControlButton);
  EXPECT_EQ(Get(button, "Index").ToInt32(), 1);
  EXPECT_EQ(Get(button, "Parent").ToObject(), popup->CommandBar());
  EXPECT_EQ(Variant(button).TypeName(), "CommandBarButton");
  EXPECT_EQ(Variant(ObjectRef(popup)).TypeName(), "CommandBarPopup");
  // Pop-ups have no Style; buttons have no Controls.
  EXPECT_EQ(ErrorNumber([&] { Get(popup, "Style"); }), automation::err::kNoSuchMember);
  EXPECT_EQ(ErrorNumber([&] { Get(button, "Controls"); }), automation::err::kNoSuchMember);

  // Before places a control; other control types and bad positions are refused.
  auto first = popup->Controls()->Add(msoControlButton, 0, "", 1);
  EXPECT_EQ(first->Index(), 1);
  EXPECT_EQ(b->Index(), 2);
  EXPECT_EQ(ErrorNumber([&] { popup->Controls()->Add(4); }), automation::err::kInvalidCall);
  EXPECT_EQ(ErrorNumber([&] { popup->Controls()->Add(msoControlButton, 0, "", 9); }),
            automation::err::kInvalidCall);
  // A built-in Id makes a copy of that command.
  auto copy = popup->Controls()->Add(msoControlButton, 19);
  EXPECT_EQ(copy->Caption(), "&Copy");
  EXPECT_TRUE(copy->BuiltIn());
  EXPECT_EQ(ErrorNumber([&] { popup->Controls()->Add(msoControlButton, 424242); }),
            automation::err::kInvalidCall);
}

TEST(CommandBars, ControlsAreFoundByNameWithoutAcceleratorOrCase) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto menu = bars->Item("Menu Bar")->Controls();
  auto tools = Tools(*bars);
  auto popup = tools->Controls()->Add(msoControlPopup);
  popup->SetCaption("&Quorvanta");
  auto amp = tools->Controls()->Add(msoControlButton);
  amp->SetCaption("Q&&A");
  struct Case {
    std::shared_ptr<CommandBarControls> in;
    const char* name;
    std::shared_ptr<CommandBarControl> expected;
  };
  const Case cases[] = {
      {menu, "Tools", tools},
      {menu, "tools", tools},
      {menu, "&Tools", tools},
      {menu, "Format", menu->Item(5)},
      {tools->Controls(), "Quorvanta", popup},
      {tools->Controls(), "QUORVANTA", popup},
      {tools->Controls(), "Q&A", amp},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.in->Item(c.name), c.expected) << c.name;
  EXPECT_EQ(ErrorNumber([&] { menu->Item("Tool"); }), automation::err::kInvalidCall);
  // The host's path to the menu: CommandBars("Menu Bar").Controls("Tools").Controls("Quorvanta").
  ObjectRef viaDispatch =
      Get(Get(Get(Get(bars, "Item", {Variant("Menu Bar")}).ToObject(), "Controls").ToObject(),
              "Item", {Variant("Tools")})
              .ToObject(),
          "Controls")
          .ToObject();
  EXPECT_EQ(Get(viaDispatch, "Item", {Variant("Quorvanta")}).ToObject(), popup);
}

TEST(CommandBars, BarsNamedAlikeDifferInKind) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto popupBar = bars->Add(std::string("Quorvanta"), msoBarPopup);
  auto toolbar = bars->Add(std::string("Quorvanta"), msoBarTop);
  EXPECT_EQ(popupBar->Type(), msoBarTypePopup);
  EXPECT_EQ(toolbar->Type(), msoBarTypeNormal);
  EXPECT_FALSE(toolbar->Visible());
  EXPECT_EQ(toolbar->Index(), 5);
  // The first of the name is the pop-up one: the product walks past it by its type.
  EXPECT_EQ(bars->Item("Quorvanta"), popupBar);
  EXPECT_EQ(ErrorNumber([&] { bars->Add(std::string("quorvanta"), msoBarFloating); }),
            automation::err::kInvalidCall);
  EXPECT_EQ(ErrorNumber([&] { bars->Add(std::string("Standard")); }),
            automation::err::kInvalidCall);
  EXPECT_EQ(bars->Add()->Name(), "Custom 1");
  EXPECT_EQ(bars->Add(std::nullopt, msoBarTop, true)->Type(), msoBarTypeMenuBar);
  EXPECT_EQ(ErrorNumber([&] { popupBar->SetPosition(msoBarTop); }), automation::err::kInvalidCall);
}

TEST(CommandBars, DeletedObjectsRaiseWhenUsed) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto tools = Tools(*bars);
  auto popup = std::dynamic_pointer_cast<CommandBarPopup>(tools->Controls()->Add(msoControlPopup));
  auto inner = popup->Controls()->Add(msoControlButton);
  auto innerControls = popup->Controls();
  auto toolbar = bars->Add(std::string("Quorvanta"), msoBarTop);
  auto onBar = toolbar->Controls()->Add(msoControlButton);
  ObjectRef held = popup;

  popup->Delete();
  toolbar->Delete();
  EXPECT_EQ(bars->Count(), 3);
  EXPECT_EQ(tools->Controls()->Count(), 4);
  const std::function<void()> uses[] = {
      [&] { Get(held, "Caption"); },
      [&] { Put(held, "Tag", Variant("x")); },
      [&] { popup->Delete(); },
      [&] { inner->Execute(); },  // a control of a deleted menu goes with it
      [&] { innerControls->Count(); },
      [&] { toolbar->Controls(); },
      [&] { onBar->Caption(); },
      [&] { toolbar->SetVisible(true); },
  };
  for (const auto& use : uses)
    EXPECT_EQ(ErrorNumber(use), automation::err::kObjectDeleted);
}

TEST(CommandBars, MoveReordersAndCarriesControlsBetweenBars) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto bar = bars->Add(std::string("Quorvanta"), msoBarTop);
  auto a = bar->Controls()->Add(msoControlButton);
  auto b = bar->Controls()->Add(msoControlButton);
  auto c = bar->Controls()->Add(msoControlButton);
  a->Move(nullptr, 3);  // before c
  EXPECT_EQ(bar->Controls()->Item(1), b);
  EXPECT_EQ(bar->Controls()->Item(2), a);
  EXPECT_EQ(bar->Controls()->Item(3), c);
  auto standard = bars->Item("Standard");
  c->Move(standard, 1);
  EXPECT_EQ(c->Parent(), standard);
  EXPECT_EQ(c->Index(), 1);
  EXPECT_EQ(bar->Controls()->Count(), 2);
  // A menu cannot go into itself.
  auto popup = std::dynamic_pointer_cast<CommandBarPopup>(bar->Controls()->Add(msoControlPopup));
  EXPECT_EQ(ErrorNumber([&] { popup->Move(popup->CommandBar()); }), automation::err::kInvalidCall);
}

TEST(CommandBars, BarFindControlRecursesOnlyWhenAskedAndACustomMenuBarBecomesActive) {
  auto bars = CommandBars::Create(WordBuiltInBars());
  auto menuBar = bars->Item("Menu Bar");
  ControlQuery save;
  save.id = 3;
  EXPECT_EQ(menuBar->FindControl(save), nullptr);
  EXPECT_EQ(menuBar->FindControl(save, true)->Parent()->Name(), "File");
  ObjectRef o = menuBar;
  EXPECT_EQ(Call(o, "FindControl", {Variant(), Variant(3), Variant(), Variant(), Variant(true)})
                .ToObject()
                ->TypeName(),
            "CommandBarButton");

  auto custom = bars->Add(std::string("Lesson Menu"), msoBarTop, true);
  EXPECT_EQ(bars->ActiveMenuBar(), menuBar);  // not shown yet
  custom->SetVisible(true);
  EXPECT_EQ(bars->ActiveMenuBar(), custom);
}

}  // namespace
}  // namespace qv::office
