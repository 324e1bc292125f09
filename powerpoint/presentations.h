#pragma once
// The open presentations (counted from 1) and one presentation: as much as the installer needs to
// tell whether the user works with the program (it counts them).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::powerpoint {

class Presentations;

class Presentation : public automation::Dispatch {
 public:
  Presentation(std::weak_ptr<Presentations> list, std::string name, std::string fullName);

  const automation::DispatchTable& Members() const override;

  std::string Name() const;
  std::string FullName() const;
  // The folder of a presentation opened from a file ("" for a new one).
  std::string Path() const;
  // Closes it; later use raises 5825.
  void Close();

 private:
  friend class Presentations;
  void CheckOpen() const;

  std::weak_ptr<Presentations> list_;
  std::string name_;
  std::string fullName_;
  bool closed_ = false;
};

class Presentations : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  int32_t Count() const { return static_cast<int32_t>(open_.size()); }
  // By position from 1 or by name (without regard to case); 9 when there is none.
  std::shared_ptr<Presentation> Item(int32_t index) const;
  std::shared_ptr<Presentation> Item(const std::string& name) const;
  // A new, empty presentation ("Presentation1", "Presentation2", ...).
  std::shared_ptr<Presentation> Add();
  // Opens a presentation file; raises 53 when it does not exist.
  std::shared_ptr<Presentation> Open(const std::string& fileName);
  // Closes every presentation.
  void CloseAll();

 private:
  friend class Presentation;
  void Forget(const Presentation& p);

  std::vector<std::shared_ptr<Presentation>> open_;
  int32_t untitled_ = 0;
};

}  // namespace qv::powerpoint
