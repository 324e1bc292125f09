#include "addin/connect/command_bar_setup.h"

#include <gtest/gtest.h>

#include "office/built_in_bars.h"
#include "office/command_bar.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"

namespace qv::addin {
namespace {

struct Built {
  std::shared_ptr<office::CommandBars> bars;
  CommandRefs refs;
  int f = 0;
  std::string trace;

  explicit Built(bool withTools = true) {
    auto defs = office::WordBuiltInBars();
    if (!withTools) office::RemoveBuiltInControl(defs, office::kToolsMenuId);
    bars = office::CommandBars::Create(defs);
  }
  void Run(bool rebuild, bool upgrade = false) {
    trace.clear();
    CommandBarSetup setup(*bars, refs, "KZOWord.Connect", upgrade, f, trace);
    setup.BuildMenu(rebuild);
    setup.BuildToolbar(rebuild);
  }
  std::shared_ptr<office::CommandBarPopup> Menu() {
    auto tools = std::dynamic_pointer_cast<office::CommandBarPopup>(
        bars->FindControl(office::ControlQuery{0, office::kToolsMenuId, "", false}));
    return std::dynamic_pointer_cast<office::CommandBarPopup>(
        tools->Controls()->Item(std::string("Quorvanta")));
  }
};

TEST(CommandBarSetup, TracesTheWalksAndEndsAtTheLastStep) {
  Built b;
  b.Run(false);
  const size_t toolsCount = b.Menu()->Parent()->Controls()->Count() - 1;  // before the pop-up
  std::string dots(toolsCount, '.');
  std::string barDots(b.bars->Count() - 1, '.');
  EXPECT_EQ(b.trace, "popup:" + dots + "(end) toolbar:" + barDots + "(end)");
  EXPECT_EQ(b.f, 40);

  // A rebuild finds both, empties them ("r" and one "d" per control) and refills them.
  b.Run(true);
  EXPECT_EQ(b.trace, "popup:" + dots + ".mrdddddd(end) toolbar:" + barDots + ".mrdddddd(end)");
  EXPECT_EQ(b.Menu()->Controls()->Count(), 6);

  // Without a rebuild they are found and re-attached.
  b.refs.Clear();
  b.Run(false);
  EXPECT_EQ(b.trace, "popup:" + dots + ".m(end) toolbar:" + barDots + ".m(end)");
  for (CommandRef* r : b.refs.All())
    EXPECT_TRUE(r->button) << "every reference attached";
}

TEST(CommandBarSetup, WithoutToolsMenuOnlyTheToolbarIsBuilt) {
  Built b(false);
  b.Run(false);
  EXPECT_EQ(b.trace.rfind(" toolbar:", 0), 0u) << b.trace;
  EXPECT_FALSE(b.refs.menu[kCreateQuestionCommand].button);
  EXPECT_TRUE(b.refs.toolbar[kCreateQuestionCommand].button);
}

TEST(CommandBarSetup, UpdateControlsFollowTheFlagAtEveryReattachment) {
  Built b;
  b.Run(false, false);
  EXPECT_FALSE(b.refs.toolbar[kUpgradeCommand].button->Visible());
  EXPECT_FALSE(b.refs.menu[kUpgradeCommand].button->Visible());
  b.Run(false, true);
  EXPECT_TRUE(b.refs.toolbar[kUpgradeCommand].button->Visible() &&
              b.refs.toolbar[kUpgradeCommand].button->Enabled());
  EXPECT_TRUE(b.refs.menu[kUpgradeCommand].button->Visible() &&
              b.refs.menu[kUpgradeCommand].button->Enabled());
  b.Run(false, false);
  EXPECT_FALSE(b.refs.toolbar[kUpgradeCommand].button->Visible() ||
               b.refs.toolbar[kUpgradeCommand].button->Enabled());
}

TEST(CommandBarSetup, ForeignControlsAreLeftAloneAndEmptyContainersRefilled) {
  Built b;
  b.Run(false);
  auto toolbar = b.bars->Item(std::string("Quorvanta"));
  auto mine = toolbar->Controls()->Add(office::msoControlButton);
  mine->SetTag("user");
  mine->SetVisible(false);
  while (b.Menu()->Controls()->Count() > 0)
    b.Menu()->Controls()->Item(1)->Delete();
  b.Run(false);
  EXPECT_FALSE(mine->Visible()) << "a control with another tag is not touched";
  EXPECT_EQ(b.Menu()->Controls()->Count(), 6) << "an empty pop-up is refilled";
}

TEST(SetCommandsEnabled, ReachesEveryControlOfBothContainers) {
  Built b;
  b.Run(false, true);
  DisableCommands(*b.bars);
  for (CommandRef* r : b.refs.All())
    EXPECT_FALSE(r->button->Enabled());
  EXPECT_TRUE(b.Menu()->Enabled()) << "the containers themselves are not changed";
  EnableCommands(*b.bars);
  for (CommandRef* r : b.refs.All())
    EXPECT_TRUE(r->button->Enabled());
  // Without any container nothing fails.
  Built none(false);
  EXPECT_NO_THROW(SetCommandsEnabled(*none.bars, false));
}

}  // namespace
}  // namespace qv::addin
