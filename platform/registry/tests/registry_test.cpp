#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

constexpr HiveHandle kCU = kHkeyCurrentUser;

class RegistryTest : public ::testing::Test {
 protected:
  testing::TempProfile profile;
  Registry reg;

  RegValue Read(std::string_view key, std::string_view name) {
    RegValue v;
    EXPECT_TRUE(reg.QueryValue(kCU, key, name, v).Ok()) << key << " " << name;
    return v;
  }
};

TEST_F(RegistryTest, KeyAndValueNamesMatchWithoutRegardToCaseAndKeepTheirCase) {
  bool existed = true;
  ASSERT_TRUE(reg.CreateKey(kCU, "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In", &existed));
  EXPECT_FALSE(existed);
  ASSERT_TRUE(reg.CreateKey(kCU, "software\\QUORVANTA technologies, inc.\\word add-in", &existed));
  EXPECT_TRUE(existed);
  EXPECT_TRUE(reg.OpenKey(kCU, "Software\\Quorvanta Technologies, Inc.\\Word Add-in"));

  std::vector<std::string> names;
  ASSERT_TRUE(reg.EnumKeys(kCU, "software\\quorvanta technologies, inc.", names));
  EXPECT_EQ(names, std::vector<std::string>{"Word Add-In"});

  const auto key = "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In";
  ASSERT_TRUE(reg.SetValue(kCU, key, "IMG_PATH", RegValue::Text("C:\\a\\")));
  ASSERT_TRUE(reg.SetValue(kCU, key, "img_path", RegValue::Text("C:\\b\\")));
  EXPECT_EQ(Read(key, "Img_Path").data, "C:\\b\\");
  std::vector<std::pair<std::string, RegValue>> values;
  ASSERT_TRUE(reg.EnumValues(kCU, key, values));
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].first, "IMG_PATH");
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndData) {
  ASSERT_TRUE(reg.CreateKey(kCU, "K"));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "text", RegValue::Text("über \"quoted\"")));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "empty", RegValue::Text("")));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "num", RegValue::Dword(0xFFFFFFFFu)));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "bin", RegValue{kRegBinary, std::string("\0\x01\xff", 3)}));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "", RegValue::Text("default value")));

  Registry other;  // a second program's view of the same profile
  RegValue v;
  ASSERT_TRUE(other.QueryValue(kCU, "k", "TEXT", v));
  EXPECT_EQ(v, RegValue::Text("über \"quoted\""));
  ASSERT_TRUE(other.QueryValue(kCU, "k", "num", v));
  EXPECT_EQ(v.type, kRegDword);
  EXPECT_EQ(v.AsDword(), 0xFFFFFFFFu);
  ASSERT_TRUE(other.QueryValue(kCU, "k", "bin", v));
  EXPECT_EQ(v, (RegValue{kRegBinary, std::string("\0\x01\xff", 3)}));
  EXPECT_EQ(Read("K", "empty"), RegValue::Text(""));
  EXPECT_EQ(Read("K", "").data, "default value");

  // Values list in the order they were first set; overwriting keeps the place.
  ASSERT_TRUE(reg.SetValue(kCU, "K", "TEXT", RegValue::Dword(7)));
  std::vector<std::pair<std::string, RegValue>> values;
  ASSERT_TRUE(reg.EnumValues(kCU, "K", values));
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values[0].first, "text");
  EXPECT_EQ(values[0].second, RegValue::Dword(7));
  EXPECT_EQ(values[4].first, "");
}

TEST_F(RegistryTest, SettingTheValueAlreadyStoredWritesNothing) {
  ASSERT_TRUE(reg.CreateKey(kCU, "K"));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "Ver", RegValue::Text("27")));
  const auto file = reg.HiveFile(*FindHive(kCU));
  const auto written = std::filesystem::last_write_time(file) - std::chrono::hours(1);
  std::filesystem::last_write_time(file, written);
  ASSERT_TRUE(reg.SetValue(kCU, "K", "VER", RegValue::Text("27")));
  ASSERT_TRUE(reg.CreateKey(kCU, "k"));
  EXPECT_EQ(std::filesystem::last_write_time(file), written) << "no change, no write";
  // The same text as another type is a change.
  ASSERT_TRUE(reg.SetValue(kCU, "K", "Ver", RegValue{kRegExpandSz, "27"}));
  EXPECT_NE(std::filesystem::last_write_time(file), written);
  EXPECT_EQ(Read("K", "ver").type, kRegExpandSz);
}

