// "Add to Course": the active document is prepared (stamped, checked, page data recorded, saved)
// and the course portal is shown, reusing the browser window the author works in.

#include "addin/online/course_portal.h"

#include "addin/document/save_processing.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/tests/question_fixture.h"
#include "browser/dom/html_document.h"
#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/net/host_overrides.h"
#include "platform/net/testing/loopback_server.h"
#include "word/custom_properties.h"

namespace qv::addin::testing {
namespace {

namespace reg = online::reg;
using browser::BrowserWindow;

constexpr const char* kPortal =
    "http://courses.quorvanta.example/Groups/Config/CreatePortal.asp?kzoUser=False";

struct CoursePortal : QuestionTest {
  // Every page the browser asks for is titled by its path.
  qv::testing::LoopbackServer server{[](qv::testing::LoopbackServer::Connection& c) {
    const std::string request = c.ReadRequest();
    const auto from = request.find(' ') + 1;
    const std::string path = request.substr(from, request.find(' ', from) - from);
    const std::string body = "<html><head><title>" + path + "</title></head><body></body></html>";
    c.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body);
  }};
  std::shared_ptr<browser::BrowserDesktop> desktop = browser::BrowserDesktop::Shared();

  void SetUp() override {
    QuestionTest::SetUp();
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", server.Port()));
    reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
    G().strHost = "school.example";
    G().strQuery = "/Groups/Portal.asp?id=7";
    G().kzoUser = false;
  }
  void TearDown() override {
    desktop->CloseAll();
    (void)platform::UnmapHost(online::kDefaultCourseHost);
    QuestionTest::TearDown();
  }

  // An open browser window whose page carries `title`, as the course host's pages do.
  std::shared_ptr<BrowserWindow> OpenWindow(const std::string& title) {
    auto window = desktop->NewWindow();
    window->Visible(true);
    window->Navigate("about:blank");
    window->Document()->Title(title);
    return window;
  }

  static std::string LastPath() {
    return reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, "LastPath").ToText();
  }

  // A multiple-choice question at the end of the document; complete when an answer is marked.
  std::shared_ptr<word::Table> AddQuestion(bool complete) {
    PlaceAtEnd();
    MultipleChoice().CreateQuestion(app);
    auto table = doc->Tables()->Item(doc->Tables()->Count());
    if (complete)
      table->Cell(4, 1)->Range()->InlineShapes()->Item(1)->SetAlternativeText("kzoA0&checked=on");
    return table;
  }

  // A saved course document holding one complete question.
  void SaveAsCourseDocument() {
    doc->SaveAs((profile.Dir() / "Unit1.doc").string());
    AddQuestion(true);
  }

  static std::string Property(word::Document& d, const std::string& name) {
    auto* property = d.Properties().Find(name);
    return property ? property->value.ToText() : "<missing>";
  }
};

TEST_F(CoursePortal, WithNoDocumentOnlyThePortalOpensInANewWindow) {
  doc->Close();
  FindIE();
  ASSERT_EQ(desktop->Windows().size(), 1u);
  auto window = desktop->Windows()[0];
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(window->LocationURL(), kPortal);
  EXPECT_EQ(window->Document()->Title(), "/Groups/Config/CreatePortal.asp?kzoUser=False");
  EXPECT_EQ(window->ShowState(), platform::SW_RESTORE);
  EXPECT_GT(window->FocusCount(), 0);
  EXPECT_TRUE(driver->Transcript().empty()) << driver->Text();
  EXPECT_EQ(LastPath(), "");
}

TEST_F(CoursePortal, ThePortalAddressDependsOnTheUsersPortal) {
  EXPECT_EQ(PortalAddress(), std::string(kPortal).substr(7)) << "no scheme in front";
  G().kzoUser = true;
  EXPECT_EQ(PortalAddress(), "school.example/Groups/Portal.asp?id=7");
  G().strHost = "";
  EXPECT_EQ(PortalAddress(),
            "courses.quorvanta.example/Groups/Config/CreatePortal.asp?kzoUser=True");
}

TEST_F(CoursePortal, TheDocumentIsPreparedBeforeThePortalIsShown) {
  doc->SaveAs((profile.Dir() / "Notes.doc").string());
  Type("Reading for the week");
  ASSERT_FALSE(IsConvertedDocument(*doc, kConvertedMark));
  FindIE();
  EXPECT_TRUE(IsConvertedDocument(*doc, kConvertedMark)) << "stamped first";
  EXPECT_EQ(Property(*doc, "KZOST1"), "Reading for the week");
  EXPECT_EQ(Property(*doc, "KZOSlideTypes"), "5");
  EXPECT_TRUE(doc->Saved());
  EXPECT_EQ(LastPath(), doc->FullName());
  EXPECT_TRUE(driver->Transcript().empty()) << driver->Text();
  ASSERT_EQ(desktop->Windows().size(), 1u);
  EXPECT_EQ(desktop->Windows()[0]->LocationURL(), kPortal);
}

