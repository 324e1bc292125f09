// quorvanta run takes its script from any readable stream, not only from a regular file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"

namespace qv::tools {
namespace {

TEST(RunCommand, AScriptFromAPipeRuns) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  testing::TempProfile profile;
  const auto fifo = profile.Dir() / "script.js";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // The script goes in once the program opens the pipe; a program that never does (it failed to
  // start) must not leave the test waiting for a reader.
  std::thread writer([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int fd = -1;
    while ((fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (fd < 0) return;
    const std::string script = "print('from ' + 'a pipe');";
    EXPECT_EQ(::write(fd, script.data(), script.size()), static_cast<ssize_t>(script.size()));
    ::close(fd);
  });
  const auto o = testing::RunProgram(bin, {"run", fifo.string()}, profile.Dir());
  writer.join();
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "from a pipe\n");
}

}  // namespace
}  // namespace qv::tools
