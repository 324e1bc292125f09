#include "powerpoint/add_in.h"

#include <filesystem>

#include "automation/automation_error.h"
#include "powerpoint/application.h"

namespace qv::powerpoint {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// Sets a kept flag and saves the list; when saving fails the flag keeps its old value.
void SetKept(bool& field, bool value, const std::shared_ptr<Application>& app) {
  if (field == value) return;
  field = value;
  try {
    app->SaveState();
  } catch (...) {
    field = !value;
    throw;
  }
}

}  // namespace

AddIn::AddIn(std::weak_ptr<Application> app, std::string fullName)
    : app_(std::move(app)), fullName_(std::move(fullName)) {}

const DispatchTable& AddIn::Members() const {
  using A = AddIn;
  static const DispatchTable table =
      ClassTable<A>("AddIn")
          .Get("Name", [](A& a) { return a.Name(); })
          .Get("FullName", [](A& a) { return a.FullName(); })
          .Get("Path", [](A& a) { return a.Path(); })
          .Prop(
              "AutoLoad", [](A& a) { return a.AutoLoad(); },
              [](A& a, const Variant& v) { a.SetAutoLoad(v.ToBool()); })
          .Prop(
              "Loaded", [](A& a) { return a.Loaded(); },
              [](A& a, const Variant& v) { a.SetLoaded(v.ToBool()); })
          .Prop(
              "Registered", [](A& a) { return a.Registered(); },
              [](A& a, const Variant& v) { a.SetRegistered(v.ToBool()); })
          .Build();
  return table;
}

void AddIn::CheckListed() const {
  if (removed_) automation::Raise(automation::err::kObjectDeleted);
}

std::string AddIn::Name() const {
  CheckListed();
  return std::filesystem::path(fullName_).stem().string();
}

std::string AddIn::Path() const {
  CheckListed();
  return std::filesystem::path(fullName_).parent_path().string();
}

void AddIn::SetAutoLoad(bool value) {
  CheckListed();
  auto app = RunningApplication(app_);
  SetKept(autoLoad_, value, app);
}

void AddIn::SetRegistered(bool value) {
  CheckListed();
  auto app = RunningApplication(app_);
  SetKept(registered_, value, app);
}

void AddIn::SetLoaded(bool value) {
  CheckListed();
  auto app = RunningApplication(app_);
  if (value == loaded_) return;
  if (value) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fullName_, ec))
      throw automation::AutomationError(
          automation::err::kFileNotFound,
          "PowerPoint could not find the add-in file " + fullName_ + ".");
    loaded_ = true;
    app->RunAddIn(*this);
  } else {
    // The entries an add-in made stay on the bars: they are the user's now.
    loaded_ = false;
  }
}

}  // namespace qv::powerpoint
