// Course documents as docx packages: a document with every question type, marked through the
// attribute dialog, with web page breaks and prepared by save processing, is saved as docx and
// reopened with the same text, tables, markers, properties and shape geometry; the add-in's own
// operations work on the reopened document.

#include "addin/document/save_processing.h"
#include "addin/document/validate_doc.h"
#include "addin/online/course_portal.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/TrueFalse.h"
#include "addin/questions/g_construction.h"
#include "addin/tests/course_fixture.h"
#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/files.h"
#include "platform/net/testing/loopback_server.h"
#include "ui/constants.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/tests/docx_checks.h"

namespace qv::addin::testing {
namespace {

using DocxRoundTrip = CourseDocumentTest;

TEST_F(DocxRoundTrip, EveryQuestionTypeSurvivesADocxRoundTrip) {
  BuildCourse();
  const auto file = profile.Dir() / "Unit1.docx";
  doc->SaveAs(file.string(), word::wdFormatXMLDocument);
  StampDocument(*doc);
  ASSERT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved) << driver->Text();
  ASSERT_TRUE(word::IsDocxFile(file));
  if (!word::testing::OoxmlSchemaDir().empty()) {
    EXPECT_EQ(word::testing::DocxFaults(*platform::ReadWholeFile(file)), "");
  }

  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbNo);
  const bool valid = ValidateDoc(doc);
  const auto messages = Messages();
  const auto before = word::DocumentToJson(*doc);
  const auto markers = Markers(*doc);
  const std::string drawn = Rendering();
  ASSERT_GE(markers.size(), 30u) << drawn;
  doc->Close();
  doc = app->Documents()->Open(file.string());
  EXPECT_EQ(nlohmann::json::diff(word::testing::DocxComparable(before),
                                 word::testing::DocxComparable(word::DocumentToJson(*doc)))
                .dump(),
            "[]");
  EXPECT_EQ(Markers(*doc), markers);
  EXPECT_EQ(Rendering(), drawn);

  // The add-in works on the reopened document as on the one it built.
  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbNo);
  EXPECT_EQ(ValidateDoc(doc), valid);
  EXPECT_EQ(Messages(), messages);
  Mark(MultipleChoice(), doc->Tables()->Item(1));
  EXPECT_EQ(Markers(*doc), markers);
  Add(TrueFalse());
  EXPECT_EQ(Markers(*doc).size(), markers.size() + 4);
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_TRUE(word::IsDocxFile(file));
}

}  // namespace
}  // namespace qv::addin::testing

namespace qv::addin::testing {
namespace {

// "Add to Course" on a course reopened from docx: checked, prepared, saved as docx again, and the
// portal shown.
struct DocxAddToCourse : CourseDocumentTest {
  qv::testing::LoopbackServer server{[](qv::testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send(qv::testing::LoopbackServer::Answer("<html><head><title>portal</title></head></html>"));
  }};
  std::shared_ptr<browser::BrowserDesktop> desktop = browser::BrowserDesktop::Shared();

  void SetUp() override {
    CourseDocumentTest::SetUp();
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", server.Port()));
    online::reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
    G().kzoUser = false;
  }
  void TearDown() override {
    desktop->CloseAll();
    (void)platform::UnmapHost(online::kDefaultCourseHost);
    CourseDocumentTest::TearDown();
  }
};

TEST_F(DocxAddToCourse, TheReopenedCourseGoesToTheCourse) {
  BuildCourse();
  const auto file = profile.Dir() / "Unit1.docx";
  doc->SaveAs(file.string());
  doc->Close();
  doc = app->Documents()->Open(file.string());
  doc->Activate();
  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbYes);  // the questions are not complete yet: go on all the same
  FindIE();
  EXPECT_EQ(Messages().size(), 1u) << driver->Text();
  EXPECT_NE(word::DocumentToJson(*doc)["customProperties"].dump().find("KZOSlideTypes"),
            std::string::npos);
  EXPECT_TRUE(doc->Saved());
  EXPECT_TRUE(word::IsDocxFile(file));
  ASSERT_EQ(desktop->Windows().size(), 1u);
  EXPECT_NE(desktop->Windows()[0]->LocationURL().find("CreatePortal.asp"), std::string::npos);
}

}  // namespace
}  // namespace qv::addin::testing
