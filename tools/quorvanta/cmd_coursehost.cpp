// quorvanta coursehost [--port N] [--dir DIR] [--version N] [--answer TEXT] [--map]
//
// Runs the local course host in the foreground until SIGINT or SIGTERM. The first line of output
// is "listening on 127.0.0.1:PORT", so that a caller that asked for any free port can read which
// one it got; after it, one line per answered request. With --map the deployment's course host
// name points at this port (the profile's hosts file) while it runs.

#include <signal.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"
#include "tools/lib/coursehost/course_host.h"
#include "tools/quorvanta/commands.h"

namespace qv::tools {
namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: quorvanta coursehost [--port N] [--dir DIR] [--version N] "
               "[--answer TEXT] [--map]\n");
  return 2;
}

std::optional<int> Number(const std::string& text, int min, int max) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

// True when the hosts file still sends the course host name to `port`: only then is the entry
// ours to remove.
bool StillMappedTo(uint16_t port) {
  for (const auto& m : platform::ReadHostsFile()) {
    if (m.name == online::kDefaultCourseHost) return m.port == port && m.host == "127.0.0.1";
  }
  return false;
}

}  // namespace

int CourseHostCommand(const CommandArgs& args) {
  CourseHostOptions options;
  bool map = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--map") {
      map = true;
    } else if (a == "--port" && hasValue) {
      const auto port = Number(args[++i], 0, 65535);
      if (!port) return Usage();
      options.port = static_cast<uint16_t>(*port);
    } else if (a == "--dir" && hasValue) {
      options.reportDir = args[++i];
    } else if (a == "--version" && hasValue) {
      const auto version = Number(args[++i], 0, 1 << 30);
      if (!version) return Usage();
      options.version = *version;
    } else if (a == "--answer" && hasValue) {
      options.versionAnswer = args[++i];
    } else {
      return Usage();
    }
  }
  options.onRequest = [](const RequestRecord& r) {
    std::printf("%s %s%s%s %d\n", r.method.empty() ? "-" : r.method.c_str(), r.path.c_str(),
                r.query.empty() ? "" : "?", r.query.c_str(), r.status);
    std::fflush(stdout);
  };

  // The signals are taken by this thread alone: blocked before the server's threads start (they
  // inherit the mask) and then waited for.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  CourseHost host(options);
  host.Start();
  if (map && !platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host.Port())) {
    std::fprintf(stderr, "quorvanta coursehost: cannot write the hosts file\n");
    return 1;
  }
  std::printf("listening on 127.0.0.1:%u\n", static_cast<unsigned>(host.Port()));
  std::fflush(stdout);

  int signal = 0;
  while (sigwait(&stopSignals, &signal) != 0) {
  }
  host.Stop();
  if (map && StillMappedTo(host.Port()) && !platform::UnmapHost(online::kDefaultCourseHost)) {
    std::fprintf(stderr, "quorvanta coursehost: cannot remove the hosts file entry\n");
  }
  return 0;
}

}  // namespace qv::tools
