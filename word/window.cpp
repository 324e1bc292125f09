#include "word/window.h"

#include "platform/windows.h"
#include "word/document.h"
#include "word/errors.h"
#include "word/selection.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& View::Members() const {
  static const DispatchTable table = ClassTable<View>("View")
                                         .Prop(
                                             "Type", [](View& v) { return v.type; },
                                             [](View& v, const Variant& x) {
                                               const int32_t t = x.ToInt32();
                                               if (t < 1 || t > 7) RaiseInvalidCall();
                                               v.type = t;
                                             })
                                         .Prop(
                                             "SplitSpecial",
                                             [](View& v) {
                                               auto w = v.window.lock();
                                               return w ? w->SplitSpecial() : wdPaneNone;
                                             },
                                             [](View& v, const Variant& x) {
                                               if (auto w = v.window.lock())
                                                 w->SetSplitSpecial(x.ToInt32());
                                             })
                                         .Build();
  return table;
}

Pane::Pane(std::weak_ptr<word::Window> w) : window_(std::move(w)) {
  view_->window = window_;
}

void Pane::Close() {
  if (auto w = window_.lock()) w->ClosePane(this);
}

const DispatchTable& Pane::Members() const {
  static const DispatchTable table = ClassTable<Pane>("Pane")
                                         .Get("View", [](Pane& p) { return p.View(); })
                                         .Sub("Close", [](Pane& p, Args&) { p.Close(); })
                                         .Build();
  return table;
}

int32_t Panes::Count() const {
  return static_cast<int32_t>(window_->PaneList().size());
}

std::shared_ptr<Pane> Panes::Item(int32_t index) const {
  const auto& list = window_->PaneList();
  return list[CheckIndex(index, list.size())];
}

const DispatchTable& Panes::Members() const {
  static const DispatchTable table = ClassTable<Panes>("Panes").Collection().Build();
  return table;
}

Window::Window(std::weak_ptr<Document> doc, int32_t handle) : doc_(std::move(doc)), hwnd_(handle) {}

Window::~Window() {
  platform::UnregisterWindow(hwnd_);
}

void Window::Init(const std::shared_ptr<Document>& doc) {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  view_->window = self;
  panes_.push_back(std::make_shared<Pane>(self));
  selection_ = std::make_shared<word::Selection>(doc);
  std::weak_ptr<Window> weak = self;
  platform::RegisterWindow(hwnd_, [weak](int32_t command) {
    if (auto w = weak.lock()) w->Show(command);
  });
}

void Window::SetWindowState(int32_t state) {
  if (state < 0 || state > 2) RaiseInvalidCall();
  windowState_ = state;
}

void Window::Show(int32_t command) {
  switch (command) {
    case platform::SW_SHOWMINIMIZED:
    case platform::SW_MINIMIZE:
      windowState_ = 2;
      break;
    case platform::SW_SHOWMAXIMIZED:
      windowState_ = 1;
      break;
    case platform::SW_RESTORE:
    case platform::SW_SHOWNORMAL:
      windowState_ = 0;
      if (auto d = doc_.lock(); d && !d->Closed()) d->Activate();
      break;
    default:
      break;
  }
}

std::shared_ptr<Document> Window::Doc() const {
  auto d = doc_.lock();
  if (!d || d->Closed()) RaiseDeleted();
  return d;
}

std::shared_ptr<word::Selection> Window::Selection() const {
  Doc();
  return selection_;
}

std::shared_ptr<Pane> Window::ActivePane() const {
  Doc();
  return panes_.back();
}

void Window::SetSplit(bool split) {
  Doc();
  if (split && panes_.size() == 1) {
    auto p = std::make_shared<Pane>(
        std::static_pointer_cast<Window>(std::const_pointer_cast<Dispatch>(shared_from_this())));
    p->View()->type = view_->type;
    panes_.push_back(p);
  } else if (!split && panes_.size() > 1) {
    panes_.resize(1);
    splitSpecial_ = wdPaneNone;
  }
}

void Window::SetSplitSpecial(int32_t v) {
  splitSpecial_ = v;
  SetSplit(v != wdPaneNone);
  splitSpecial_ = v;
}

void Window::ClosePane(const Pane* p) {
  if (panes_.size() < 2) return;
  std::erase_if(panes_, [p](const auto& x) { return x.get() == p; });
  if (panes_.size() < 2) splitSpecial_ = wdPaneNone;
}

void Window::Activate() {
  Doc()->Activate();
}

void Window::Close() {
  selection_.reset();
  panes_.clear();
  platform::UnregisterWindow(hwnd_);
}

const DispatchTable& Window::Members() const {
  static const DispatchTable table =
      ClassTable<Window>("Window")
          .Prop(
              "WindowState", [](Window& w) { return w.WindowState(); },
              [](Window& w, const Variant& v) { w.SetWindowState(v.ToInt32()); })
          .Get("View", [](Window& w) { return w.View(); })
          .Get("ActivePane", [](Window& w) { return w.ActivePane(); })
          .Get("Panes",
               [](Window& w) {
                 return std::make_shared<Panes>(
                     std::static_pointer_cast<Window>(w.shared_from_this()));
               })
          .Prop(
              "Split", [](Window& w) { return w.Split(); },
              [](Window& w, const Variant& v) { w.SetSplit(v.ToBool()); })
          .Get("Selection", [](Window& w) { return w.Selection(); })
          .Get("Document", [](Window& w) { return w.Doc(); })
          .Get("hwnd", [](Window& w) { return w.Hwnd(); })
          .Get("Caption", [](Window& w) { return w.Doc()->Name(); })
          .Sub("ScrollIntoView", [](Window& w, Args& a) { w.ScrollIntoView(a.Object(0)); })
          .Sub("Activate", [](Window& w, Args&) { w.Activate(); })
          .Build();
  return table;
}

std::shared_ptr<Window> Windows::Item(int32_t index) const {
  return list_[CheckIndex(index, list_.size())];
}

const DispatchTable& Windows::Members() const {
  static const DispatchTable table = ClassTable<Windows>("Windows").Collection().Build();
  return table;
}

}  // namespace qv::word
