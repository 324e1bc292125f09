// The Add New Question dialog: what it shows for the type chosen, how it checks the number of
// answers, which question class it asks to build the question, what it remembers, and that the
// add-in's commands are disabled exactly while it is loaded.

#include "addin/dialogs/dlgCreateQuestion.h"

#include <fstream>

#include "addin/connect/command_bar_setup.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/tests/reporting_fixture.h"
#include "browser/web_browser.h"
#include "office/command_bar.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "online/reg.h"
#include "online/settings_keys.h"

namespace qv::addin::testing {
namespace {

using automation::Variant;

// A question class that only records that it was asked to build a question.
class RecordingQuestion : public automation::Dispatch {
 public:
  explicit RecordingQuestion(std::vector<std::string>& calls, std::string progId)
      : calls_(calls), progId_(std::move(progId)) {}
  const automation::DispatchTable& Members() const override {
    static const automation::DispatchTable table =
        automation::ClassTable<RecordingQuestion>("RecordingQuestion")
            .Sub("CreateQuestion",
                 [](RecordingQuestion& q, automation::Args& a) {
                   q.calls_.push_back(q.progId_ + (a.Object(0) ? " app" : " no app"));
                 })
            .Build();
    return table;
  }

 private:
  std::vector<std::string>& calls_;
  std::string progId_;
};

struct CreateQuestionDialog : ReportingQuestionTest {
  std::shared_ptr<dlgCreateQuestion> dlg;
  std::vector<std::string> built;  // what RecordingQuestion objects were asked to build

  void SetUp() override {
    ReportingQuestionTest::SetUp();
    for (int32_t code : {0, 1, 3, 4, 5, 6, 7, 9})
      word::testing::WritePicture(G().IMG_PATH, "qti" + std::to_string(code) + ".bmp", "bmp", 160,
                                  120);
    CommandRefs refs;
    int f = 0;
    std::string trace;
    CommandBarSetup setup(*app->CommandBars(), refs, "KZOWord.Connect", false, f, trace);
    setup.BuildMenu(false);
    setup.BuildToolbar(false);
    online::reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
  }
  void TearDown() override {
    if (dlg && dlg->IsLoaded()) dlg->ForceUnload();
    ReportingQuestionTest::TearDown();
  }

  // Opens a new dialog as the command does.
  dlgCreateQuestion& Open() {
    dlg = dlgCreateQuestion::Create();
    dlg->Display(app);
    return *dlg;
  }
  // Replaces the question classes by recording ones.
  void Record() {
    dlg->MakeQuestion = [this](const std::string& progId) {
      return std::make_shared<RecordingQuestion>(built, progId);
    };
  }
  // Chooses the entry at `position`, types `count` and presses "&Add".
  void Add(int32_t position, const std::string& count) {
    dlg->lstQTypes.ListIndex(position);
    dlg->txtNumAns.Text(count);
    dlg->btnContinue.Click();
  }