TEST_F(RegistryTest, WritesNeedAnExistingKeyAndWellFormedData) {
  EXPECT_EQ(reg.SetValue(kCU, "Missing", "v", RegValue::Text("x")).code, regerr::kFileNotFound);
  EXPECT_EQ(reg.OpenKey(kCU, "Missing").code, regerr::kFileNotFound);
  ASSERT_TRUE(reg.CreateKey(kCU, "K"));
  EXPECT_EQ(reg.SetValue(kCU, "K", "v", RegValue{kRegDword, "abc"}).code,
            regerr::kInvalidParameter);
  EXPECT_EQ(reg.SetValue(kCU, "K", "v", RegValue::Text("\xff\xfe")).code,
            regerr::kInvalidParameter);
  EXPECT_EQ(reg.SetValue(kCU, "K", "\xc0\x80", RegValue::Text("x")).code,
            regerr::kInvalidParameter);
  EXPECT_EQ(reg.CreateKey(kCU, "K\\\xed\xa0\x80").code, regerr::kInvalidParameter);
  EXPECT_TRUE(reg.SetValue(kCU, "K", "ok", RegValue::Text("tab\there, quote \" and \x01")));
  EXPECT_EQ(Read("K", "ok").data, "tab\there, quote \" and \x01");
  RegValue v;
  EXPECT_EQ(reg.QueryValue(kCU, "K", "v", v).code, regerr::kFileNotFound);
  EXPECT_EQ(reg.QueryValue(kCU, "Missing", "v", v).code, regerr::kFileNotFound);
  EXPECT_EQ(v.type, kRegNone);
}

TEST_F(RegistryTest, PathsAndHivesThatNameNothingAreRefused) {
  EXPECT_EQ(reg.CreateKey(kCU, "\\lead").code, regerr::kInvalidParameter);
  EXPECT_EQ(reg.CreateKey(kCU, "a\\\\b").code, regerr::kInvalidParameter);
  EXPECT_EQ(reg.CreateKey(kCU, std::string(256, 'x')).code, regerr::kInvalidParameter);
  EXPECT_EQ(reg.CreateKey(0x80000009u, "K").code, regerr::kInvalidHandle);
  EXPECT_TRUE(reg.OpenKey(kCU, ""));  // the hive root always exists
  EXPECT_TRUE(Registry::Connect(""));
  EXPECT_EQ(Registry::Connect("OTHERPC").code, regerr::kBadNetPath);
  // Hives are separate.
  ASSERT_TRUE(reg.CreateKey(kHkeyLocalMachine, "Only\\Here"));
  EXPECT_FALSE(reg.OpenKey(kCU, "Only"));
}

TEST_F(RegistryTest, KeyDeletionFollowsTheHostsRules) {
  ASSERT_TRUE(reg.CreateKey(kCU, "A\\B\\C"));
  ASSERT_TRUE(reg.SetValue(kCU, "A\\B", "v", RegValue::Text("x")));
  EXPECT_EQ(reg.DeleteKey(kCU, "A\\B").code, regerr::kAccessDenied);
  EXPECT_TRUE(reg.OpenKey(kCU, "A\\B\\C"));
  EXPECT_EQ(reg.DeleteKey(kCU, "A\\X").code, regerr::kFileNotFound);
  EXPECT_EQ(reg.DeleteKey(kCU, "").code, regerr::kAccessDenied);
  EXPECT_TRUE(reg.DeleteKey(kCU, "a\\b\\c"));
  EXPECT_TRUE(reg.DeleteKey(kCU, "A\\B"));  // its values go with it
  EXPECT_FALSE(reg.OpenKey(kCU, "A\\B"));
  EXPECT_TRUE(reg.OpenKey(kCU, "A"));

  ASSERT_TRUE(reg.CreateKey(kCU, "T\\U\\V"));
  EXPECT_TRUE(reg.DeleteTree(kCU, "t\\u"));
  EXPECT_FALSE(reg.OpenKey(kCU, "T\\U"));
  EXPECT_EQ(reg.DeleteTree(kCU, "T\\U").code, regerr::kFileNotFound);

  EXPECT_EQ(reg.DeleteValue(kCU, "T", "nope").code, regerr::kFileNotFound);
  ASSERT_TRUE(reg.SetValue(kCU, "T", "v", RegValue::Dword(1)));
  EXPECT_TRUE(reg.DeleteValue(kCU, "T", "V"));
  RegValue v;
  EXPECT_FALSE(reg.QueryValue(kCU, "T", "v", v));
}

TEST_F(RegistryTest, SubKeysListWithoutRegardToCase) {
  for (const char* k : {"b", "C", "a", "B2"})
    ASSERT_TRUE(reg.CreateKey(kCU, std::string("P\\") + k));
  std::vector<std::string> names;
  ASSERT_TRUE(reg.EnumKeys(kCU, "P", names));
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "B2", "C"}));
}

// A large store is parsed once: reads cost a look at the file, and a change written by another
// program (a new version of the file) is still seen at once.
TEST_F(RegistryTest, ALargeHiveIsParsedOnceAndChangesAreSeenAtOnce) {
  ASSERT_TRUE(reg.CreateKey(kCU, "K"));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "big", RegValue::Text(std::string(10u << 20, 'b'))));
  ASSERT_TRUE(reg.SetValue(kCU, "K", "small", RegValue::Text("one")));
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < 200; ++i)
    ASSERT_EQ(Read("K", "small").data, "one");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  Registry other;
  ASSERT_TRUE(other.SetValue(kCU, "K", "small", RegValue::Text("two")));
  EXPECT_EQ(Read("K", "small").data, "two");
  // A file edited in place by hand is a new version too.
  const auto file = reg.HiveFile(*FindHive(kCU));
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << R"({"format": 1, "root": {"values": [], "keys": [{"name": "K", "values": [{"name": )"
           R"("small", "type": 1, "data": "three"}], "keys": []}]}})";
  }
  EXPECT_EQ(Read("K", "small").data, "three");
}

