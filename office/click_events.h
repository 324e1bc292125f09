#pragma once
// Click events of command bar buttons, as the host's event references deliver them.
//
// Routing rule: an event reference hooked to a button receives the click of that button and of
// every other button that carries the same non-empty Tag, whichever bar it sits on; a built-in
// button with an empty Tag routes by its Id instead. The Tag compared is the hooked button's
// current Tag (the Tag it last had, once it was deleted), so a button whose Tag the user changed no
// longer reaches the reference, and a copy of a button keeps working.
//
// A subscription is a token: destroying it (or Reset) unhooks the handler. The router keeps only
// weak references to the hooked buttons, so a hook never keeps a button alive, and a token that
// outlives its command bars does nothing when destroyed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::office {

class CommandBarButton;
class ClickRouter;

// The handler of a button's click event: the clicked button and the by-reference cancel-default
// flag (set it to true to keep the button's own action from running).
using ClickHandler = std::function<void(CommandBarButton& ctrl, bool& cancelDefault)>;

class [[nodiscard]] ClickSubscription {
 public:
  ClickSubscription() = default;
  ~ClickSubscription() { Reset(); }
  ClickSubscription(ClickSubscription&& other) noexcept;
  ClickSubscription& operator=(ClickSubscription&& other) noexcept;
  ClickSubscription(const ClickSubscription&) = delete;
  ClickSubscription& operator=(const ClickSubscription&) = delete;

  // Unhooks the handler; the token is empty afterwards.
  void Reset();
  // True while the handler is hooked and its command bars exist.
  bool Active() const;

 private:
  friend class ClickRouter;
  ClickSubscription(std::weak_ptr<ClickRouter> router, uint64_t id)
      : router_(std::move(router)), id_(id) {}

  std::weak_ptr<ClickRouter> router_;
  uint64_t id_ = 0;
};

// One per set of command bars; shared by all its buttons.
class ClickRouter : public std::enable_shared_from_this<ClickRouter> {
 public:
  ClickSubscription Subscribe(const std::shared_ptr<CommandBarButton>& source,
                              ClickHandler handler);
  // Calls every handler whose hooked button matches `clicked` (rule above), in the order they
  // were hooked, each once, all sharing `cancelDefault`. Handlers may unhook themselves or others
  // and may delete controls while this runs.
  void Fire(CommandBarButton& clicked, bool& cancelDefault);
  size_t Count() const { return entries_.size(); }

 private:
  friend class ClickSubscription;
  struct Entry;
  void Unsubscribe(uint64_t id);
  bool Has(uint64_t id) const;

  std::vector<std::shared_ptr<Entry>> entries_;
  uint64_t nextId_ = 1;
};

}  // namespace qv::office
