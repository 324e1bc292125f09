#pragma once
// One add-in file in the presentation program's add-in list. Loading it runs what the file
// declares: the command bar entries it adds (see addin_file.h). AutoLoad and Registered are kept
// between runs; an add-in with AutoLoad is loaded when the program starts.

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::powerpoint {

class Application;

class AddIn : public automation::Dispatch {
 public:
  AddIn(std::weak_ptr<Application> app, std::string fullName);

  const automation::DispatchTable& Members() const override;

  // The file name without its extension ("rvuppt").
  std::string Name() const;
  // The file's folder, without a trailing separator.
  std::string Path() const;
  const std::string& FullName() const { return fullName_; }
  bool AutoLoad() const { return autoLoad_; }
  void SetAutoLoad(bool value);
  bool Loaded() const { return loaded_; }
  // Loading reads the file (raises 53 when it is gone) and adds its command bar entries.
  void SetLoaded(bool value);
  bool Registered() const { return registered_; }
  void SetRegistered(bool value);

 private:
  friend class AddIns;
  friend class Application;
  void CheckListed() const;

  std::weak_ptr<Application> app_;
  std::string fullName_;
  bool autoLoad_ = false;
  bool loaded_ = false;
  bool registered_ = false;
  bool removed_ = false;
};

}  // namespace qv::powerpoint