TEST_F(RegistryTest, ADamagedHiveFileIsReportedAndNeverOverwritten) {
  const auto file = reg.HiveFile(*FindHive(kCU));
  for (const std::string& damaged :
       {std::string("{\"format\": 1, \"root\": {\"values\": [], \"keys\": ["),
        std::string("{\"format\": 1, \"root\": {\"values\": [{\"name\": \"a\", \"type\": 4, "
                    "\"data\": \"x\"}], \"keys\": []}}"),
        std::string("{\"format\": 1, \"root\": {\"values\": [], \"keys\": [{\"name\": \"K\", "
                    "\"values\": [], \"keys\": []}, {\"name\": \"k\", \"values\": [], \"keys\": "
                    "[]}]}}"),
        std::string("")}) {
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out << damaged;
    }
    RegValue v;
    const auto read = reg.QueryValue(kCU, "K", "a", v);
    EXPECT_EQ(read.code, regerr::kRegistryCorrupt) << damaged;
    EXPECT_NE(read.message.find(file.string()), std::string::npos) << read.message;
    EXPECT_EQ(reg.CreateKey(kCU, "New").code, regerr::kRegistryCorrupt);
    EXPECT_EQ(reg.SetValue(kCU, "K", "a", RegValue::Text("x")).code, regerr::kRegistryCorrupt);
    EXPECT_EQ(ReadWholeFile(file).value_or("<gone>"), damaged);
  }
}

TEST_F(RegistryTest, TheHiveFileIsReadableJsonThatRoundTrips) {
  ASSERT_TRUE(reg.CreateKey(kCU, "SOFTWARE\\Co"));
  ASSERT_TRUE(reg.SetValue(kCU, "SOFTWARE\\Co", "helpShow", RegValue::Dword(0)));
  ASSERT_TRUE(reg.SetValue(kCU, "SOFTWARE\\Co", "IMG_PATH", RegValue::Text("C:\\Img\\")));
  const auto text = ReadWholeFile(reg.HiveFile(*FindHive(kCU))).value_or("");
  EXPECT_NE(text.find("\"name\": \"helpShow\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"data\": \"C:\\\\Img\\\\\""), std::string::npos) << text;
}

// Two programs writing at the same time: each write re-reads the hive under the lock, so neither
// overwrites the other's values.
TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  ASSERT_TRUE(reg.CreateKey(kCU, "Race"));
  constexpr int kPerWriter = 200;
  pid_t children[2];
  for (int w = 0; w < 2; ++w) {
    children[w] = ::fork();
    ASSERT_GE(children[w], 0);
    if (children[w] == 0) {
      Registry mine;
      int failures = 0;
      for (int i = 0; i < kPerWriter; ++i) {
        const std::string name = "w" + std::to_string(w) + "_" + std::to_string(i);
        if (!mine.SetValue(kCU, "Race", name, RegValue::Dword(static_cast<uint32_t>(i))))
          ++failures;
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::vector<std::pair<std::string, RegValue>> values;
  ASSERT_TRUE(reg.EnumValues(kCU, "Race", values));
  EXPECT_EQ(values.size(), 2u * kPerWriter);
  EXPECT_EQ(Read("Race", "w1_199"), RegValue::Dword(199));
}

// A writer killed at any moment leaves the last complete version of the store: never a damaged
// or half-written one.
TEST_F(RegistryTest, AWriterKilledAtAnyMomentLeavesTheLastCompleteStore) {
  ASSERT_TRUE(reg.CreateKey(kCU, "Kill"));
  ASSERT_TRUE(reg.SetValue(kCU, "Kill", "count", RegValue::Dword(0)));
  ASSERT_TRUE(reg.SetValue(kCU, "Kill", "payload", RegValue::Text("0")));
  std::mt19937 rng(15);
  for (int kill = 0; kill < 50; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Registry mine;
      for (uint32_t i = 1;; ++i) {
        (void)mine.SetValue(kCU, "Kill", "payload",
                            RegValue::Text(std::string(20000 + i % 997, 'p')));
        (void)mine.SetValue(kCU, "Kill", "count", RegValue::Dword(i));
      }
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(500, 15000)(rng));
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    RegValue count, payload;
    ASSERT_TRUE(reg.QueryValue(kCU, "Kill", "count", count)) << "after kill " << kill;
    ASSERT_TRUE(reg.QueryValue(kCU, "Kill", "payload", payload)) << "after kill " << kill;
    EXPECT_EQ(count.type, kRegDword);
    EXPECT_EQ(payload.type, kRegSz);
  }
}

}  // namespace
}  // namespace qv::platform
