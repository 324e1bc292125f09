// Runs the built quorvanta program (QUORVANTA_BIN) as a separate process for each command, the way
// scripts and the installer's tests use it. Each test has its own profile, which the child
// processes inherit through QUORVANTA_HOME.

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/registry/registry.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"

namespace qv::tools {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class RegCommandTest : public ::testing::Test {
 protected:
  testing::TempProfile profile;

  void SetUp() override {
    const char* bin = std::getenv("QUORVANTA_BIN");
    if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
    bin_ = bin;
  }

  // Runs `quorvanta reg ARGS...` with standard input from /dev/null and the outputs captured.
  Outcome Reg(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"reg"};
    all.insert(all.end(), args.begin(), args.end());
    const auto o = testing::RunProgram(bin_, all, profile.Dir());
    return Outcome{o.exitCode, o.out, o.err};
  }

  std::string bin_;
};

constexpr const char* kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.\n";

TEST_F(RegCommandTest, TextAndNumbersRoundTripThroughSeparateRuns) {
  const std::string key = "HKCU\\SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In";
  auto o = Reg({"add", key, "/v", "IMG_PATH", "/d", "C:\\Add-in\\Img\\", "/f"});
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, "The operation completed successfully.\n");
  EXPECT_EQ(Reg({"add", key, "/v", "helpShow", "/t", "REG_DWORD", "/d", "0"}).exitCode, 0);
  EXPECT_EQ(Reg({"add", key, "/v", "big", "/t", "reg_dword", "/d", "0xFFFFFFFF"}).exitCode, 0);
  EXPECT_EQ(Reg({"add", key, "/ve", "/d", "default"}).exitCode, 0);

  o = Reg({"query", key, "/v", "IMG_PATH"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.out,
            "\nHKEY_CURRENT_USER\\SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In\n"
            "    IMG_PATH    REG_SZ    C:\\Add-in\\Img\\\n\n");
  o = Reg({"query", key});
  EXPECT_EQ(o.out,
            "\nHKEY_CURRENT_USER\\SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In\n"
            "    IMG_PATH    REG_SZ    C:\\Add-in\\Img\\\n"
            "    helpShow    REG_DWORD    0x0\n"
            "    big    REG_DWORD    0xffffffff\n"
            "    (Default)    REG_SZ    default\n\n");

  // This process reads what the others wrote, with its type.
  platform::Registry reg;
  platform::RegValue v;
  ASSERT_TRUE(reg.QueryValue(platform::kHkeyCurrentUser,
                             "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In", "big", v));
  EXPECT_EQ(v, platform::RegValue::Dword(0xFFFFFFFFu));
}

TEST_F(RegCommandTest, KeyAndValueNamesMatchWithoutRegardToCase) {
  ASSERT_EQ(Reg({"add", "HKEY_CURRENT_USER\\Software\\Abc", "/v", "Name", "/d", "x"}).exitCode, 0);
  const auto o = Reg({"query", "hkcu\\SOFTWARE\\aBC", "/v", "NAME"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_NE(o.out.find("    Name    REG_SZ    x\n"), std::string::npos) << o.out;
  EXPECT_EQ(Reg({"add", "HKCU\\software\\abc\\Sub"}).exitCode, 0);
  EXPECT_EQ(Reg({"query", "HKCU\\Software"}).out,
            "\nHKEY_CURRENT_USER\\Software\n\nHKEY_CURRENT_USER\\Software\\Abc\n");
  EXPECT_EQ(Reg({"query", "HKCU\\Software", "/s"}).out,
            "\nHKEY_CURRENT_USER\\Software\n\n"
            "HKEY_CURRENT_USER\\Software\\Abc\n    Name    REG_SZ    x\n\n"
            "HKEY_CURRENT_USER\\Software\\Abc\\Sub\n\n");
}

TEST_F(RegCommandTest, DeleteRemovesValuesAndWholeKeys) {
  ASSERT_EQ(Reg({"add", "HKCU\\A\\B", "/v", "v", "/d", "1"}).exitCode, 0);
  ASSERT_EQ(Reg({"add", "HKCU\\A", "/v", "w", "/d", "2"}).exitCode, 0);
  EXPECT_EQ(Reg({"delete", "HKCU\\A\\B", "/v", "V", "/f"}).exitCode, 0);
  auto o = Reg({"query", "HKCU\\A\\B", "/v", "v"});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err, kNotFound);
  EXPECT_EQ(Reg({"delete", "HKCU\\A", "/va"}).exitCode, 0);
  EXPECT_EQ(Reg({"query", "HKCU\\A", "/v", "w"}).exitCode, 1);

  EXPECT_EQ(Reg({"delete", "HKCU\\a"}).exitCode, 0);  // with the sub-key B
  o = Reg({"query", "HKCU\\A\\B"});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err, kNotFound);
  o = Reg({"delete", "HKCU\\A"});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err, kNotFound);
  EXPECT_EQ(Reg({"delete", "HKCU"}).exitCode, 1);
}

