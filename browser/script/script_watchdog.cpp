#include "browser/script/script_watchdog.h"

#include <duktape.h>
#include <link.h>
#include <sys/ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace qv::browser {

namespace {

using namespace std::chrono_literals;

// What the signal handler needs of the process, found once before the handler is installed and
// never changed after: the signal, and where the interpreter's code lies in memory.
struct Process {
  bool ok = false;
  int signal = 0;
  static constexpr int kMaxRanges = 4;
  uintptr_t begin[kMaxRanges] = {};
  uintptr_t end[kMaxRanges] = {};
  int ranges = 0;
};

// The clocks and guards of this thread. The signal handler reaches them here, the only way a
// handler can find the stack it interrupted; each thread has its own, so one thread's timer
// never touches another thread's engine.
struct ThreadScripts {
  ScriptClock* clocks = nullptr;
  StopGuard* innermost = nullptr;
  int nextId = 0;
};
thread_local ThreadScripts tScripts;

int CodeRanges(dl_phdr_info* info, size_t, void* data) {
  auto* process = static_cast<Process*>(data);
  const auto probe = reinterpret_cast<uintptr_t>(&duk_create_heap);
  bool mine = false;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& h = info->dlpi_phdr[i];
    const uintptr_t begin = info->dlpi_addr + h.p_vaddr;
    if (h.p_type == PT_LOAD && probe >= begin && probe < begin + h.p_memsz) mine = true;
  }
  if (!mine) return 0;
  for (int i = 0; i < info->dlpi_phnum && process->ranges < Process::kMaxRanges; ++i) {
    const ElfW(Phdr)& h = info->dlpi_phdr[i];
    if (h.p_type != PT_LOAD || !(h.p_flags & PF_X)) continue;
    process->begin[process->ranges] = info->dlpi_addr + h.p_vaddr;
    process->end[process->ranges] = info->dlpi_addr + h.p_vaddr + h.p_memsz;
    ++process->ranges;
  }
  return 1;
}

const Process& TheProcess();

void OnTimer(int, siginfo_t* info, void* context) {
  const int saved = errno;
  if (info->si_code == SI_TIMER) {
    for (ScriptClock* clock = tScripts.clocks; clock; clock = clock->Outer()) {
      if (clock->Id() == info->si_value.sival_int) {
        clock->OnSignal(context);
        break;
      }
    }
  }
  errno = saved;
}

Process MakeProcess() {
  Process process;
  dl_iterate_phdr(CodeRanges, &process);
  if (process.ranges == 0) return process;
  // A real-time signal nobody else in the process handles.
  for (int signal = SIGRTMIN + 4; signal <= SIGRTMAX; ++signal) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0) continue;
    if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_sigaction = OnTimer;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    if (::sigaction(signal, &action, nullptr) != 0) return process;
    process.signal = signal;
    process.ok = true;
    break;
  }
  return process;
}

const Process& TheProcess() {
  static const Process process = MakeProcess();
  return process;
}

bool InInterpreter(const void* context) {
  const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
  const auto pc = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
  const auto pc = static_cast<uintptr_t>(uc->uc_mcontext.pc);
#else
  const uintptr_t pc = 0;  // unknown machine: never jump, the clock's soft stop still works
#endif
  const Process& process = TheProcess();
  for (int i = 0; i < process.ranges; ++i)
    if (pc >= process.begin[i] && pc < process.end[i]) return true;
  return false;
}

}  // namespace

bool ScriptClock::Start(std::chrono::milliseconds limit, std::chrono::milliseconds grace) {
  Stop();
  up_ = false;
  forced_ = false;
  const Process& process = TheProcess();
  if (!process.ok) return false;
  ThreadScripts& thread = tScripts;
  id_ = ++thread.nextId;
  grace_ = std::max(grace, std::chrono::milliseconds(1));
  sigevent event{};
  event.sigev_notify = SIGEV_THREAD_ID;
  event.sigev_signo = process.signal;
  event.sigev_value.sival_int = id_;
  event._sigev_un._tid = ::gettid();
  if (::timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return false;
  outer_ = thread.clocks;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  thread.clocks = this;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  running_ = true;
  Arm(std::max(limit, std::chrono::milliseconds(1)));
  return true;
}

void ScriptClock::Stop() {
  if (!running_) return;
  running_ = false;
  ::timer_delete(timer_);
  ThreadScripts& thread = tScripts;
  for (ScriptClock** at = &thread.clocks; *at; at = &(*at)->outer_) {
    if (*at == this) {
      *at = outer_;
      break;
    }
  }
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void ScriptClock::Arm(std::chrono::nanoseconds after) {
  itimerspec when{};
  when.it_value.tv_sec = static_cast<time_t>(after.count() / 1000000000);
  when.it_value.tv_nsec = static_cast<long>(after.count() % 1000000000);
  ::timer_settime(timer_, 0, &when, nullptr);
}

void ScriptClock::OnSignal(const void* context) {
  if (!Up()) {
    up_ = true;
    Arm(grace_);
    return;
  }
  forced_ = true;
  StopGuard* guard = tScripts.innermost;
  // Our own code runs (a native, the host between calls): it stops the script when it returns.
  if (!guard || guard->clock != this || guard->inHost != 0) return;
  if (InInterpreter(context)) siglongjmp(guard->jump, 1);
  // In the C library or the arena on the interpreter's behalf: soon back in the interpreter.
  Arm(1ms);
}

StopGuard* InnermostGuard() {
  return tScripts.innermost;
}

void PushGuard(StopGuard& guard) {
  ThreadScripts& thread = tScripts;
  guard.outer = thread.innermost;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  thread.innermost = &guard;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void PopGuard(StopGuard& guard) {
  tScripts.innermost = guard.outer;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

}  // namespace qv::browser
