// The served word processor (`quorvanta word`) knows the browser program: the add-in's browser
// commands open their windows in its process, which fetch their pages from the course host.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "automation/dispatch.h"
#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"
#include "platform/testing/word_process.h"
#include "tools/lib/coursehost/course_host.h"
#include "word/rot/running_word.h"

namespace qv::tools {
namespace {

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Variant;

// Whether the course host was asked for `path` within a few seconds.
bool Fetched(const CourseHost& host, const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    for (const auto& r : host.Requests())
      if (r.method == "GET" && r.path == path) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(WordCommand, TheAddinsBrowserCommandsOpenTheirWindowsInItsProcess) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  qv::testing::TempProfile profile;
  const auto setup = qv::testing::RunProgram(bin, {"setup"}, profile.Dir());
  ASSERT_EQ(setup.exitCode, 0) << setup.out << setup.err;
  CourseHost host{CourseHostOptions{}};
  host.Start();
  ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host.Port()));

  {
    qv::testing::WordProcess process(bin, word::RunningWordSocketPath());
    ObjectRef app = word::AttachRunningWordProcessor();
    ASSERT_TRUE(app);
    const ObjectRef toolbar =
        Call(Get(app, "CommandBars").ToObject(), "Item", {Variant("Quorvanta")}).ToObject();
    const ObjectRef controls = Get(toolbar, "Controls").ToObject();
    auto click = [&](const char* caption) {
      Call(Call(controls, "Item", {Variant(caption)}).ToObject(), "Execute");
    };
    click("Web Tutorial");
    EXPECT_TRUE(Fetched(host, "/Files/02/pages/help/tutorials.asp"));
    click("Add to Course");  // no document open: only the portal, the host's own address
    EXPECT_TRUE(Fetched(host, "/"));
    app.reset();
    EXPECT_EQ(process.Stop(), 0);
  }
  (void)platform::UnmapHost(online::kDefaultCourseHost);
}

}  // namespace
}  // namespace qv::tools
