#pragma once
// The stand-alone browser windows of this program: the list the shell's window list shows.
// Windows are added when made (by the browser application object, the browser program started
// through the shell, or window.open of a page) and leave when they quit. Windows of other
// programs are not seen.
//
// The host keeps one such list for the whole desktop; Shared() is that list for this process.
// Tests make desktops of their own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "platform/windows.h"

namespace qv::browser {

class BrowserWindow;
class HTMLWindow;

class BrowserDesktop : public std::enable_shared_from_this<BrowserDesktop> {
 public:
  static std::shared_ptr<BrowserDesktop> Shared();

  // A new window, not yet visible, showing nothing.
  std::shared_ptr<BrowserWindow> NewWindow();
  // The open windows, in the order they were opened.
  std::vector<std::shared_ptr<BrowserWindow>> Windows() const { return windows_; }
  // window.open of a page: the open window of that name shows `url` (an empty `url` leaves its
  // page), or a new visible window does. Returns the window's page window.
  std::shared_ptr<HTMLWindow> OpenFromScript(const std::string& url, const std::string& name,
                                             const std::string& features);
  // The open window with that handle, or nullptr.
  std::shared_ptr<BrowserWindow> FindByHandle(int64_t handle) const;
  // Takes a window that quit off the list.
  void Remove(const BrowserWindow* window);
  // Quits every window.
  void CloseAll();
  int64_t NewHandle() { return platform::NewWindowHandle(); }

 private:
  std::vector<std::shared_ptr<BrowserWindow>> windows_;
};

}  // namespace qv::browser
