// quorvanta export: each format written from a saved course document, the usage and its exit
// codes, and an incomplete document refused with the validation's own message, nothing written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "export/package.h"
#include "export/tests/quiz_document_fixture.h"
#include "platform/testing/run_program.h"

namespace qv::exporter::testing {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ExportCommandTest : QuizDocumentTest {
  std::string bin;
  std::filesystem::path saved;
  void SetUp() override {
    QuizDocumentTest::SetUp();
    const char* b = std::getenv("QUORVANTA_BIN");
    if (!b || !*b) GTEST_SKIP() << "QUORVANTA_BIN is not set";
    bin = b;
    saved = profile.Dir() / "course.doc";
  }
  qv::testing::ProgramOutcome Run(const std::vector<std::string>& args) {
    return qv::testing::RunProgram(bin, args, profile.Dir());
  }
};

TEST_F(ExportCommandTest, WritesEachFormatOfACompleteDocument) {
  BuildEveryType();
  doc->SaveAs(saved.string());
  for (const std::string format : {"qti30", "qti21", "qti12", "moodle"}) {
    const auto out = profile.Dir() / ("out-" + format);
    const auto o = Run({"export", saved.string(), "--format", format, "-o", out.string()});
    ASSERT_EQ(o.exitCode, 0) << format << ": " << o.err;
    ASSERT_TRUE(std::filesystem::exists(out)) << format;
    if (format == "moodle") continue;
    const auto files = ReadZip(out);
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front().name, "imsmanifest.xml") << format;
    if (format == "qti12") {
      EXPECT_NE(o.err.find("left out (QTI 1.2 has no such question): hot spot"), std::string::npos)
          << o.err;
    }
  }
}

TEST_F(ExportCommandTest, AnIncompleteDocumentIsRefusedWithTheValidationMessage) {
  BuildEveryType();
  addin::SetAttr(Picture(doc->Tables()->Item(1), 1), "points", "");
  doc->SaveAs(saved.string());
  const auto out = profile.Dir() / "quiz.zip";
  const auto o = Run({"export", saved.string(), "--format", "qti21", "-o", out.string()});
  EXPECT_EQ(o.exitCode, 3);
  EXPECT_NE(o.err.find("The question \"Which planet is red?...\" is incomplete:\r\n\r\n"),
            std::string::npos)
      << o.err;
  EXPECT_FALSE(std::filesystem::exists(out)) << "nothing written";
}

TEST_F(ExportCommandTest, NeverWritesOverTheDocumentAndRefusesADocumentWithoutQuestions) {
  BuildEveryType();
  doc->SaveAs(saved.string());
  const std::string before = ReadAll(saved);
  EXPECT_EQ(Run({"export", saved.string(), "--format", "moodle", "-o", saved.string()}).exitCode,
            2);
  EXPECT_EQ(ReadAll(saved), before);

  const auto empty = profile.Dir() / "empty.doc";
  app->Documents()->Add()->SaveAs(empty.string());
  const auto o = Run(
      {"export", empty.string(), "--format", "qti30", "-o", (profile.Dir() / "x.zip").string()});
  EXPECT_EQ(o.exitCode, 3);
  EXPECT_NE(o.err.find("holds no questions"), std::string::npos) << o.err;
}

TEST_F(ExportCommandTest, UsageAndExitCodes) {
  auto o = Run({"export", "--help"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_NE(o.out.find("--format qti30|qti21|qti12|moodle"), std::string::npos);
  EXPECT_EQ(Run({"export", saved.string(), "--format", "pdf", "-o", "x"}).exitCode, 2);
  EXPECT_EQ(Run({"export", saved.string(), "--format", "qti30"}).exitCode, 2) << "no -o";
  o = Run({"export", (profile.Dir() / "missing.doc").string(), "--format", "qti30", "-o",
           (profile.Dir() / "x.zip").string()});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_FALSE(o.err.empty());
}

}  // namespace
}  // namespace qv::exporter::testing
