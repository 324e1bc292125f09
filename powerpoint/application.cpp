#include "powerpoint/application.h"

#include <filesystem>

#include "automation/automation_error.h"
#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "platform/files.h"
#include "powerpoint/add_in.h"
#include "powerpoint/add_ins.h"
#include "powerpoint/addin_file.h"
#include "powerpoint/presentations.h"
#include "powerpoint/profile_store.h"

namespace qv::powerpoint {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// The host's "object invoked has disconnected from its clients": the program is gone.
constexpr int32_t kDisconnected = -2147417848;

// While it lives, changes are not written one by one; the state is written once at its end.
class Batch {
 public:
  explicit Batch(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Batch() { flag_ = was_; }
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

 private:
  bool& flag_;
  bool was_;
};

void AddButtons(office::CommandBarControls& controls, const std::vector<AddInButton>& buttons) {
  for (const auto& b : buttons) {
    auto button = controls.Add(office::msoControlButton);
    button->SetCaption(b.caption);
    button->SetTag(b.tag);
    static_cast<office::CommandBarButton&>(*button).SetStyle(office::msoButtonCaption);
  }
}

}  // namespace

std::shared_ptr<Application> Application::Create() {
  const SavedState state = ReadState();
  auto app = std::make_shared<Application>();
  app->addIns_ = std::make_shared<qv::powerpoint::AddIns>(app);
  {
    Batch batch(app->loading_);
    if (state.commandBars) app->bars_->Load(*state.commandBars);
    for (const auto& saved : state.addIns) {
      auto addIn = std::make_shared<AddIn>(app, saved.fullName);
      addIn->autoLoad_ = saved.autoLoad;
      addIn->registered_ = saved.registered;
      app->addIns_->addIns_.push_back(std::move(addIn));
    }
  }
  std::weak_ptr<Application> weak = app;
  app->bars_->SetChangeHandler([weak] {
    if (auto running = weak.lock(); running && !running->quit_) running->SaveState();
  });
  // An add-in set to load automatically whose file went away stays listed, unloaded.
  for (const auto& addIn : app->addIns_->addIns_) {
    std::error_code ec;
    if (addIn->autoLoad_ && std::filesystem::is_regular_file(addIn->fullName_, ec)) {
      addIn->loaded_ = true;
      app->RunAddIn(*addIn);
    }
  }
  return app;
}

Application::Application()
    : bars_(office::CommandBars::Create(office::PowerPointBuiltInBars())),
      presentations_(std::make_shared<qv::powerpoint::Presentations>()) {}

const DispatchTable& Application::Members() const {
  using A = Application;
  static const DispatchTable table =
      ClassTable<A>("Application")
          .Get("AddIns", [](A& a) { return a.AddIns(); })
          .Get("CommandBars", [](A& a) { return a.CommandBars(); })
          .Get("Presentations", [](A& a) { return a.Presentations(); })
          .Prop(
              "Visible", [](A& a) { return a.Visible(); },
              [](A& a, const Variant& v) { a.SetVisible(v.ToBool()); })
          .Get("Version", [](A& a) { return a.Version(); })
          .Sub("Quit", [](A& a, Args&) { a.Quit(); })
          .Build();
  return table;
}

void Application::CheckRunning() const {
  if (quit_)
    throw automation::AutomationError(kDisconnected,
                                      "The object invoked has disconnected from its clients.");
}

std::shared_ptr<Application> RunningApplication(const std::weak_ptr<Application>& app) {
  auto running = app.lock();
  if (!running) automation::Raise(automation::err::kObjectDeleted);
  running->CheckRunning();
  return running;
}

std::shared_ptr<AddIns> Application::AddIns() const {
  CheckRunning();
  return addIns_;
}

std::shared_ptr<office::CommandBars> Application::CommandBars() const {
  CheckRunning();
  return bars_;
}

std::shared_ptr<Presentations> Application::Presentations() const {
  CheckRunning();
  return presentations_;
}

bool Application::Visible() const {
  CheckRunning();
  return visible_;
}

void Application::SetVisible(bool value) {
  CheckRunning();
  visible_ = value;
}

std::string Application::Version() const {
  CheckRunning();
  return "9.0";
}

void Application::Quit() {
  if (quit_) return;
  presentations_->CloseAll();
  for (const auto& addIn : addIns_->addIns_)
    addIn->loaded_ = false;
  visible_ = false;
  SaveState();
  quit_ = true;
}

void Application::SaveState() const {
  if (loading_) return;
  SavedState state;
  for (const auto& addIn : addIns_->addIns_)
    state.addIns.push_back({addIn->fullName_, addIn->autoLoad_, addIn->registered_});
  state.commandBars = bars_->Save();
  WriteState(state);
}

void Application::RunAddIn(const AddIn& addIn) {
  const auto content = platform::ReadWholeFile(addIn.FullName(), 4u << 20);
  if (!content) return;
  const AddInDeclaration decl = ReadAddInDeclaration(*content);
  if (decl.toolbars.empty() && decl.toolsMenu.empty()) return;
  {
    Batch batch(loading_);
    for (const auto& bar : decl.toolbars) {
      // An add-in loaded again finds its toolbar from the last time.
      std::shared_ptr<office::CommandBar> found;
      for (const auto& b : bars_->All()) {
        if (b->Name() == bar.name && b->Type() != office::msoBarTypePopup) found = b;
      }
      if (found) continue;
      auto made = bars_->Add(bar.name, office::msoBarTop);
      AddButtons(*made->Controls(), bar.buttons);
      made->SetVisible(true);
    }
    office::ControlQuery query;
    query.id = office::kToolsMenuId;
    auto tools = std::dynamic_pointer_cast<office::CommandBarPopup>(bars_->FindControl(query));
    for (const auto& menu : decl.toolsMenu) {
      if (!tools) break;
      bool present = false;
      for (const auto& c : tools->Controls()->All())
        present = present || c->Caption() == menu.name;
      if (present) continue;
      auto popup = std::static_pointer_cast<office::CommandBarPopup>(
          tools->Controls()->Add(office::msoControlPopup));
      popup->SetCaption(menu.name);
      AddButtons(*popup->Controls(), menu.buttons);
    }
  }
  SaveState();
}

void RegisterClasses(automation::ClassFactory& factory) {
  auto running = std::make_shared<std::weak_ptr<Application>>();
  factory.Register("PowerPoint.Application", [running]() -> automation::ObjectRef {
    auto app = running->lock();
    if (!app || app->HasQuit()) {
      app = Application::Create();
      *running = app;
    }
    return app;
  });
}

}  // namespace qv::powerpoint
