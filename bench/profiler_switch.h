#pragma once
// Turns a profiler started by scripts/bench.sh --perf on for the timed parts of the benchmark only,
// so that a profile shows the operation measured and not the untimed building, opening and saving
// of the documents around it.
//
// The profiler (`perf record --control fifo:CTL,ACK --delay=-1`) starts paused and listens on
// two named pipes; BENCH_PERF_CONTROL=CTL,ACK names them here. Under valgrind's callgrind started
// with `--collect-atstart=no`, the switch turns its collection on and off the same way, so the
// instructions counted are those of the timed parts alone. Otherwise every call does nothing.

#include <cstdlib>
#include <fstream>
#include <string>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define QV_BENCH_TOGGLE_CALLGRIND() CALLGRIND_TOGGLE_COLLECT
#else
#define QV_BENCH_TOGGLE_CALLGRIND()
#endif

namespace qv::bench {

class ProfilerSwitch {
 public:
  ProfilerSwitch() {
    const char* pipes = std::getenv("BENCH_PERF_CONTROL");
    if (!pipes) return;
    const std::string s(pipes);
    const auto comma = s.find(',');
    if (comma == std::string::npos) return;
    control_ = s.substr(0, comma);
    ack_ = s.substr(comma + 1);
  }

  void On() {
    QV_BENCH_TOGGLE_CALLGRIND();
    Send("enable");
  }
  void Off() {
    Send("disable");
    QV_BENCH_TOGGLE_CALLGRIND();
  }

 private:
  // Each command waits for the profiler's acknowledgement, so nothing before it is recorded and
  // nothing after it is missed.
  void Send(const char* command) {
    if (control_.empty()) return;
    {
      std::ofstream out(control_);
      out << command << '\n';
    }
    std::ifstream in(ack_);
    std::string reply;
    std::getline(in, reply);
  }

  std::string control_;
  std::string ack_;
};

// The profiler is on while it lives.
class Profiled {
 public:
  explicit Profiled(ProfilerSwitch& s) : s_(s) { s_.On(); }
  ~Profiled() { s_.Off(); }
  Profiled(const Profiled&) = delete;
  Profiled& operator=(const Profiled&) = delete;

 private:
  ProfilerSwitch& s_;
};

}  // namespace qv::bench
