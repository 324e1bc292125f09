#include "powerpoint/add_ins.h"

#include <algorithm>
#include <filesystem>

#include "automation/automation_error.h"
#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "powerpoint/add_in.h"
#include "powerpoint/application.h"

namespace qv::powerpoint {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

AddIns::AddIns(std::weak_ptr<Application> app) : app_(std::move(app)) {}

const DispatchTable& AddIns::Members() const {
  using L = AddIns;
  static const DispatchTable table =
      ClassTable<L>("AddIns")
          .Collection()
          .Method("Add", [](L& l, Args& a) { return l.Add(a.Text(0)); })
          .Sub("Remove",
               [](L& l, Args& a) {
                 if (a[0].IsText())
                   l.Remove(a.Text(0));
                 else
                   l.Remove(a.Int(0));
               })
          .Build();
  return table;
}

int32_t AddIns::Count() const {
  return static_cast<int32_t>(addIns_.size());
}

std::shared_ptr<AddIn> AddIns::Item(int32_t index) const {
  return addIns_[automation::CollectionPosition(index, addIns_.size(),
                                                automation::err::kSubscript)];
}

std::shared_ptr<AddIn> AddIns::Item(const std::string& name) const {
  for (const auto& a : addIns_) {
    if (text::EqualsIgnoreCase(a->Name(), name) || a->FullName() == name) return a;
  }
  automation::Raise(automation::err::kSubscript);
}

std::shared_ptr<AddIn> AddIns::Add(const std::string& fileName) {
  auto app = RunningApplication(app_);
  std::error_code ec;
  const auto path =
      fileName.empty() ? std::filesystem::path() : std::filesystem::absolute(fileName, ec);
  if (fileName.empty() || ec || !std::filesystem::is_regular_file(path, ec))
    throw automation::AutomationError(
        automation::err::kFileNotFound,
        "PowerPoint could not find the add-in file " + fileName + ".");
  const std::string fullName = path.lexically_normal().string();
  const std::string name = path.stem().string();
  for (const auto& a : addIns_) {
    if (!text::EqualsIgnoreCase(a->Name(), name)) continue;
    if (a->fullName_ != fullName) {
      const std::string old = a->fullName_;
      a->fullName_ = fullName;
      try {
        app->SaveState();
      } catch (...) {
        a->fullName_ = old;
        throw;
      }
    }
    return a;
  }
  auto addIn = std::make_shared<AddIn>(app_, fullName);
  addIns_.push_back(addIn);
  try {
    app->SaveState();
  } catch (...) {
    addIns_.pop_back();
    throw;
  }
  return addIn;
}

void AddIns::Remove(int32_t index) {
  RunningApplication(app_);
  RemoveAt(automation::CollectionPosition(index, addIns_.size(), automation::err::kSubscript));
}

void AddIns::Remove(const std::string& name) {
  RunningApplication(app_);
  auto addIn = Item(name);
  const auto it = std::find(addIns_.begin(), addIns_.end(), addIn);
  RemoveAt(static_cast<size_t>(it - addIns_.begin()));
}

void AddIns::RemoveAt(size_t pos) {
  auto app = RunningApplication(app_);
  auto addIn = addIns_[pos];
  addIns_.erase(addIns_.begin() + static_cast<std::ptrdiff_t>(pos));
  try {
    app->SaveState();
  } catch (...) {
    addIns_.insert(addIns_.begin() + static_cast<std::ptrdiff_t>(pos), addIn);
    throw;
  }
  addIn->loaded_ = false;
  addIn->removed_ = true;
}

}  // namespace qv::powerpoint
