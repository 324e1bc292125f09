#pragma once
// The shell's application object ("Shell.Application") as far as browser windows go: Windows()
// gives the shell's list of open browser windows. The list is live: its Count and items follow
// windows as they open and quit. Items are counted from 0, as the host's list counts them.

#include <memory>

#include "automation/dispatch.h"

namespace qv::browser {

class BrowserDesktop;

class ShellWindows final : public automation::Dispatch {
 public:
  explicit ShellWindows(std::weak_ptr<BrowserDesktop> desktop) : desktop_(std::move(desktop)) {}
  const automation::DispatchTable& Members() const override;
  std::string TypeName() const override { return "IShellWindows"; }

  int32_t Count() const;
  // The window at `index` (the first when no index is given), or a null object past the end.
  automation::ObjectRef Item(int32_t index = 0) const;

 private:
  std::weak_ptr<BrowserDesktop> desktop_;
};

class ShellApplication final : public automation::Dispatch {
 public:
  explicit ShellApplication(std::weak_ptr<BrowserDesktop> desktop) : desktop_(std::move(desktop)) {}
  const automation::DispatchTable& Members() const override;
  std::string TypeName() const override { return "IShellDispatch"; }

  std::shared_ptr<ShellWindows> Windows() const { return std::make_shared<ShellWindows>(desktop_); }

 private:
  std::weak_ptr<BrowserDesktop> desktop_;
};

}  // namespace qv::browser
