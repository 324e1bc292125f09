#pragma once
// Class PptInit of the installer: adds the product's presentation add-in file to the presentation
// program's add-in list and sets it to load automatically, or takes it off again (and, when
// uninstalling, deletes its toolbar and menu). The presentation program runs once per user:
// creating it attaches to a running one. One it had to start (or one without an open
// presentation, which counts the same) is quit at release.

#include <string>

#include "automation/class_factory.h"
#include "automation/dispatch.h"
#include "initializer/dclrs.h"

namespace qv::initializer {

class PptInit {
 public:
  // `factory` creates "PowerPoint.Application".
  PptInit(const Dclrs& args, const automation::ClassFactory& factory);
  ~PptInit();
  PptInit(const PptInit&) = delete;
  PptInit& operator=(const PptInit&) = delete;

  bool LoadAddin();
  void UnloadAddin();
  automation::ObjectRef GetPPTInst();

  const std::string& AddinPath() const { return addinPath_; }
  bool CreatedPpt() const { return createdPpt_; }

 private:
  const Dclrs& args_;
  const automation::ClassFactory& factory_;
  std::string addinFolder_;
  std::string addinPath_;
  automation::ObjectRef ppt_;
  bool createdPpt_ = true;
};

}  // namespace qv::initializer
