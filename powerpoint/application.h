#pragma once
// The presentation program, as its automation object model shows it: its add-in list, its own
// command bars (a "Menu Bar" whose "&Tools" menu has id 30007, "Standard", "Formatting"), its open
// presentations. What it keeps between runs lives in its profile folder (profile_store.h): an
// add-in added in one run is listed in the next, and the add-ins set to load automatically are
// loaded at start.

#include <memory>
#include <string>

#include "automation/class_factory.h"
#include "automation/dispatch.h"

namespace qv::office {
class CommandBars;
}

namespace qv::powerpoint {

class AddIn;
class AddIns;
class Presentations;

class Application : public automation::Dispatch {
 public:
  // Starts the program with its saved state. Raises AutomationError when that state is damaged
  // (the file is left untouched).
  static std::shared_ptr<Application> Create();
  Application();

  const automation::DispatchTable& Members() const override;

  std::shared_ptr<qv::powerpoint::AddIns> AddIns() const;
  std::shared_ptr<office::CommandBars> CommandBars() const;
  std::shared_ptr<qv::powerpoint::Presentations> Presentations() const;
  bool Visible() const;
  void SetVisible(bool value);
  // "9.0".
  std::string Version() const;
  // Closes the presentations, unloads the add-ins and saves the state. Every later call raises
  // -2147417848 (the program is gone); Quit itself may be called again.
  void Quit();
  bool HasQuit() const { return quit_; }

  // Writes the add-in list and command bars to the profile.
  void SaveState() const;
  // Adds the command bar entries the add-in file declares (nothing for a file that declares none).
  void RunAddIn(const AddIn& addIn);
  // Raises -2147417848 once the program has quit.
  void CheckRunning() const;

 private:
  std::shared_ptr<qv::powerpoint::AddIns> addIns_;
  std::shared_ptr<office::CommandBars> bars_;
  std::shared_ptr<qv::powerpoint::Presentations> presentations_;
  bool visible_ = false;
  bool quit_ = false;
  bool loading_ = false;  // while the saved state is read back, nothing is written
};

// Registers "PowerPoint.Application": the program runs once per user, so creating it while it
// runs gives the running one; after Quit a new one starts.
void RegisterClasses(automation::ClassFactory& factory);

// The program `app` refers to, for a call that needs it running: raises "object deleted" when it is
// gone and -2147417848 once it has quit.
std::shared_ptr<Application> RunningApplication(const std::weak_ptr<Application>& app);

}  // namespace qv::powerpoint
