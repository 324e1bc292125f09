#pragma once
// The presentation program's add-in list, counted from 1. Item takes an index or a name (the file
// name without extension, without regard to case, or the full path).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::powerpoint {

class AddIn;
class Application;

class AddIns : public automation::Dispatch {
 public:
  explicit AddIns(std::weak_ptr<Application> app);

  const automation::DispatchTable& Members() const override;

  int32_t Count() const;
  // Raise 9 "Subscript out of range" when there is no such add-in.
  std::shared_ptr<AddIn> Item(int32_t index) const;
  std::shared_ptr<AddIn> Item(const std::string& name) const;
  // Adds an add-in file to the list (not loaded) and keeps the list. The file must exist (53
  // otherwise). A file already listed under its name gives that entry, now at the new path.
  std::shared_ptr<AddIn> Add(const std::string& fileName);
  // Unloads and takes an add-in off the list; later use of a held reference raises 5825.
  void Remove(int32_t index);
  void Remove(const std::string& name);
  std::vector<std::shared_ptr<AddIn>> All() const { return addIns_; }

 private:
  friend class Application;
  void RemoveAt(size_t pos);

  std::weak_ptr<Application> app_;
  std::vector<std::shared_ptr<AddIn>> addIns_;
};

}  // namespace qv::powerpoint
