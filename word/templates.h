#pragma once
// Templates the application knows: the Normal template (where command bar customizations are
// kept, in the word processor's profile) and the global templates of the add-in list.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::word {

class Template : public automation::Dispatch {
 public:
  // `save` writes the template's content; it is called by Save.
  Template(std::filesystem::path file, std::function<void()> save)
      : file_(std::move(file)), save_(std::move(save)) {}
  const automation::DispatchTable& Members() const override;
  std::string Name() const { return file_.filename().string(); }
  std::string Path() const { return file_.parent_path().string(); }
  std::string FullName() const { return file_.string(); }
  const std::filesystem::path& File() const { return file_; }
  bool Saved() const { return saved_; }
  void SetSaved(bool v) { saved_ = v; }
  void Save();
  // The owner is going away: Save no longer writes anything.
  void Forget() { save_ = nullptr; }

 private:
  std::filesystem::path file_;
  std::function<void()> save_;
  bool saved_ = true;
};

class AddIns;

// A template in the add-in list; while installed it is a loaded global template.
class AddIn : public automation::Dispatch {
 public:
  AddIn(AddIns* owner, std::filesystem::path file, bool installed)
      : owner_(owner), file_(std::move(file)), installed_(installed) {}
  const automation::DispatchTable& Members() const override;
  std::string Name() const { return file_.filename().string(); }
  std::string Path() const { return file_.parent_path().string(); }
  std::string FullName() const { return file_.string(); }
  bool Installed() const;
  void SetInstalled(bool v);
  void Delete();
  bool Deleted() const { return owner_ == nullptr; }
  void Detach() { owner_ = nullptr; }

 private:
  void Check() const;
  AddIns* owner_;
  std::filesystem::path file_;
  bool installed_;
};

// The add-in list, kept in the word processor's profile ("AddIns.json"), so that templates added
// in one run are there in the next.
class AddIns : public automation::Dispatch {
 public:
  explicit AddIns(std::filesystem::path store);
  ~AddIns() override;
  const automation::DispatchTable& Members() const override;
  int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  // By index from 1 or by name (the file name, or the full path).
  std::shared_ptr<AddIn> Item(const automation::Variant& index) const;
  // Adds a template file as a global template; the file must exist. `install` defaults to true.
  // A template already in the list is returned as it is (installed when asked).
  std::shared_ptr<AddIn> Add(const std::string& fileName, bool install = true);
  void Remove(const AddIn* a);
  // Writes the list to the profile (atomically).
  void Store() const;
  const std::vector<std::shared_ptr<AddIn>>& List() const { return list_; }

 private:
  void Load();
  std::filesystem::path store_;
  std::vector<std::shared_ptr<AddIn>> list_;
};

}  // namespace qv::word
