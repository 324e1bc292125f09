#include <fstream>

#include <gtest/gtest.h>

#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_profile.h"

namespace qv::online {
namespace {

using automation::Variant;

class RegModuleTest : public ::testing::Test {
 protected:
  testing::TempProfile profile;
  const std::string key = kAddinKey;

  void SetUp() override { reg::CreateKey(HKEY_CURRENT_USER, key); }
  Variant Query(const std::string& name) { return reg::QueryValue(HKEY_CURRENT_USER, key, name); }
};

TEST_F(RegModuleTest, QueryGivesTextNumbersOrEmpty) {
  reg::SetValue(HKEY_CURRENT_USER, key, "IMG_PATH", Variant("C:\\Img\\"), reg::REG_SZ);
  reg::SetValue(HKEY_CURRENT_USER, key, "helpShow", Variant(0), reg::REG_DWORD);
  reg::SetValue(HKEY_CURRENT_USER, key, "big", Variant(-1), reg::REG_DWORD);

  EXPECT_EQ(Query("img_path"), Variant("C:\\Img\\"));
  EXPECT_EQ(Query("helpShow"), Variant(int32_t{0}));
  EXPECT_EQ(Query("big"), Variant(int32_t{-1}));  // all 32 bits come back
  EXPECT_TRUE(Query("missing").IsEmpty());
  EXPECT_TRUE(reg::QueryValue(HKEY_CURRENT_USER, "SOFTWARE\\Nowhere", "IMG_PATH").IsEmpty());
  // Another machine's registry cannot be reached here.
  EXPECT_TRUE(reg::QueryValue(HKEY_CURRENT_USER, key, "IMG_PATH", "SERVER").IsEmpty());

  // Values of other types read as empty.
  platform::Registry store;
  ASSERT_TRUE(store.SetValue(HKEY_CURRENT_USER, key, "bin", {platform::kRegBinary, "\x01"}));
  ASSERT_TRUE(store.SetValue(HKEY_CURRENT_USER, key, "exp", {platform::kRegExpandSz, "%X%"}));
  EXPECT_TRUE(Query("bin").IsEmpty());
  EXPECT_TRUE(Query("exp").IsEmpty());
}

TEST_F(RegModuleTest, SetConvertsByTypeAndWritesNothingWhenItCannot) {
  reg::SetValue(HKEY_CURRENT_USER, key, "t", Variant(int32_t{12}), reg::REG_SZ);
  EXPECT_EQ(Query("t"), Variant("12"));
  reg::SetValue(HKEY_CURRENT_USER, key, "b", Variant(true), reg::REG_SZ);
  EXPECT_EQ(Query("b"), Variant("True"));
  reg::SetValue(HKEY_CURRENT_USER, key, "n", Variant(" 2.5 "), reg::REG_DWORD);
  EXPECT_EQ(Query("n"), Variant(int32_t{2}));  // the host's rounding: half to even

  // A failed conversion or an unknown type leaves the old value alone and raises nothing.
  reg::SetValue(HKEY_CURRENT_USER, key, "n", Variant("abc"), reg::REG_DWORD);
  reg::SetValue(HKEY_CURRENT_USER, key, "n", Variant(1e12), reg::REG_DWORD);
  reg::SetValue(HKEY_CURRENT_USER, key, "n", Variant("7"), 3);
  EXPECT_EQ(Query("n"), Variant(int32_t{2}));
  reg::SetValue(HKEY_CURRENT_USER, key, "o", Variant(std::make_shared<automation::SafeArray>()),
                reg::REG_SZ);
  EXPECT_TRUE(Query("o").IsEmpty());

  // A write to a missing key is lost and makes no key.
  reg::SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Nowhere", "v", Variant("x"), reg::REG_SZ);
  EXPECT_FALSE(platform::Registry().OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Nowhere"));
}

TEST_F(RegModuleTest, DeletionsNeverRaise) {
  reg::CreateKey(HKEY_CURRENT_USER, std::string(kPowerPointKey));
  reg::SetValue(HKEY_CURRENT_USER, key, "isInstallOK", Variant(0), reg::REG_DWORD);
  reg::DeleteValue(HKEY_CURRENT_USER, key, "ISINSTALLOK");
  reg::DeleteValue(HKEY_CURRENT_USER, key, "isInstallOK");
  EXPECT_TRUE(Query("isInstallOK").IsEmpty());

  // The company key still has sub-keys: it stays until they are gone, as the installer's order
  // of deletion expects.
  reg::DeleteKey(HKEY_CURRENT_USER, kCompanyKey);
  platform::Registry store;
  EXPECT_TRUE(store.OpenKey(HKEY_CURRENT_USER, kCompanyKey));
  reg::DeleteKey(HKEY_CURRENT_USER, key);
  reg::DeleteKey(HKEY_CURRENT_USER, kPowerPointKey);
  reg::DeleteKey(HKEY_CURRENT_USER, kCompanyKey);
  reg::DeleteKey(HKEY_CURRENT_USER, kCompanyKey);
  EXPECT_FALSE(store.OpenKey(HKEY_CURRENT_USER, kCompanyKey));
}

TEST_F(RegModuleTest, ADamagedStoreReadsEmptyAndTakesNoWrites) {
  reg::SetValue(HKEY_CURRENT_USER, key, "Ver", Variant("27"), reg::REG_SZ);
  const auto file = platform::Registry().HiveFile(*platform::FindHive(HKEY_CURRENT_USER));
  { std::ofstream(file, std::ios::trunc) << "{ damaged"; }
  EXPECT_TRUE(Query("Ver").IsEmpty());
  reg::SetValue(HKEY_CURRENT_USER, key, "Ver", Variant("28"), reg::REG_SZ);
  reg::CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Other");
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "{ damaged");
}

}  // namespace
}  // namespace qv::online
