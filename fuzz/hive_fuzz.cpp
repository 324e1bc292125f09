// Registry hive files: a file the parser accepts must write back as a file it accepts again,
// holding the same keys and values.

#include "fuzz/fuzz_target.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_file.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  platform::KeyNode root;
  std::string why;
  if (!platform::ParseHiveText(text, root, why)) return 0;
  const auto info = *platform::FindHive(platform::kHkeyCurrentUser);
  const std::string written = platform::HiveText(root, info);
  platform::KeyNode again;
  if (!platform::ParseHiveText(written, again, why))
    fuzz::Fault("a hive written from an accepted one is refused: " + why);
  if (platform::HiveText(again, info) != written) fuzz::Fault("a hive reads back changed");
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  platform::KeyNode root;
  auto& key = root.AddKey("SOFTWARE").AddKey("Quorvanta Technologies, Inc.");
  key.SetValue("IMG_PATH", platform::RegValue::Text("C:\\Img\\"));
  key.SetValue("helpShow", platform::RegValue::Dword(1));
  key.SetValue("bin", platform::RegValue{platform::kRegBinary, std::string("\0\x01\xff", 3)});
  const auto info = *platform::FindHive(platform::kHkeyCurrentUser);
  return {platform::HiveText(platform::KeyNode{}, info), platform::HiveText(root, info)};
}
