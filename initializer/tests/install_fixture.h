#pragma once
// A fresh profile with the installation files laid out in its "Program Files/" folder, as the
// external setup leaves them before it runs the installer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/com/activation.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_profile.h"

namespace qv::testing {

class InstallFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    base = (profile.Dir() / "Program Files").string() + "/";
    installDir = base + "Quorvanta Technologies, Inc./Word Add-in/";
    pptDir = base + "Quorvanta Technologies, Inc./PowerPoint Add-in/";
  }

  void LayFiles(bool templates = true) {
    std::filesystem::create_directories(installDir + "Img");
    std::filesystem::create_directories(pptDir);
    if (templates) {
      Write(installDir + "Quorvanta Authoring Menus.dot", "menus");
      Write(installDir + "Quorvanta Authoring Toolbar.dot", "toolbar");
    }
    Write(installDir + "first.doc", "help");
    Write(pptDir + "rvuppt.ppa",
          R"({"toolbars": [{"name": "Quorvanta", "buttons": [{"caption": "Go", "tag": "q"}]}],
              "toolsMenu": [{"caption": "&Quorvanta", "buttons": [{"caption": "Go", "tag": "q"}]}]})");
  }

  // What the external setup does besides laying the files: registering the add-in library.
  void RegisterLibrary() {
    std::string error;
    ASSERT_EQ(platform::CallRegistrationEntry(QV_KZOWORD_LIBRARY, false, error), platform::S_OK)
        << error;
  }

  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
  }

  static automation::Variant Value(const char* key, const char* name) {
    return online::reg::QueryValue(online::HKEY_CURRENT_USER, key, name);
  }
  static bool KeyExists(const std::string& key) {
    platform::Registry r;
    return r.OpenKey(platform::kHkeyCurrentUser, key).Ok();
  }

  TempProfile profile;
  std::string base, installDir, pptDir;
};

}  // namespace qv::testing
