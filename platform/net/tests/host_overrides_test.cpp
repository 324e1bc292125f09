#include "platform/net/host_overrides.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

TEST(HostOverrides, ParsesTargets) {
  struct Case {
    const char* target;
    const char* host;  // nullptr: malformed
    int port;          // 0: none given
  };
  const Case cases[] = {
      {"127.0.0.1:8080", "127.0.0.1", 8080},
      {"localhost", "localhost", 0},
      {"[::1]:81", "::1", 81},
      {"[::1]", "::1", 0},
      {"host:0", nullptr, 0},
      {"host:70000", nullptr, 0},
      {"host:", nullptr, 0},
      {":80", nullptr, 0},
      {"a b", nullptr, 0},
      {"[::1]x", nullptr, 0},
  };
  for (const auto& c : cases) {
    const auto m = ParseHostTarget("name", c.target);
    ASSERT_EQ(m.has_value(), c.host != nullptr) << c.target;
    if (!m) continue;
    EXPECT_EQ(m->host, c.host) << c.target;
    EXPECT_EQ(m->port.value_or(0), c.port) << c.target;
  }
}

TEST(HostOverrides, EnvironmentWinsOverTheFileAndNamesIgnoreCase) {
  testing::TempProfile profile;
  ASSERT_TRUE(WriteFileAtomically(HostsFilePath(),
                                  "# local course host\n"
                                  "Courses.Example 127.0.0.1:9000\n"
                                  "garbage-line\n"
                                  "other.example 10.0.0.1 # keeps the caller's port\n"));
  EXPECT_EQ(ApplyHostOverrides("courses.example", 80).port, 9000);
  EXPECT_EQ(ApplyHostOverrides("other.example", 8080).host, "10.0.0.1");
  EXPECT_EQ(ApplyHostOverrides("other.example", 8080).port, 8080);
  EXPECT_EQ(ApplyHostOverrides("unmapped.example", 80).host, "unmapped.example");

  ::setenv("QUORVANTA_HOSTS", " bad , courses.example=127.0.0.2:9001,x=y:1", 1);
  const auto e = ApplyHostOverrides("COURSES.EXAMPLE", 80);
  ::unsetenv("QUORVANTA_HOSTS");
  EXPECT_EQ(e.host, "127.0.0.2");
  EXPECT_EQ(e.port, 9001);
}

TEST(HostOverrides, MappingReplacesOneEntryAndKeepsEverythingElse) {
  testing::TempProfile profile;
  ASSERT_TRUE(WriteFileAtomically(HostsFilePath(), "# mine\nkeep.example 1.2.3.4:5\n"));
  ASSERT_TRUE(MapHost("courses.example", "127.0.0.1", 9000));
  ASSERT_TRUE(MapHost("COURSES.example", "127.0.0.1", 9001));
  ASSERT_TRUE(MapHost("v6.example", "::1", 9002));
  EXPECT_EQ(*ReadWholeFile(HostsFilePath()),
            "# mine\nkeep.example 1.2.3.4:5\nCOURSES.example 127.0.0.1:9001\n"
            "v6.example [::1]:9002\n");
  EXPECT_EQ(ApplyHostOverrides("v6.example", 80).host, "::1");
  ASSERT_TRUE(UnmapHost("courses.example"));
  ASSERT_TRUE(UnmapHost("v6.example"));
  EXPECT_EQ(*ReadWholeFile(HostsFilePath()), "# mine\nkeep.example 1.2.3.4:5\n");
  EXPECT_FALSE(MapHost("bad name", "127.0.0.1", 1));
  EXPECT_FALSE(MapHost("name", "", 1));
}

}  // namespace
}  // namespace qv::platform
