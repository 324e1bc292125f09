#include "platform/windows.h"

#include <atomic>
#include <map>

namespace qv::platform {
namespace {

// The desktop's table of top-level windows, one per process as on the host.
// It outlives every window: windows held by other static objects unregister
// themselves while the process exits, after ordinary statics are gone.
std::map<int64_t, ShowFunction>& Windows() {
  static auto* const windows = new std::map<int64_t, ShowFunction>;
  return *windows;
}

}  // namespace

int64_t NewWindowHandle() {
  static std::atomic<int64_t> last{0x10000};
  return last += 4;
}

void RegisterWindow(int64_t hwnd, ShowFunction show) {
  Windows()[hwnd] = std::move(show);
}

void UnregisterWindow(int64_t hwnd) {
  Windows().erase(hwnd);
}

bool ShowWindow(int64_t hwnd, int32_t command) {
  const auto it = Windows().find(hwnd);
  if (it == Windows().end()) return false;
  // Copy first: the window may unregister itself while it carries out the command.
  ShowFunction show = it->second;
  show(command);
  return true;
}

}  // namespace qv::platform
