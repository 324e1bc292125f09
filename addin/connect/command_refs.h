#pragma once
// The twelve command button references of the add-in object: one per menu item and toolbar
// button, each with the subscription that routes its clicks to the command handler.

#include <array>
#include <memory>

#include "office/click_events.h"
#include "office/command_bar_button.h"

namespace qv::addin {

struct CommandRef {
  std::shared_ptr<office::CommandBarButton> button;
  office::ClickSubscription subscription;
  void Clear() {
    subscription = office::ClickSubscription();
    button.reset();
  }
};

struct CommandRefs {
  // Menu ("&Quorvanta" in the Tools menu).
  CommandRef CreateQuestionM, CreateContentDelimM, WebVerifyM, TutorialM, SignUpM, UpgradeM;
  // Toolbar ("Quorvanta").
  CommandRef CreateQuestion, CreateContentDelim, WebVerify, Tutorial, SignUp, Upgrade;

  void Clear() {
    for (CommandRef* r : All())
      r->Clear();
  }
  std::array<CommandRef*, 12> All() {
    return {&CreateQuestionM, &CreateContentDelimM, &WebVerifyM, &TutorialM, &SignUpM, &UpgradeM,
            &CreateQuestion,  &CreateContentDelim,  &WebVerify,  &Tutorial,  &SignUp,  &Upgrade};
  }
};

}  // namespace qv::addin
