#pragma once
// One event of a form or control: a slot that the product's form assigns its handler to
// (`btnOK->OnClick = [this] { ... };`). Raising an event without a handler does nothing, as an
// event the form does not handle.

#include <functional>
#include <utility>

namespace qv::ui {

template <class... A>
class Event {
 public:
  using Handler = std::function<void(A...)>;

  Event& operator=(Handler handler) {
    handler_ = std::move(handler);
    return *this;
  }
  explicit operator bool() const { return static_cast<bool>(handler_); }

  // Calls the handler. A copy runs, so that a handler that replaces itself finishes safely.
  void operator()(A... args) const {
    if (!handler_) return;
    Handler running = handler_;
    running(std::forward<A>(args)...);
  }

 private:
  Handler handler_;
};

}  // namespace qv::ui
