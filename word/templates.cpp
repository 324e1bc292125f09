#include "word/templates.h"

#include <nlohmann/json.hpp>

#include "platform/files.h"
#include "word/errors.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

void Template::Save() {
  if (save_) save_();
  saved_ = true;
}

const DispatchTable& Template::Members() const {
  static const DispatchTable table =
      ClassTable<Template>("Template")
          .Get("Name", [](Template& t) { return t.Name(); })
          .Get("Path", [](Template& t) { return t.Path(); })
          .Get("FullName", [](Template& t) { return t.FullName(); })
          .Prop(
              "Saved", [](Template& t) { return t.Saved(); },
              [](Template& t, const Variant& v) { t.SetSaved(v.ToBool()); })
          .Sub("Save", [](Template& t, Args&) { t.Save(); })
          .Build();
  return table;
}

void AddIn::Check() const {
  if (!owner_) RaiseDeleted();
}

bool AddIn::Installed() const {
  Check();
  return installed_;
}

void AddIn::SetInstalled(bool v) {
  Check();
  // The list on disk already says so: no rewrite (and no flush to the disk) for nothing.
  if (installed_ == v) return;
  installed_ = v;
  owner_->Store();
}

void AddIn::Delete() {
  Check();
  AddIns* owner = owner_;
  owner->Remove(this);
}

const DispatchTable& AddIn::Members() const {
  static const DispatchTable table =
      ClassTable<AddIn>("AddIn")
          .Get("Name",
               [](AddIn& a) {
                 a.Check();
                 return a.Name();
               })
          .Get("Path",
               [](AddIn& a) {
                 a.Check();
                 return a.Path();
               })
          .Get("FullName",
               [](AddIn& a) {
                 a.Check();
                 return a.FullName();
               })
          .Prop(
              "Installed", [](AddIn& a) { return a.Installed(); },
              [](AddIn& a, const Variant& v) { a.SetInstalled(v.ToBool()); })
          .Sub("Delete", [](AddIn& a, Args&) { a.Delete(); })
          .Build();
  return table;
}

AddIns::AddIns(std::filesystem::path store) : store_(std::move(store)) {
  Load();
}

AddIns::~AddIns() {
  for (auto& a : list_)
    a->Detach();
}

void AddIns::Load() {
  auto text = platform::ReadWholeFile(store_);
  if (!text) return;
  try {
    const auto j = nlohmann::json::parse(*text);
    for (const auto& e : j.at("addIns"))
      list_.push_back(std::make_shared<AddIn>(this, e.at("path").get<std::string>(),
                                              e.at("installed").get<bool>()));
  } catch (const nlohmann::json::exception&) {
    // A damaged list is kept aside rather than overwritten; the list starts empty.
    list_.clear();
    platform::KeepAside(store_);
  }
}

void AddIns::Store() const {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& a : list_)
    list.push_back({{"path", a->FullName()}, {"installed", a->Installed()}});
  const nlohmann::json j = {{"addIns", list}};
  // Another program of the platform (the installer) may write the list at the same time.
  platform::FileLock lock(store_.string() + ".lock");
  if (!platform::WriteFileAtomically(store_, j.dump(1) + "\n"))
    throw automation::AutomationError(kErrFileNotSaved, "The add-in list could not be saved.");
}

std::shared_ptr<AddIn> AddIns::Item(const Variant& index) const {
  if (index.IsText()) {
    const std::string name = index.ToText();
    for (const auto& a : list_)
      if (a->Name() == name || a->FullName() == name) return a;
    RaiseNoItem();
  }
  return list_[CheckIndex(index.ToInt32(), list_.size())];
}

std::shared_ptr<AddIn> AddIns::Add(const std::string& fileName, bool install) {
  std::error_code ec;
  const auto path = std::filesystem::absolute(fileName);
  if (!std::filesystem::is_regular_file(path, ec))
    throw automation::AutomationError(kErrFileNotFound,
                                      "This file could not be found.\r\n(" + fileName + ")");
  for (const auto& a : list_)
    if (a->FullName() == path.string()) {
      if (install) a->SetInstalled(true);
      return a;
    }
  auto a = std::make_shared<AddIn>(this, path, install);
  list_.push_back(a);
  Store();
  return a;
}

void AddIns::Remove(const AddIn* a) {
  std::erase_if(list_, [a](const auto& p) {
    if (p.get() != a) return false;
    p->Detach();
    return true;
  });
  Store();
}

const DispatchTable& AddIns::Members() const {
  static const DispatchTable table =
      ClassTable<AddIns>("AddIns")
          .Collection()
          .Method("Add", [](AddIns& a,
                            Args& x) { return a.Add(x.Text(0), x.Opt(1, Variant(true)).ToBool()); })
          .Build();
  return table;
}

}  // namespace qv::word
