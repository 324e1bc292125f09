#include "browser/windows/shell_application.h"

#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

int32_t ShellWindows::Count() const {
  auto desktop = desktop_.lock();
  return desktop ? static_cast<int32_t>(desktop->Windows().size()) : 0;
}

ObjectRef ShellWindows::Item(int32_t index) const {
  auto desktop = desktop_.lock();
  if (!desktop) return nullptr;
  auto windows = desktop->Windows();
  if (index < 0 || index >= static_cast<int32_t>(windows.size())) return nullptr;
  return windows[static_cast<size_t>(index)];
}

const automation::DispatchTable& ShellWindows::Members() const {
  static const auto table = ClassTable<ShellWindows>("IShellWindows").Collection().Build();
  return table;
}

const automation::DispatchTable& ShellApplication::Members() const {
  static const auto table =
      ClassTable<ShellApplication>("IShellDispatch")
          .Method("Windows",
                  [](ShellApplication& s, Args&) {
                    return Variant(std::static_pointer_cast<automation::Dispatch>(s.Windows()));
                  })
          .Build();
  return table;
}

}  // namespace qv::browser