  // Every command of the toolbar and of the menu has this enabled state.
  bool CommandsAre(bool enabled) {
    auto check = [&](const std::shared_ptr<office::CommandBarControls>& controls) {
      for (const auto& c : controls->All())
        if (c->Enabled() != enabled) return false;
      return true;
    };
    auto tools = std::dynamic_pointer_cast<office::CommandBarPopup>(
        app->CommandBars()->Item(std::string("Menu Bar"))->Controls()->Item(std::string("Tools")));
    auto menu = std::dynamic_pointer_cast<office::CommandBarPopup>(
        tools->Controls()->Item(std::string("Quorvanta")));
    return check(app->CommandBars()->Item(std::string("Quorvanta"))->Controls()) &&
           check(menu->Controls());
  }
  static std::string Setting(const char* name) {
    return online::reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, name).ToText();
  }
};

TEST_F(CreateQuestionDialog, FirstUseShowsTrueFalseWithItsPictureAndExamplePage) {
  auto& d = Open();
  EXPECT_TRUE(d.Visible());
  EXPECT_FALSE(d.IsModal());
  EXPECT_EQ(d.Caption(), "Add New Question...");
  const std::vector<std::string> expected = {"True/False",
                                             "Multiple Choice",
                                             "Multiple Response",
                                             "Multiple Choice with Fill-in-the-Blank",
                                             "Multiple Response with Fill-in-the-Blank",
                                             "Fill-in-the-Blank",
                                             "Drag and Drop",
                                             "Hot Spot"};
  ASSERT_EQ(d.lstQTypes.ListCount(), 8);
  for (int32_t i = 0; i < 8; ++i)
    EXPECT_EQ(d.lstQTypes.List(i), expected[static_cast<size_t>(i)]);
  EXPECT_EQ(d.lstQTypes.ListIndex(), 0);
  EXPECT_FALSE(d.lblNumAns.Visible());
  EXPECT_FALSE(d.txtNumAns.Visible());
  EXPECT_EQ(d.txtNumAns.Text(), "4");
  EXPECT_EQ(d.picPreview.Picture().path, G().IMG_PATH + "qti9.bmp");
  EXPECT_EQ(d.quizPreview.LocationURL(), "http://courses.quorvanta.example" +
                                             std::string(kExamplePagePrefix) +
                                             "5836/qti_examples-1.htm");
  EXPECT_EQ(server.Requests().front().rfind("GET /prot/", 0), 0u) << "fetched from the course host";
  EXPECT_TRUE(CommandsAre(false));

  // Choosing a choice type shows the count; its own picture and page follow the choice.
  d.lstQTypes.ListIndex(3);
  EXPECT_TRUE(d.lblNumAns.Visible() && d.txtNumAns.Visible());
  EXPECT_EQ(d.picPreview.Picture().path, G().IMG_PATH + "qti3.bmp");
  EXPECT_NE(d.quizPreview.LocationURL().find("5839/qti_examples-4.htm"), std::string::npos);
  d.btnCancel.Click();
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_TRUE(CommandsAre(true));
  EXPECT_EQ(Setting("LastQType"), "") << "Cancel stores nothing";
}

TEST_F(CreateQuestionDialog, BuildsAMultipleChoiceQuestionAndRemembersThePosition) {
  auto& d = Open();
  Add(1, "3");
  EXPECT_FALSE(d.IsLoaded()) << driver->Text();
  ASSERT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(doc->Tables()->Item(1)->Rows()->Count(), 6) << "three answer rows";
  EXPECT_EQ(Setting("LastQType"), "1") << "the list position, not the type code";
  EXPECT_EQ(Setting("numAs"), "3");
  EXPECT_EQ(G().numAs, 3);
  EXPECT_TRUE(CommandsAre(true));
  const std::string transcript = driver->Text();
  const auto hide = transcript.find("Hide dlgCreateQuestion");
  const auto progress = transcript.find("Show dlgProgress");
  const auto unload = transcript.find("Unload dlgCreateQuestion by code");
  EXPECT_TRUE(hide < progress && progress < unload) << transcript;

  // The next dialog starts where this one ended.
  PlaceAtEnd();
  auto& again = Open();
  EXPECT_EQ(again.lstQTypes.ListIndex(), 1);
  EXPECT_EQ(again.txtNumAns.Text(), "3");
  again.btnCancel.Click();
  online::reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "LastQType", Variant("7"),
                        online::reg::REG_SZ);
  auto& hotSpot = Open();
  EXPECT_EQ(hotSpot.lstQTypes.Text(), "Hot Spot");
  EXPECT_FALSE(hotSpot.txtNumAns.Visible());
  EXPECT_TRUE(Reports().empty());
}

TEST_F(CreateQuestionDialog, RefusesAnswerCountsWithTheirMessagesAndStaysOpen) {
  auto& d = Open();
  Record();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1", "This question type must have at least 2 answers in order to add it to your document."},
      {"0", "Enter a positive number of answers to create."},
      {"-3", "Enter a positive number of answers to create."},
      {"0.5", "Enter a positive number of answers to create."},
      {"abc", "Enter a valid number of answers to create."},
      {"1e12", "Enter a valid number of answers to create."},
      {"", "Enter the number of answers to create."},
  };
  for (const auto& [typed, message] : cases) {
    driver->ClearTranscript();
    Add(1, typed);
    ASSERT_EQ(Messages().size(), 1u) << typed;
    EXPECT_EQ(Messages()[0], message) << typed;
    EXPECT_TRUE(d.Visible()) << typed;
    EXPECT_EQ(d.txtNumAns.Text(), typed) << "the text stays for correction";
  }
  EXPECT_TRUE(built.empty());
  EXPECT_EQ(G().numAs, 4);
  EXPECT_EQ(Setting("numAs"), "");
  EXPECT_TRUE(CommandsAre(false));

  // Without a selection nothing can be built.
  driver->ClearTranscript();
  d.lstQTypes.ListIndex(-1);
  d.btnContinue.Click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Select a question type to create on the left and try again.");
}

TEST_F(CreateQuestionDialog, RoundsTheCountHalfToEvenAndStoresItAsTyped) {
  Open();
  Add(1, "3.5");
  ASSERT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(doc->Tables()->Item(1)->Rows()->Count(), 7) << "3.5 gives 4 answers";
  EXPECT_EQ(Setting("numAs"), "3.5");
  EXPECT_EQ(G().numAs, 4);

  PlaceAtEnd();
  Open();
  Add(1, "1.5");
  ASSERT_EQ(doc->Tables()->Count(), 2) << driver->Text();
  EXPECT_EQ(doc->Tables()->Item(2)->Rows()->Count(), 5) << "1.5 gives 2 answers";
}

