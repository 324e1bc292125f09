#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"

namespace qv::office {
namespace {

using automation::Call;
using automation::ObjectRef;
using automation::Variant;

struct Fixture {
  std::shared_ptr<CommandBars> bars = CommandBars::Create(WordBuiltInBars());
  std::shared_ptr<CommandBar> toolbar = bars->Add(std::string("Quorvanta"), msoBarTop);
  std::shared_ptr<CommandBarPopup> menu = [this] {
    ControlQuery q;
    q.id = kToolsMenuId;
    auto tools = std::static_pointer_cast<CommandBarPopup>(bars->FindControl(q));
    return std::static_pointer_cast<CommandBarPopup>(tools->Controls()->Add(msoControlPopup));
  }();
  std::vector<std::string> log;

  std::shared_ptr<CommandBarButton> Button(const std::shared_ptr<CommandBarControls>& in,
                                           const std::string& tag) {
    auto b = std::static_pointer_cast<CommandBarButton>(in->Add(msoControlButton));
    b->SetTag(tag);
    return b;
  }
  ClickHandler Logger(const std::string& name) {
    return [this, name](CommandBarButton& clicked, bool&) {
      log.push_back(name + ":" + clicked.Tag());
    };
  }
};

TEST(ClickEvents, AReferenceHearsEveryButtonWithItsTag) {
  Fixture f;
  auto hooked = f.Button(f.toolbar->Controls(), "kzoCQ");
  auto twin = f.Button(f.menu->Controls(), "kzoCQ");
  auto other = f.Button(f.toolbar->Controls(), "kzoWV");
  auto untagged = f.Button(f.toolbar->Controls(), "");
  auto sub = hooked->OnClick(f.Logger("CreateQuestion"));

  struct Case {
    std::shared_ptr<CommandBarButton> clicked;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {hooked, {"CreateQuestion:kzoCQ"}},
      {twin, {"CreateQuestion:kzoCQ"}},
      {other, {}},
      {untagged, {}},
  };
  for (const auto& c : cases) {
    f.log.clear();
    c.clicked->Execute();
    EXPECT_EQ(f.log, c.expected) << c.clicked->Tag();
  }

  // A look-alike whose tag the user changed is no longer routed.
  twin->SetTag("kzoCQ2");
  f.log.clear();
  twin->Execute();
  EXPECT_TRUE(f.log.empty());

  // The hooked button's own tag decides: renamed, it takes its new look-alikes along.
  hooked->SetTag("kzoCQ2");
  f.log.clear();
  twin->Execute();
  EXPECT_EQ(f.log, std::vector<std::string>{"CreateQuestion:kzoCQ2"});
}

TEST(ClickEvents, AnUntaggedButtonIsHeardOnlyItself) {
  Fixture f;
  auto a = f.Button(f.toolbar->Controls(), "");
  auto b = f.Button(f.toolbar->Controls(), "");
  auto sub = a->OnClick(f.Logger("a"));
  b->Execute();
  EXPECT_TRUE(f.log.empty());
  a->Execute();
  EXPECT_EQ(f.log.size(), 1u);
}

TEST(ClickEvents, CancelFlagIsSharedByReferenceAndStopsTheOwnAction) {
  Fixture f;
  auto button = f.Button(f.toolbar->Controls(), "kzoC");
  int ownActions = 0;
  f.bars->SetDefaultAction([&](CommandBarControl&) { ++ownActions; });
  std::vector<bool> seen;
  auto first = button->OnClick([&](CommandBarButton&, bool& cancel) {
    seen.push_back(cancel);
    cancel = true;
  });
  auto second = button->OnClick([&](CommandBarButton&, bool& cancel) { seen.push_back(cancel); });
  button->Execute();
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
  EXPECT_EQ(ownActions, 0);

  first.Reset();
  button->Click();
  EXPECT_EQ(ownActions, 1);
}

TEST(ClickEvents, DisabledHiddenOrUnreachableButtonsDoNothing) {
  Fixture f;
  auto button = f.Button(f.menu->Controls(), "kzoMCQ");
  auto sub = button->OnClick(f.Logger("m"));
  const std::vector<std::function<void()>> spoil = {
      [&] { button->SetEnabled(false); },
      [&] { button->SetVisible(false); },
      [&] { f.menu->SetEnabled(false); },  // the menu that holds it
      [&] { f.menu->SetVisible(false); },
  };
  for (size_t i = 0; i < spoil.size(); ++i) {
    spoil[i]();
    button->Execute();
    EXPECT_TRUE(f.log.empty()) << i;
    button->SetEnabled(true);
    button->SetVisible(true);
    f.menu->SetEnabled(true);
    f.menu->SetVisible(true);
  }
  // A pop-up itself raises no click.
  f.menu->Execute();
  button->Execute();
  EXPECT_EQ(f.log.size(), 1u);
}

TEST(ClickEvents, TokensUnhookAndNeverKeepControlsAlive) {
  Fixture f;
  std::weak_ptr<CommandBarButton> weak;
  ClickSubscription sub;
  {
    auto button = f.Button(f.toolbar->Controls(), "kzoAC");
    weak = button;
    sub = button->OnClick(f.Logger("x"));
    EXPECT_TRUE(sub.Active());
    button->Delete();
  }
  EXPECT_TRUE(weak.expired());
  // The deleted button's tag still reaches a copy made later.
  auto copy = f.Button(f.toolbar->Controls(), "kzoAC");
  copy->Execute();
  EXPECT_EQ(f.log.size(), 1u);
  {
    auto moved = std::move(sub);
    EXPECT_FALSE(sub.Active());
  }
  copy->Execute();
  EXPECT_EQ(f.log.size(), 1u);

  // A token that outlives its bars is harmless.
  ClickSubscription late = copy->OnClick(f.Logger("late"));
  f = Fixture{};
  copy.reset();
  EXPECT_FALSE(late.Active());
}

TEST(ClickEvents, HandlersMayUnhookAndDeleteWhileAClickIsDelivered) {
  Fixture f;
  auto button = f.Button(f.toolbar->Controls(), "kzoUG");
  ClickSubscription second;
  auto first = button->OnClick([&](CommandBarButton& b, bool&) {
    f.log.push_back("first");
    second.Reset();
    b.Delete();
  });
  second = button->OnClick(f.Logger("second"));
  ObjectRef held = button;
  Call(held, "Execute");
  EXPECT_EQ(f.log, std::vector<std::string>{"first"});
  EXPECT_TRUE(button->IsDeleted());
}

}  // namespace
}  // namespace qv::office
