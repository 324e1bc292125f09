// quorvanta preview: the learner's pages of a saved course document, and the same pages answered
// in a real browser (headless chromium driven from node), which skips where either is missing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/tests/quiz_document_fixture.h"
#include "platform/testing/run_program.h"

namespace qv::exporter::testing {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A program found on the search path, or "".
std::string OnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');)
    if (!dir.empty() && std::filesystem::exists(std::filesystem::path(dir) / name))
      return (std::filesystem::path(dir) / name).string();
  return "";
}

struct PreviewCommandTest : QuizDocumentTest {
  std::string bin;
  std::filesystem::path saved, out;
  void SetUp() override {
    QuizDocumentTest::SetUp();
    const char* b = std::getenv("QUORVANTA_BIN");
    if (!b || !*b) GTEST_SKIP() << "QUORVANTA_BIN is not set";
    bin = b;
    saved = profile.Dir() / "course.doc";
    out = profile.Dir() / "preview";
    BuildEveryType();
    doc->SaveAs(saved.string());
  }
  qv::testing::ProgramOutcome Run(const std::vector<std::string>& args) {
    return qv::testing::RunProgram(bin, args, profile.Dir());
  }
};

TEST_F(PreviewCommandTest, WritesOnePageForEachWebPageWithItsPictures) {
  const auto o = Run({"preview", saved.string(), "-o", out.string()});
  ASSERT_EQ(o.exitCode, 0) << o.err;
  for (const char* f :
       {"index.html", "page1.html", "page2.html", "page3.html", "preview.js", "preview.css"})
    EXPECT_TRUE(std::filesystem::exists(out / f)) << f;
  EXPECT_FALSE(std::filesystem::exists(out / "page4.html"));
  const std::string quiz = ReadAll(out / "page2.html");
  size_t sections = 0;
  for (auto at = quiz.find("<section class=\"question\""); at != std::string::npos;
       at = quiz.find("<section class=\"question\"", at + 1))
    ++sections;
  EXPECT_EQ(sections, 8u);
  EXPECT_EQ(quiz.find("<again>"), std::string::npos) << "texts are escaped";
  size_t backgrounds = 0;
  for (const auto& e : std::filesystem::directory_iterator(out / "images"))
    backgrounds += e.path().filename().string().find("_background.png") != std::string::npos;
  EXPECT_EQ(backgrounds, 2u);

  // Again into the same folder: the preview is replaced; a folder of other files is refused.
  EXPECT_EQ(Run({"preview", saved.string(), "-o", out.string()}).exitCode, 0);
  const auto mine = profile.Dir() / "mine";
  std::filesystem::create_directories(mine);
  std::ofstream(mine / "index.html") << "my own page";
  const auto refused = Run({"preview", saved.string(), "-o", mine.string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("holds other files"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadAll(mine / "index.html"), "my own page");

  EXPECT_EQ(Run({"preview", saved.string()}).exitCode, 2);
  EXPECT_EQ(Run({"preview", "--help"}).exitCode, 0);
}

TEST_F(PreviewCommandTest, ScoresAndFeedbackInARealBrowser) {
  const std::string node = OnPath("node");
  const char* chromiumEnv = std::getenv("CHROMIUM");
  const std::string chromium = chromiumEnv && *chromiumEnv ? chromiumEnv : "/usr/bin/chromium";
  const auto browserTests = std::filesystem::path(QV_SOURCE_TREE) / "export/tests/browser";
  if (node.empty()) GTEST_SKIP() << "node is not installed";
  if (!std::filesystem::exists(chromium)) GTEST_SKIP() << "no chromium at " << chromium;
  if (!std::filesystem::exists(browserTests / "node_modules/puppeteer-core"))
    GTEST_SKIP() << "puppeteer-core is not installed (npm ci in " << browserTests << ")";

  ASSERT_EQ(Run({"preview", saved.string(), "-o", out.string()}).exitCode, 0);
  const char* artifactsEnv = std::getenv("QV_ARTIFACT_DIR");
  const auto artifacts =
      std::filesystem::path(artifactsEnv && *artifactsEnv
                                ? artifactsEnv
                                : std::filesystem::current_path() / "test-artifacts") /
      "preview";
  const auto o = qv::testing::RunProgram(
      node,
      {(browserTests / "preview_check.mjs").string(), out.string(), artifacts.string(), chromium},
      profile.Dir());
  EXPECT_EQ(o.exitCode, 0) << o.out << o.err;
  EXPECT_TRUE(std::filesystem::exists(artifacts / "page2-answered.png"));
}

}  // namespace
}  // namespace qv::exporter::testing
