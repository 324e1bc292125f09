#include "platform/process/spawn.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/files.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

TEST(SpawnTest, ExitCodesComeBackAndArgumentsArriveAsGiven) {
  EXPECT_EQ(WaitForExit(SpawnProgram("/bin/true", {})), 0);
  EXPECT_EQ(WaitForExit(SpawnProgram("/bin/false", {})), 1);

  // An argument with blanks, quotes and shell characters reaches the program as one argument.
  qv::testing::TempProfile profile;
  SpawnOptions options;
  options.outFile = profile.Dir() / "out.txt";
  const std::string tricky = "\"/opt/base dir/\" $(echo no) ; *";
  EXPECT_EQ(WaitForExit(SpawnProgram("/bin/echo", {tricky}, options)), 0);
  EXPECT_EQ(ReadWholeFile(options.outFile).value_or(""), tricky + "\n");
}

TEST(SpawnTest, AProgramThatCannotStartIsAClearError) {
  try {
    (void)SpawnProgram("/nonexistent/program", {});
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/program"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace qv::platform
