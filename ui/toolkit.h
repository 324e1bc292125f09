#pragma once
// The forms toolkit of one program: its App and Screen, its forms collection (the loaded forms),
// its driver (who plays the user), and its message queue (DoEvents).
//
// The host defines these once per process, so there is one toolkit per program: the program
// makes a Toolkit at its start (a test makes one per test) and that object is the current
// toolkit (Toolkit::Current) until it is destroyed; the previous one is current again then
// (toolkits made one inside another's lifetime end in the reverse order).
// Forms, message boxes and file dialogs use the current toolkit. Where no toolkit was made,
// Current gives a fallback with an empty App and a scripted driver without handlers, so that an
// unattended program never waits for a person: every message box takes its default button and
// every modal form is closed by its close box.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>
#include "platform/windows.h"

#include "ui/app.h"
#include "ui/driver.h"
#include "ui/form.h"

namespace qv::ui {

class Toolkit {
 public:
  // Makes this toolkit the current one. Without a driver the scripted driver is used.
  explicit Toolkit(ui::App app = {}, std::shared_ptr<ui::Driver> driver = nullptr);
  // Unloads the forms still loaded (without their events, as at the end of the program) and
  // makes the previous toolkit current again.
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  static Toolkit& Current();

  ui::App& App() { return *app_; }
  std::shared_ptr<ui::App> AppObject() const { return app_; }
  ui::Screen& Screen() { return *screen_; }
  std::shared_ptr<ui::Screen> ScreenObject() const { return screen_; }

  ui::Driver& Driver() { return *driver_; }
  std::shared_ptr<ui::Driver> DriverObject() const { return driver_; }
  void SetDriver(std::shared_ptr<ui::Driver> driver);

  // The loaded forms, in the order they were loaded.
  const std::vector<FormRef>& Forms() const { return forms_; }
  // The number of loaded forms.
  int32_t FormCount() const { return static_cast<int32_t>(forms_.size()); }
  // The loaded form of that name (without regard to case), the most recently loaded first.
  FormRef FindForm(const std::string& name) const;

  // Queues work for the message loop (an event the window system delivers later).
  void Post(std::function<void()> work);
  // Runs the work queued so far (and what it queues in turn, up to a bound, so that a handler
  // that keeps posting cannot hang the caller), then gives the driver a turn. Returns the number
  // of loaded forms, as the host's DoEvents does.
  int32_t DoEvents();
  // The depth of nested modal loops now running.
  int32_t ModalDepth() const { return modalDepth_; }

  // A new window handle.
  int64_t NewHandle() { return platform::NewWindowHandle(); }

  // ---- used by forms ----
  void FormLoaded(FormRef form);
  void FormUnloaded(const Form& form);
  void Record(const TranscriptEntry& entry) { driver_->Record(entry); }
  void EnterModal() { ++modalDepth_; }
  void LeaveModal() { --modalDepth_; }

 private:
  std::shared_ptr<ui::App> app_;
  std::shared_ptr<ui::Screen> screen_;
  std::shared_ptr<ui::Driver> driver_;
  std::vector<FormRef> forms_;
  std::deque<std::function<void()>> queue_;
  int32_t modalDepth_ = 0;
  Toolkit* previous_ = nullptr;
};

// The host's DoEvents on the current toolkit.
int32_t DoEvents();

}  // namespace qv::ui