TEST_F(RegCommandTest, BadCommandLinesShowUsageAndChangeNothing) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"query"},
           {"list", "HKCU\\X"},
           {"add", "HKXX\\X"},
           {"add", "HKCU\\X", "/v", "n", "/t", "REG_BINARY", "/d", "00"},
           {"add", "HKCU\\X", "/v", "n", "/t", "REG_DWORD", "/d", "12x"},
           {"add", "HKCU\\X", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"},
           {"add", "HKCU\\X", "/d", "data"},
           {"query", "HKCU\\X", "/v"},
           {"query", "HKCU\\X", "/s", "/v", "n"},
           {"delete", "HKCU\\X", "/d", "x"},
           {"add", "\\\\OTHERPC\\HKCU\\X"},
       }) {
    const auto o = Reg(args);
    EXPECT_EQ(o.exitCode, 1) << ::testing::PrintToString(args);
    EXPECT_NE(o.err.find("usage: quorvanta reg"), std::string::npos) << o.err;
  }
  EXPECT_FALSE(platform::Registry().OpenKey(platform::kHkeyCurrentUser, "X"));
  EXPECT_EQ(Reg({"/?"}).exitCode, 0);
}

TEST_F(RegCommandTest, ADamagedHiveFileIsNamedAndKept) {
  ASSERT_EQ(Reg({"add", "HKCU\\K", "/v", "v", "/d", "1"}).exitCode, 0);
  const auto file = platform::Registry().HiveFile(*platform::FindHive(platform::kHkeyCurrentUser));
  { std::ofstream(file, std::ios::trunc) << "not json"; }
  auto o = Reg({"query", "HKCU\\K"});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find(file.string()), std::string::npos) << o.err;
  o = Reg({"add", "HKCU\\K", "/v", "v", "/d", "2"});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(platform::ReadWholeFile(file).value_or(""), "not json");
}

// Two streams of runs at the same time, each adding 200 different values: every run re-reads the
// hive under its lock, so none of the 400 is lost.
TEST_F(RegCommandTest, TwoProgramsWritingAtOnceLoseNothing) {
  ASSERT_EQ(Reg({"add", "HKCU\\Race"}).exitCode, 0);
  constexpr int kPerWriter = 200;
  std::atomic<int> failures{0};
  auto writer = [&](int w) {
    for (int i = 0; i < kPerWriter; ++i) {
      const std::string name = "w" + std::to_string(w) + "_" + std::to_string(i);
      if (Reg({"add", "HKCU\\Race", "/v", name, "/t", "REG_DWORD", "/d", std::to_string(i)})
              .exitCode != 0)
        ++failures;
    }
  };
  std::thread a(writer, 0);
  std::thread b(writer, 1);
  a.join();
  b.join();
  EXPECT_EQ(failures.load(), 0);
  std::vector<std::pair<std::string, platform::RegValue>> values;
  ASSERT_TRUE(platform::Registry().EnumValues(platform::kHkeyCurrentUser, "Race", values));
  EXPECT_EQ(values.size(), 2u * kPerWriter);
}

}  // namespace
}  // namespace qv::tools
