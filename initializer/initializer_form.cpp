#include "initializer/initializer_form.h"

#include <memory>

#include "initializer/dclrs.h"
#include "initializer/ppt_init.h"
#include "initializer/word_init.h"
#include "ui/msgbox.h"

namespace qv::initializer {

Initializer::Initializer(std::string commandLine, const automation::ClassFactory& factory)
    : Form("Initializer"), commandLine_(std::move(commandLine)), factory_(factory) {
  Caption("Initializer");
  OnLoad = [this] { Form_Load(); };
}

void Initializer::ShowUsage() {
  ui::MsgBox(UsageText(), ui::vbOKOnly);
}

void Initializer::Form_Load() {
  if (commandLine_.empty() || commandLine_.front() != '-') {
    ShowUsage();
    Unload();
    return;
  }
  Dclrs args;
  if (!ParseArgs(commandLine_, args)) {
    ShowUsage();
    Unload();
    return;
  }
  // The results are not used: the external setup reads isInstallOK.
  std::unique_ptr<PptInit> ppt;
  std::unique_ptr<WordInit> word;
  if (args.prog == "-p") {
    ppt = std::make_unique<PptInit>(args, factory_);
    if (args.uninstall || args.unloadOnly)
      ppt->UnloadAddin();
    else
      (void)ppt->LoadAddin();
  } else if (args.prog == "-w") {
    word = std::make_unique<WordInit>(args);
    if (args.uninstall || args.unloadOnly)
      (void)word->UnloadAddin();
    else
      (void)word->LoadAddin();
  }
  // Release: a program started here is quit now.
  ppt.reset();
  word.reset();
  Unload();
}

}  // namespace qv::initializer
