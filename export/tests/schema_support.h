#pragma once
// Where the tests find the offline schemas (the shared folder beside the source tree); tests that
// need them skip when it is missing.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qv::exporter::testing {

inline std::filesystem::path SchemaDir() {
  return QV_SCHEMA_DIR;
}

#define QV_REQUIRE_SCHEMAS()                                                  \
  if (!std::filesystem::exists(::qv::exporter::testing::SchemaDir() / "qti")) \
  GTEST_SKIP() << "no schemas at " << ::qv::exporter::testing::SchemaDir()

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\n";
  return out;
}

}  // namespace qv::exporter::testing
