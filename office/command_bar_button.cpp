#include "office/command_bar_button.h"

#include "office/bars_context.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

CommandBarButton::CommandBarButton(int32_t id, bool builtIn, bool temporary,
                                   std::shared_ptr<BarsContext> context)
    : CommandBarControl(msoControlButton, id, builtIn, temporary, std::move(context)) {}

const DispatchTable& CommandBarButton::Members() const {
  using B = CommandBarButton;
  static const DispatchTable table =
      ClassTable<B>("CommandBarButton")
          .Inherit(CommonMembers())
          .Prop(
              "Style", [](B& b) { return b.Style(); },
              [](B& b, const Variant& v) { b.SetStyle(v.ToInt32()); })
          .Sub("Click", [](B& b, Args&) { b.Click(); })
          .Build();
  return table;
}

int32_t CommandBarButton::Style() const {
  CheckAlive();
  return Properties().style;
}

void CommandBarButton::SetStyle(int32_t value) {
  CheckAlive();
  if (value < msoButtonAutomatic || value > msoButtonIconAndCaption)
    automation::Raise(automation::err::kInvalidCall);
  if (Properties().style == value) return;
  MutableProperties().style = value;
  Changed();
}

ClickSubscription CommandBarButton::OnClick(ClickHandler handler) {
  CheckAlive();
  return Context()->router->Subscribe(
      std::static_pointer_cast<CommandBarButton>(shared_from_this()), std::move(handler));
}

void CommandBarButton::Clicked() {
  bool cancelDefault = false;
  // The context is held here: a handler may delete the whole set of bars.
  const auto context = Context();
  context->router->Fire(*this, cancelDefault);
  if (!cancelDefault && !IsDeleted() && context->defaultAction) context->defaultAction(*this);
}

}  // namespace qv::office
