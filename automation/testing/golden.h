#pragma once
// Golden files: an output a test compares with a file kept below the source tree, so that what a
// user sees (a rendering, a stored record) is checked as a whole and a change of it shows up as a
// reviewed diff. With QV_UPDATE_GOLDEN=1 in the environment the test writes its output to the
// file instead, and passes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace qv::testing {

// `relativePath` is taken from the source tree that QV_SOURCE_DIR names (ctest sets it).
inline ::testing::AssertionResult MatchesGolden(const std::string& actual,
                                                const std::string& relativePath) {
  const char* root = std::getenv("QV_SOURCE_DIR");
  if (!root) return ::testing::AssertionFailure() << "QV_SOURCE_DIR is not set";
  const std::filesystem::path file = std::filesystem::path(root) / relativePath;
  if (const char* update = std::getenv("QV_UPDATE_GOLDEN"); update && std::string(update) == "1") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << actual;
    return ::testing::AssertionSuccess();
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) return ::testing::AssertionFailure() << "no golden file " << file;
  const std::string expected((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (expected == actual) return ::testing::AssertionSuccess();
  // The first differing line, then both texts whole.
  std::istringstream a(actual), e(expected);
  std::string la, le;
  int line = 1;
  while (std::getline(a, la) && std::getline(e, le) && la == le)
    ++line;
  return ::testing::AssertionFailure()
         << relativePath << " differs from line " << line << "\n--- expected\n"
         << expected << "\n--- actual\n"
         << actual;
}

}  // namespace qv::testing