TEST_F(CoursePortal, AnIncompleteQuestionEndsTheCommandBeforeAnyWindowIsTouched) {
  doc->SaveAs((profile.Dir() / "Unit1.doc").string());
  auto table = AddQuestion(false);
  auto editor = OpenWindow("school.example - Lesson Editor");
  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbNo);  // the author will fix the question
  FindIE();
  ASSERT_EQ(Messages().size(), 1u) << driver->Text();
  EXPECT_EQ(Messages()[0].rfind("WARNING:  The document Unit1.doc contains errors", 0), 0u)
      << Messages()[0];
  EXPECT_EQ(Property(*doc, "KZOSlideTypes"), "<missing>") << "not processed";
  EXPECT_EQ(LastPath(), "");
  EXPECT_EQ(editor->FocusCount(), 0);
  EXPECT_EQ(desktop->Windows().size(), 1u);

  // Once the question is complete the same command goes through.
  driver->ClearTranscript();
  table->Cell(4, 1)->Range()->InlineShapes()->Item(1)->SetAlternativeText("kzoA0&checked=on");
  FindIE();
  EXPECT_TRUE(Messages().empty()) << driver->Text();
  EXPECT_EQ(Property(*doc, "KZOSlideTypes"), "6");
  EXPECT_GT(editor->FocusCount(), 0);
}

TEST_F(CoursePortal, AnErrorWhileRecordingIsReportedBeforeAnyWindowIsTouched) {
  doc->SaveAs((profile.Dir() / "Unit1.doc").string());
  Type("Intro");
  AddQuestion(true);
  // A number property whose name differs from the page types' only in case is not page data of
  // an earlier run, but the word processor takes it for "KZOSlideTypes": "5,6" is no number.
  doc->CustomDocumentProperties()->Add("kzoslidetypes", false, word::msoPropertyTypeNumber,
                                       automation::Variant(1));
  driver->ClearTranscript();
  FindIE();
  EXPECT_TRUE(desktop->Windows().empty());
  EXPECT_EQ(LastPath(), "");
  ASSERT_EQ(Messages().size(), 1u) << driver->Text();
  bool reported = false;
  for (const auto& request : server.Requests())
    if (request.rfind("POST /Err/rptErr.asp", 0) == 0 &&
        request.find("online.FindIE") != std::string::npos)
      reported = true;
  EXPECT_TRUE(reported);
}

TEST_F(CoursePortal, ADocumentThatCouldNotBeSavedDoesNotGoToThePortal) {
  Type("Never saved");
  FindIE();
  EXPECT_EQ(Messages().size(), 1u) << driver->Text();
  EXPECT_FALSE(doc->Saved());
  EXPECT_TRUE(desktop->Windows().empty());
  EXPECT_EQ(LastPath(), "");
}

TEST_F(CoursePortal, TheWindowTheAuthorWorksInComesToTheFrontAsItIs) {
  SaveAsCourseDocument();
  auto portal = OpenWindow("school.example");
  auto list = OpenWindow("SCHOOL.EXAMPLE - Lesson LIST");
  auto editor = OpenWindow("school.example - Lesson Editor");
  editor->ShowWindow(platform::SW_SHOWMINIMIZED);
  const int32_t focusBefore = editor->FocusCount();

  FindIE();
  EXPECT_EQ(desktop->Windows().size(), 3u) << "no new window";
  EXPECT_EQ(editor->ShowState(), platform::SW_RESTORE);
  EXPECT_GT(editor->FocusCount(), focusBefore);
  EXPECT_EQ(editor->LocationURL(), "about:blank") << "the lesson editor is not reloaded";
  EXPECT_EQ(editor->Document()->Title(), "school.example - Lesson Editor");
  EXPECT_EQ(list->FocusCount(), 0);
  EXPECT_EQ(portal->FocusCount(), 0);

  editor->Quit();
  FindIE();
  EXPECT_GT(list->FocusCount(), 0) << "the lesson list, matched without regard to case";
  EXPECT_EQ(portal->FocusCount(), 0);
  list->Quit();
  FindIE();
  EXPECT_GT(portal->FocusCount(), 0);
  EXPECT_EQ(portal->LocationURL(), "about:blank");
  EXPECT_EQ(desktop->Windows().size(), 1u);
}

TEST_F(CoursePortal, WindowsWithoutAReadablePageArePassedOver) {
  auto blank = desktop->NewWindow();  // never navigated: no page
  auto other = OpenWindow("Tutorials");
  auto portal = OpenWindow("Welcome to school.example");
  EXPECT_EQ(FindIEWin("School.Example"), automation::ObjectRef(portal));
  EXPECT_EQ(FindIEWin("Tutorials"), automation::ObjectRef(other));
  EXPECT_EQ(FindIEWin("Lesson Editor"), nullptr);
  EXPECT_EQ(FindIEWin(""), nullptr) << "the empty text names no window";
  EXPECT_TRUE(driver->Transcript().empty());
}

TEST_F(CoursePortal, ShowIENavigatesOnlyWhenGivenAnAddress) {
  auto window = OpenWindow("school.example");
  ShowIE(window, "");
  EXPECT_EQ(window->LocationURL(), "about:blank");
  ShowIE(window, "courses.quorvanta.example/Groups/LessonList.asp");
  EXPECT_EQ(window->LocationURL(), "http://courses.quorvanta.example/Groups/LessonList.asp");
  EXPECT_EQ(window->Document()->Title(), "/Groups/LessonList.asp");
  ShowIE(nullptr, "ignored");  // nothing to show: every step skipped
}

}  // namespace
}  // namespace qv::addin::testing
