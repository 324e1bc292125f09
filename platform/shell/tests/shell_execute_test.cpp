#include "platform/shell/shell_execute.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

class ShellOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("QUORVANTA_DESKTOP_BROWSER");
    programs_.Register("iexplore.exe", [this](const ShellRequest& r) {
      seen_.push_back(r);
      return shell::kSuccess;
    });
  }
  void TearDown() override { ::unsetenv("QUORVANTA_DESKTOP_BROWSER"); }

  qv::testing::TempProfile profile_;
  ShellPrograms programs_;
  std::vector<ShellRequest> seen_;
};

TEST_F(ShellOpen, ProgramsAreFoundByFileNameWithoutRegardToCase) {
  struct Case {
    const char* verb;
    const char* file;
    const char* parameters;
    int32_t result;
    const char* parametersSeen;  // nullptr: the program is not called
  };
  const Case cases[] = {
      {"Open", "iexplore.exe", "http://host/a?b=1", shell::kSuccess, "http://host/a?b=1"},
      {"open", "C:\\Program Files\\Browser\\IEXPLORE.EXE", "x", shell::kSuccess, "x"},
      {"", "/usr/lib/iexplore.exe", "", shell::kSuccess, ""},
      {"Open", "http://host/page.htm", "", shell::kSuccess, "http://host/page.htm"},
      {"print", "iexplore.exe", "x", shell::kNoAssociation, nullptr},
      {"Open", "", "x", shell::kFileNotFound, nullptr},
      {"Open", "notepad.exe", "x", shell::kFileNotFound, nullptr},
  };
  for (const auto& c : cases) {
    seen_.clear();
    EXPECT_EQ(ShellExecute(programs_, {c.verb, c.file, c.parameters, "", shell::kShowNormal}),
              c.result)
        << c.file;
    if (c.parametersSeen) {
      ASSERT_EQ(seen_.size(), 1u) << c.file;
      EXPECT_EQ(seen_[0].parameters, c.parametersSeen);
      EXPECT_EQ(seen_[0].showCommand, shell::kShowNormal);
    } else {
      EXPECT_TRUE(seen_.empty()) << c.file;
    }
  }
}

TEST_F(ShellOpen, ParametersReadAsTheProgramsOneArgument) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"http://a/b", "http://a/b"}, {"  \"http://a/b c\" ", "http://a/b c"}, {"\"", "\""}, {"", ""},
      {"say \"x\"", "say \"x\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CommandLineArgument(c.in), c.out) << c.in;
}

TEST_F(ShellOpen, ConfiguredDesktopBrowserGetsTheParameterAsOneArgumentWithoutAShell) {
  // A parameter that a command shell would split and run; the program must get it verbatim.
  const auto target = profile_.Dir() / "page; touch injected";
  ::setenv("QUORVANTA_DESKTOP_BROWSER", "touch", 1);
  EXPECT_GT(ShellExecute(programs_, {"Open", "iexplore.exe", target.string(), "", 1}), 32);
  EXPECT_TRUE(seen_.empty());
  for (int i = 0; i < 500 && !std::filesystem::exists(target); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_FALSE(std::filesystem::exists("injected"));
  EXPECT_FALSE(std::filesystem::exists(profile_.Dir() / "injected"));

  ::setenv("QUORVANTA_DESKTOP_BROWSER", "/nonexistent/browser", 1);
  EXPECT_EQ(ShellExecute(programs_, {"Open", "iexplore.exe", "x", "", 1}), shell::kFileNotFound);
}

}  // namespace
}  // namespace qv::platform
