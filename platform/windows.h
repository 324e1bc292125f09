#pragma once
// The window functions programs use on each other's top-level windows: showing a window by its
// handle (minimised, restored, ...), as the host's ShowWindow does. Each kind of window (word
// processor windows, browser windows, forms) registers its handles with a function that carries
// out the show command.

#include <cstdint>
#include <functional>

namespace qv::platform {

// The host's show commands.
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t SW_SHOWMINIMIZED = 2;
inline constexpr int32_t SW_SHOWMAXIMIZED = 3;
inline constexpr int32_t SW_SHOW = 5;
inline constexpr int32_t SW_MINIMIZE = 6;
inline constexpr int32_t SW_RESTORE = 9;

using ShowFunction = std::function<void(int32_t command)>;

// A new window handle, unique among every window of the process (word processor windows, browser
// windows, forms), as the desktop hands them out.
int64_t NewWindowHandle();

// Registers the window `hwnd`; a later registration of the same handle replaces the earlier.
void RegisterWindow(int64_t hwnd, ShowFunction show);
void UnregisterWindow(int64_t hwnd);
// Carries out `command` on the window; false when no window has that handle.
bool ShowWindow(int64_t hwnd, int32_t command);

}  // namespace qv::platform
