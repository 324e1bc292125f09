#include "platform/file_search.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/testing/temp_profile.h"
#include "platform/windows.h"

namespace qv::platform {
namespace {

TEST(Dir, NamesAnExistingFileOnly) {
  qv::testing::TempProfile profile;
  const auto file = profile.Dir() / "Quorvanta Authoring Menus.dot";
  std::ofstream(file) << "x";
  EXPECT_EQ(Dir(file.string()), "Quorvanta Authoring Menus.dot");
  EXPECT_EQ(Dir((profile.Dir() / "missing.dot").string()), "");
  EXPECT_EQ(Dir(profile.Dir().string()), "");  // a folder is not a file
  EXPECT_EQ(Dir(""), "");
  std::string shortPath;
  int error = 0;
  EXPECT_TRUE(GetShortPathName(file.string(), shortPath, error));
  EXPECT_EQ(shortPath, file.string());
  EXPECT_FALSE(GetShortPathName("/no/such/file", shortPath, error));
  EXPECT_EQ(error, 2);
}

TEST(ShowWindow, ReachesTheRegisteredWindowOnly) {
  std::vector<int32_t> seen;
  RegisterWindow(4711, [&](int32_t cmd) { seen.push_back(cmd); });
  EXPECT_TRUE(ShowWindow(4711, SW_SHOWMINIMIZED));
  EXPECT_TRUE(ShowWindow(4711, SW_RESTORE));
  EXPECT_FALSE(ShowWindow(4712, SW_RESTORE));
  UnregisterWindow(4711);
  EXPECT_FALSE(ShowWindow(4711, SW_RESTORE));
  EXPECT_EQ(seen, (std::vector<int32_t>{SW_SHOWMINIMIZED, SW_RESTORE}));
}

}  // namespace
}  // namespace qv::platform
