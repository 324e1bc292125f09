#include "initializer/program/program_ui.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "platform/files.h"
#include "ui/scripted_driver.h"
#include "ui/terminal_driver.h"

namespace qv::initializer {

void RecordingDriver::Record(const ui::TranscriptEntry& entry) {
  lines_.push_back(entry.Line());
  inner_->Record(entry);
}

void RecordingDriver::DriveModal(ui::Form& form) {
  if (describe_) describe_(form, lines_);
  inner_->DriveModal(form);
}

ProgramUi::ProgramUi(std::string title, const std::string& argv0) {
  std::shared_ptr<ui::Driver> inner;
  if (::isatty(STDIN_FILENO))
    inner = std::make_shared<ui::TerminalDriver>(std::cin, std::cout);
  else
    inner = std::make_shared<ui::ScriptedDriver>();
  driver_ = std::make_shared<RecordingDriver>(std::move(inner));
  toolkit_ = std::make_unique<ui::Toolkit>(ui::App::ForProgram(std::move(title), argv0), driver_);
}

ProgramUi::~ProgramUi() {
  toolkit_.reset();  // forms still loaded are unloaded first; what they show is recorded
  const char* file = std::getenv("QUORVANTA_TRANSCRIPT");
  if (!file || !*file) return;
  std::string text;
  for (const auto& line : driver_->Lines())
    text += line + "\n";
  if (!platform::WriteFileAtomically(file, text))
    std::cerr << "cannot write the transcript to " << file << "\n";
}

}  // namespace qv::initializer
