#pragma once
// Time bounds of a page's scripts, whatever they run (loops made by eval or new Function, regular
// expressions that backtrack for ever, slow bodies).
//
// Each entry from the host into a script engine (a script block, an event, a timer) starts the
// engine's ScriptClock on the calling thread: a timer of that thread (a real-time signal aimed at
// the thread, CLOCK_MONOTONIC). When the time limit passes, the clock is "up": the loop guard and
// every native function of the bindings throw the stop error at their next turn, which unwinds the
// script cleanly and keeps the engine. A script that does not reach one of those points within
// the grace time after the limit (a loop built at run time, a regular expression) is stopped by
// force: the signal's handler jumps out of the interpreter to the innermost StopGuard of that
// engine, and the engine's heap is abandoned (ScriptArena frees it whole). The jump is taken only
// where it skips nothing but interpreter frames: the interrupted instruction lies in the
// interpreter's own code (not in the C library, where a lock may be held, nor in the arena) and no
// native function of ours is running under the guard. Elsewhere the handler tries again a
// millisecond later (inside the C library or the arena, called by the interpreter) or leaves the
// stop to the native's trampoline, which jumps once the native's own scope has ended.

#include <setjmp.h>
#include <signal.h>
#include <time.h>

#include <atomic>
#include <chrono>

namespace qv::browser {

class ScriptClock {
 public:
  ScriptClock() = default;
  ~ScriptClock() { Stop(); }
  ScriptClock(const ScriptClock&) = delete;
  ScriptClock& operator=(const ScriptClock&) = delete;

  // Starts a stretch of script time on the calling thread: up after `limit`, stopped by force
  // `grace` later. False when the thread's timer could not be made (the scripts then run without
  // a bound, as the interpreter alone would).
  bool Start(std::chrono::milliseconds limit, std::chrono::milliseconds grace);
  // Ends the stretch; a signal still on its way is ignored.
  void Stop();
  // Past the limit: scripts stop at their next loop turn or native call.
  bool Up() const { return up_.load(std::memory_order_relaxed); }
  // Past the grace time as well: the engine is abandoned at the first safe instruction.
  bool Forced() const { return forced_.load(std::memory_order_relaxed); }

  // ---- for the signal handler ----
  int Id() const { return id_; }
  ScriptClock* Outer() const { return outer_; }
  void OnSignal(const void* context);

 private:
  void Arm(std::chrono::nanoseconds after);

  std::atomic<bool> up_{false};
  std::atomic<bool> forced_{false};
  bool running_ = false;
  timer_t timer_{};
  int id_ = 0;
  std::chrono::milliseconds grace_{0};
  ScriptClock* outer_ = nullptr;
};

// A point the interpreter may be left by force: set up (sigsetjmp on `jump`) by the engine around
// every call into the interpreter, the outermost and each nested one.
struct StopGuard {
  sigjmp_buf jump;
  StopGuard* outer = nullptr;
  const void* engine = nullptr;
  ScriptClock* clock = nullptr;
  // Above zero while our own code runs under this guard (a native function, or the host between
  // interpreter calls): the guard must not be jumped to then.
  volatile sig_atomic_t inHost = 0;
};

// The thread's innermost guard, or nullptr.
StopGuard* InnermostGuard();
void PushGuard(StopGuard& guard);
void PopGuard(StopGuard& guard);

}  // namespace qv::browser
