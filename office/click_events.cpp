#include "office/click_events.h"

#include <algorithm>
#include <utility>

#include "office/command_bar_button.h"

namespace qv::office {

struct ClickRouter::Entry {
  uint64_t id = 0;
  std::weak_ptr<CommandBarButton> source;
  // The hooked button's Tag and Id as last seen: once it is deleted, its look-alikes are still
  // reached through them.
  std::string tag;
  int32_t controlId = 0;
  bool builtIn = false;
  ClickHandler handler;
  bool active = true;

  void Refresh() {
    auto button = source.lock();
    if (!button || button->IsDeleted()) return;
    tag = button->Properties().tag;
    controlId = button->Id();
    builtIn = button->BuiltIn();
  }

  bool Matches(const CommandBarButton& clicked) const {
    if (auto button = source.lock(); button.get() == &clicked) return true;
    const std::string& clickedTag = clicked.Properties().tag;
    if (!tag.empty()) return clickedTag == tag;
    return builtIn && clickedTag.empty() && clicked.Id() == controlId;
  }
};

ClickSubscription::ClickSubscription(ClickSubscription&& other) noexcept
    : router_(std::move(other.router_)), id_(std::exchange(other.id_, 0)) {}

ClickSubscription& ClickSubscription::operator=(ClickSubscription&& other) noexcept {
  if (this != &other) {
    Reset();
    router_ = std::move(other.router_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

void ClickSubscription::Reset() {
  if (id_ != 0) {
    if (auto router = router_.lock()) router->Unsubscribe(id_);
  }
  router_.reset();
  id_ = 0;
}

bool ClickSubscription::Active() const {
  if (id_ == 0) return false;
  auto router = router_.lock();
  return router && router->Has(id_);
}

ClickSubscription ClickRouter::Subscribe(const std::shared_ptr<CommandBarButton>& source,
                                         ClickHandler handler) {
  auto entry = std::make_shared<Entry>();
  entry->id = nextId_++;
  entry->source = source;
  entry->handler = std::move(handler);
  entry->Refresh();
  entries_.push_back(entry);
  return ClickSubscription(weak_from_this(), entry->id);
}

void ClickRouter::Fire(CommandBarButton& clicked, bool& cancelDefault) {
  // A snapshot, so that handlers may hook, unhook or delete while the click is delivered; an
  // entry unhooked meanwhile is skipped.
  std::vector<std::shared_ptr<Entry>> matching;
  for (const auto& entry : entries_) {
    entry->Refresh();
    if (entry->Matches(clicked)) matching.push_back(entry);
  }
  for (const auto& entry : matching) {
    if (entry->active && entry->handler) entry->handler(clicked, cancelDefault);
  }
}

void ClickRouter::Unsubscribe(uint64_t id) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [id](const auto& entry) { return entry->id == id; });
  if (it == entries_.end()) return;
  (*it)->active = false;
  entries_.erase(it);
}

bool ClickRouter::Has(uint64_t id) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [id](const auto& entry) { return entry->id == id; });
}

}  // namespace qv::office
