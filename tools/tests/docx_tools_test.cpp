// quorvanta convert and render, and what LibreOffice makes of the documents we write: a course
// with every question type laid out as PDF holds the question texts and answers, pictures of its
// pages are kept for people to look at, and a LibreOffice docx round trip keeps every marker.
// The LibreOffice checks are skipped on a machine without LibreOffice (the project's setup
// installs it).

#include <gtest/gtest.h>

#include <fstream>

#include "addin/tests/course_fixture.h"
#include "platform/files.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_profile.h"
#include "tools/lib/render/page_pictures.h"
#include "word/custom_properties.h"
#include "word/docx/docx_file.h"
#include "word/tests/docx_checks.h"

namespace qv::tools {
namespace {

namespace fs = std::filesystem;

TEST(ConvertCommand, NativeToDocxAndBackKeepsTheDocument) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin || !*bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  qv::testing::TempProfile profile;
  const auto script = profile.Dir() / "make.js";
  const auto native = profile.Dir() / "made.doc";
  std::ofstream(script) << "var app = CreateObject('Word.Application');\n"
                           "var d = app.Documents.Add();\n"
                           "d.Content.InsertAfter('Before the table');\n"
                           "var r = d.Range(d.Content.End - 1, d.Content.End - 1);\n"
                           "var t = d.Tables.Add(r, 2, 2);\n"
                           "t.Cell(1, 2).Range.Text = 'cell text';\n"
                           "d.SaveAs('" +
                               native.string() + "');\n";
  auto o = testing::RunProgram(bin, {"run", script.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  const auto docx = profile.Dir() / "made.docx";
  const auto back = profile.Dir() / "back.doc";
  o = testing::RunProgram(bin, {"convert", native.string(), docx.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  EXPECT_TRUE(word::IsDocxFile(docx));
  o = testing::RunProgram(bin, {"convert", docx.string(), back.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  EXPECT_FALSE(word::IsDocxFile(back));
  const auto shown = testing::RunProgram(bin, {"show", native.string()}, profile.Dir()).out;
  EXPECT_NE(shown.find("cell text"), std::string::npos) << shown;
  EXPECT_EQ(testing::RunProgram(bin, {"show", docx.string()}, profile.Dir()).out, shown);
  EXPECT_EQ(testing::RunProgram(bin, {"show", back.string()}, profile.Dir()).out, shown);

  // Refusals: a missing or damaged input, the input as its own output, a picture of another kind.
  o = testing::RunProgram(bin, {"convert", (profile.Dir() / "none.doc").string(), docx.string()},
                          profile.Dir());
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find("could not be found"), std::string::npos) << o.err;
  EXPECT_EQ(
      testing::RunProgram(bin, {"convert", docx.string(), docx.string()}, profile.Dir()).exitCode,
      2);
  EXPECT_TRUE(word::IsDocxFile(docx));
  o = testing::RunProgram(bin, {"render", docx.string(), "-o", "pages.gif"}, profile.Dir());
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find(".png or .pdf"), std::string::npos) << o.err;
  EXPECT_EQ(testing::RunProgram(bin, {"render", docx.string()}, profile.Dir()).exitCode, 2);
}

using LibreOfficeCourse = addin::testing::CourseDocumentTest;

TEST_F(LibreOfficeCourse, LibreOfficeShowsTheQuestionsAndKeepsEveryMarker) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!FindLibreOffice() || !FindProgram("pdftotext") || !bin || !*bin)
    GTEST_SKIP() << "LibreOffice (libreoffice-writer-nogui) or pdftotext (poppler-utils) is not "
                    "installed";
  BuildCourse();
  const fs::path docx = profile.Dir() / "Course.docx";
  doc->SaveAs(docx.string(), word::wdFormatXMLDocument);
  const auto markers = Markers(*doc);

  // Pictures of the pages, kept beside the build for people to look at.
  const char* artifacts = std::getenv("QV_ARTIFACTS_DIR");
  const fs::path pictures =
      artifacts && *artifacts ? fs::path(artifacts) : fs::path(bin).parent_path() / "artifacts";
  fs::create_directories(pictures);
  auto o = testing::RunProgram(
      bin, {"render", docx.string(), "-o", (pictures / "course-pages.png").string()},
      profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  EXPECT_TRUE(fs::exists(pictures / "course-pages.png"));
  EXPECT_TRUE(fs::exists(pictures / "course-pages-2.png")) << "the course has several pages";

  // The laid-out text holds the question texts and answers.
  const fs::path pdfDir = profile.Dir() / "pdf";
  fs::create_directories(pdfDir);
  const fs::path pdf = ConvertWithLibreOffice(docx, "pdf", pdfDir);
  o = testing::RunProgram(FindProgram("pdftotext")->string(), {pdf.string(), "-"}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  for (const char* text :
       {"Fractions & decimals: «unit one»", "Enter question text here", "Answer 1", "Answer 4",
        "True", "False", "Enter multiple-choice question text here",
        "Enter question text and insert blank textbox for answer here",
        "Click on the correct spot(s) on the images", "Resize this shape", "Closing words"})
    EXPECT_NE(o.out.find(text), std::string::npos) << text << "\n" << o.out;

  // LibreOffice's own docx, read back by us, keeps every marker byte for byte.
  const fs::path again = profile.Dir() / "again";
  fs::create_directories(again);
  const fs::path theirs = ConvertWithLibreOffice(docx, "docx:MS Word 2007 XML", again);
  auto reopened = app->Documents()->Open(theirs.string());
  EXPECT_EQ(Markers(*reopened), markers);
  // Its properties come back in another order and every number as a float: read by name, each
  // has its type and value again.
  ASSERT_GT(doc->Properties().items.size(), 0u);
  for (const auto& p : doc->Properties().items) {
    const auto* q = reopened->Properties().Find(p.name);
    ASSERT_NE(q, nullptr) << p.name;
    EXPECT_EQ(q->type, p.type) << p.name;
    EXPECT_EQ(q->value.ToText(), p.value.ToText()) << p.name;
  }
}

// The main job's document as a word processor lays it out: the authoring session runs, and its
// saved document is drawn as pictures of its pages, kept for people to look at.
TEST(MainJobPictures, TheMainJobsDocumentIsDrawnPageByPage) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!FindLibreOffice() || !bin || !*bin)
    GTEST_SKIP() << "LibreOffice (libreoffice-writer-nogui) is not installed";
  qv::testing::TempProfile profile;
  auto o = testing::RunProgram(
      bin, {"run", (fs::path(QV_SOURCE_TREE) / "demo/session.js").string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  const fs::path document = profile.Dir() / "Fractions.doc";
  ASSERT_TRUE(fs::exists(document)) << o.out;
  const char* artifacts = std::getenv("QV_ARTIFACTS_DIR");
  const fs::path pictures =
      artifacts && *artifacts ? fs::path(artifacts) : fs::path(bin).parent_path() / "artifacts";
  fs::create_directories(pictures);
  const fs::path docx = profile.Dir() / "Fractions.docx";
  o = testing::RunProgram(bin, {"convert", document.string(), docx.string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  o = testing::RunProgram(
      bin, {"render", docx.string(), "-o", (pictures / "main-job.png").string()}, profile.Dir());
  ASSERT_EQ(o.exitCode, 0) << o.err;
  EXPECT_GT(fs::file_size(pictures / "main-job.png"), 1000u);
}

}  // namespace
}  // namespace qv::tools
