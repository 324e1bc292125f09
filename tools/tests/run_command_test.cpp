// quorvanta run takes its script from any readable stream, not only from a regular file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
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
  std::thread writer([&] { std::ofstream(fifo) << "print('from ' + 'a pipe');"; });
  const auto o = testing::RunProgram(bin, {"run", fifo.string()}, profile.Dir());
  writer.join();
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "from a pipe\n");
}

}  // namespace
}  // namespace qv::tools