TEST_F(CreateQuestionDialog, EveryTypeAsksItsOwnClassAndTypesWithoutCountIgnoreTheBox) {
  const std::vector<std::string> classes = {"TrueFalse",
                                            "MultipleChoice",
                                            "MultipleCorrect",
                                            "MultipleChoiceFillInTheBlank",
                                            "MultipleCorrectFillInTheBlank",
                                            "FillInTheBlank",
                                            "ImageTag",
                                            "ImageHotSpot"};
  for (int32_t position = 0; position < 8; ++position) {
    built.clear();
    auto& d = Open();
    Record();
    // The box of a type without a count may hold anything: it is neither checked nor stored.
    const bool counted = position >= 1 && position <= 4;
    const int32_t countBefore = G().numAs;
    const std::string storedBefore = Setting("numAs");
    Add(position, counted ? "5" : "abc");
    ASSERT_EQ(built.size(), 1u) << position << driver->Text();
    EXPECT_EQ(built[0], "KZOWord." + classes[static_cast<size_t>(position)] + " app");
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_EQ(Setting("LastQType"), std::to_string(position));
    // Only a number is taken as the count.
    EXPECT_EQ(G().numAs, counted ? 5 : countBefore);
    EXPECT_EQ(Setting("numAs"), counted ? "5" : storedBefore);
  }
  EXPECT_TRUE(Messages().empty()) << driver->Text();
  EXPECT_TRUE(Reports().empty());
}

TEST_F(CreateQuestionDialog, DoubleClickIsSelectAndAdd) {
  auto& d = Open();
  Record();
  d.txtNumAns.Text("2");
  d.lstQTypes.DblClickItem(2);
  ASSERT_EQ(built.size(), 1u);
  EXPECT_EQ(built[0], "KZOWord.MultipleCorrect app");
  EXPECT_EQ(Setting("LastQType"), "2");
  EXPECT_FALSE(d.IsLoaded());

  // A refused count refuses the double click as well.
  auto& again = Open();
  Record();
  again.txtNumAns.Text("1");
  again.lstQTypes.DblClickItem(1);
  EXPECT_TRUE(again.Visible());
  EXPECT_EQ(built.size(), 1u);
}

TEST_F(CreateQuestionDialog, InsideAQuestionTheGuardRefusesAndNothingOpens) {
  MultipleChoice().CreateQuestion(app);
  auto table = doc->Tables()->Item(1);
  PlaceInCell(table, 3, 1);
  driver->ClearTranscript();
  auto& d = Open();
  EXPECT_FALSE(d.IsLoaded());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(
      Messages()[0].rfind("You cannot insert a new question into an existing question table.", 0),
      0u);
  EXPECT_TRUE(CommandsAre(true));
  EXPECT_EQ(driver->Text().find("Show dlgCreateQuestion"), std::string::npos);
}

TEST_F(CreateQuestionDialog, AFailedCreationIsReportedAndTheCommandsComeBack) {
  auto& d = Open();
  d.MakeQuestion = [](const std::string&) { return automation::ObjectRef(); };
  Add(1, "4");
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("An error has occurred in dlgCreateQuestion.CreateQTI\r\n", 0), 0u)
      << reports[0];
  EXPECT_FALSE(d.IsLoaded()) << "a hidden dialog would keep the commands disabled";
  EXPECT_TRUE(CommandsAre(true));
  EXPECT_EQ(Setting("LastQType"), "") << "nothing stored after the error";
}

TEST_F(CreateQuestionDialog, AStoredTypeOutsideTheListIsReportedAndTheFirstChosen) {
  for (const char* stored : {"12", "abc"}) {
    online::reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "LastQType",
                          Variant(stored), online::reg::REG_SZ);
    auto& d = Open();
    EXPECT_TRUE(d.Visible()) << stored;
    EXPECT_EQ(d.lstQTypes.ListIndex(), 0) << stored;
    EXPECT_TRUE(CommandsAre(false));
    d.btnCancel.Click();
  }
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 2u);
  for (const auto& r : reports)
    EXPECT_EQ(r.rfind("An error has occurred in dlgCreateQuestion.Display\r\n", 0), 0u) << r;
}

TEST_F(CreateQuestionDialog, AMissingOrDamagedPreviewPictureShowsNone) {
  std::filesystem::remove(G().IMG_PATH + "qti9.bmp");
  std::ofstream(G().IMG_PATH + "qti0.bmp") << "not a picture";
  auto& d = Open();
  EXPECT_TRUE(d.Visible());
  EXPECT_TRUE(d.picPreview.Picture().Empty());
  d.lstQTypes.ListIndex(3);
  EXPECT_FALSE(d.picPreview.Picture().Empty());
  d.lstQTypes.ListIndex(1);
  EXPECT_TRUE(d.picPreview.Picture().Empty()) << "no picture rather than the last one";
  EXPECT_TRUE(Reports().empty());
}

}  // namespace
}  // namespace qv::addin::testing
