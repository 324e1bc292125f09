#pragma once
// Class WordInit of the installer: installs, unloads and uninstalls the word processor add-in.
// It drives the word processor by name through its automation interface, because the word
// processor it drives may run in another process: it attaches to the running one, or starts an
// invisible one of its own for the duration and quits it at release.
//
// Creation marks the installation as running (isInstalling = "true", on a re-installation); the
// destructor (release) quits a word processor started here and marks it finished.

#include <string>

#include "automation/dispatch.h"
#include "initializer/dclrs.h"

namespace qv::initializer {

class WordInit {
 public:
  explicit WordInit(const Dclrs& args);
  ~WordInit();
  WordInit(const WordInit&) = delete;
  WordInit& operator=(const WordInit&) = delete;

  bool LoadAddin();
  bool UnloadAddin();
  bool IsInContainer();
  void DisableWord();
  void EnableWord();

  const std::string& InstallDir() const { return installDir_; }
  bool CreatedWord() const { return createdWord_; }

 private:
  automation::ObjectRef GetWordApp();
  void Release();

  const Dclrs& args_;
  std::string installDir_;
  std::string toolbarTemplate_;
  std::string menusTemplate_;
  automation::ObjectRef wordApp_;
  bool createdWord_ = false;
};

}  // namespace qv::initializer
