#pragma once
// The forms toolkit of a small program (the installer, the web page viewer): App with the
// program's title, and who plays the user: a person at the terminal when standard input is one,
// otherwise nobody (every message box takes its default button, every modal window is closed by
// its close box), so that an unattended setup never waits.
//
// When the environment variable QUORVANTA_TRANSCRIPT names a file, everything the user saw is
// written there when the program ends, one entry a line (ui/transcript.h), replacing the file
// atomically: that is how tests read the usage message or a window's caption.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/driver.h"
#include "ui/toolkit.h"

namespace qv::initializer {

// Plays the user through another driver and keeps the lines of what was seen.
class RecordingDriver : public ui::Driver {
 public:
  explicit RecordingDriver(std::shared_ptr<ui::Driver> inner) : inner_(std::move(inner)) {}

  int32_t MessageBox(const ui::MessageBoxRequest& r) override { return inner_->MessageBox(r); }
  ui::FileDialogAnswer FileDialog(const ui::FileDialogRequest& r) override {
    return inner_->FileDialog(r);
  }
  void DriveModal(ui::Form& form) override;
  void ShownModeless(ui::Form& form) override { inner_->ShownModeless(form); }
  void Idle() override { inner_->Idle(); }
  void Record(const ui::TranscriptEntry& entry) override;

  const std::vector<std::string>& Lines() const { return lines_; }
  // Adds lines about a modal window as it is shown (what its controls show that the toolkit does
  // not record, such as the page in a browser control).
  void DescribeModal(std::function<void(ui::Form&, std::vector<std::string>&)> describe) {
    describe_ = std::move(describe);
  }

 private:
  std::function<void(ui::Form&, std::vector<std::string>&)> describe_;
  std::shared_ptr<ui::Driver> inner_;
  std::vector<std::string> lines_;
};

class ProgramUi {
 public:
  ProgramUi(std::string title, const std::string& argv0);
  // Writes the transcript when asked for.
  ~ProgramUi();
  ProgramUi(const ProgramUi&) = delete;
  ProgramUi& operator=(const ProgramUi&) = delete;

  ui::Toolkit& Toolkit() { return *toolkit_; }
  const std::vector<std::string>& Lines() const { return driver_->Lines(); }
  RecordingDriver& Recorder() { return *driver_; }

 private:
  std::shared_ptr<RecordingDriver> driver_;
  std::unique_ptr<ui::Toolkit> toolkit_;
};

}  // namespace qv::initializer
