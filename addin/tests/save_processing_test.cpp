// Save processing: the page titles and types a course document records for the course host, the
// save, the warning about text outside questions, and the short titles that name text pages.

#include "addin/document/save_processing.h"

#include "addin/document/Work.h"
#include "addin/document/page_breaks.h"
#include "addin/tests/question_fixture.h"
#include "word/custom_properties.h"

namespace qv::addin::testing {
namespace {

const char* const kOutsideWarning =
    "We found text above, between, or below the Quiz questions.  This text will not be displayed "
    "in your Course Web Pages.\r\n\r\nTo use this text, insert a Web Page break between the Quiz "
    "and the text.";

struct SaveProcessing : QuestionTest {
  std::string file;

  // The active document saved as Unit1.doc and stamped as a course document.
  void SetUp() override {
    QuestionTest::SetUp();
    file = (profile.Dir() / "Unit1.doc").string();
    doc->SaveAs(file);
    StampDocument(*doc);
  }

  static std::string Property(word::Document& d, const std::string& name) {
    auto* property = d.Properties().Find(name);
    return property ? property->value.ToText() : "<missing>";
  }
  std::string Property(const std::string& name) const { return Property(*doc, name); }

  // The page properties, "KZOST1=...|KZOST2=...|types".
  static std::string Pages(word::Document& d) {
    std::string out;
    for (int n = 1; d.Properties().Find("KZOST" + std::to_string(n)); ++n)
      out += "KZOST" + std::to_string(n) + "=" + Property(d, "KZOST" + std::to_string(n)) + "|";
    return out + Property(d, "KZOSlideTypes");
  }
  std::string Pages() const { return Pages(*doc); }

  // What the saved file holds, read by a second word processor.
  std::string SavedPages() {
    auto other = std::make_shared<word::Application>();
    auto copy = other->Documents()->Open(file);
    std::string pages = Pages(*copy);
    other->Quit();
    return pages;
  }

  void Break() { InsertBreakAtSelection(*doc); }
};

TEST_F(SaveProcessing, TextQuizTextIsThreePagesSavedWithTheDocument) {
  Type("Welcome to unit one");
  ASSERT_TRUE(Build(kMultipleChoice));
  PlaceAtEnd();
  Break();
  Type("Closing words");
  ASSERT_EQ(doc->InlineShapes()->Item(1)->AlternativeText(), "kzoB") << Rendering();

  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  const std::string expected =
      "KZOST1=Welcome to unit one|KZOST2=Unit1 Quiz 1|KZOST3=Closing words|5,6,5";
  EXPECT_EQ(Pages(), expected);
  EXPECT_EQ(SavedPages(), expected);
  EXPECT_TRUE(doc->Saved());
  EXPECT_EQ(app->StatusBar(), "");
  EXPECT_TRUE(Messages().empty()) << driver->Text();
  EXPECT_EQ(Rendering().find("Closing words \n"), std::string::npos) << "the blank was taken away";
}

TEST_F(SaveProcessing, QuizPagesAreNumberedAndNamedAfterTheDocument) {
  ASSERT_TRUE(Build(kMultipleChoice));
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Unit1 Quiz 1|6");

  PlaceAtEnd();
  Break();
  Type("Between");
  Break();
  ASSERT_TRUE(Build(kTrueFalse));
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Unit1 Quiz 1|KZOST2=Between|KZOST3=Unit1 Quiz 2|6,5,6");

  struct Case {
    const char* name;
    int32_t q;
    const char* title;
  } cases[] = {{"Unit1.doc", 1, "Unit1 Quiz 1"},
               {"Notes", 2, "Quiz 2"},
               {"my.unit.doc", 3, "my.unit Quiz 3"},
               {".doc", 1, "Quiz 1"}};
  for (const auto& c : cases)
    EXPECT_EQ(QuizPageTitle(c.name, c.q), c.title) << c.name;
}

TEST_F(SaveProcessing, OnlyTheFirstAndLastPageMayBeEmpty) {
  Break();
  Type("\r");
  Break();
  Type("\r");
  Break();
  Type("Text");
  Break();
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(),
            "KZOST1=Web Page 1|KZOST2=Web Page 2|KZOST3=Web Page 3|KZOST4=Text|KZOST5=Web Page 5|"
            "1,5,5,5,1");
}

TEST_F(SaveProcessing, PageDataOfAnEarlierRunIsReplaced) {
  auto props = doc->CustomDocumentProperties();
  for (const char* name : {"KZOST9", "KZOST2", "KZOSTale", "KZOSlideTypes"})
    props->Add(name, false, word::msoPropertyTypeString, automation::Variant("old"));
  props->Add("KZOST", false, word::msoPropertyTypeString, automation::Variant("kept"));
  Type("Only text");
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Only text|5");
  for (const char* name : {"KZOST9", "KZOST2", "KZOSTale"})
    EXPECT_EQ(Property(name), "<missing>") << name;
  EXPECT_EQ(Property("KZOST"), "kept") << "five characters are not page data";
  EXPECT_EQ(Property("KZOConvert"), "7");
}

TEST_F(SaveProcessing, TextOnAQuizPageIsWarnedAboutAfterSaving) {
  ASSERT_TRUE(Build(kMultipleChoice));
  PlaceAtEnd();
  const int64_t below = doc->Selection()->Start();
  Type("A sentence below the quiz.");
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Unit1 Quiz 1|6");
  ASSERT_EQ(Messages(), std::vector<std::string>{kOutsideWarning});
  EXPECT_EQ(driver->Transcript().back()->title, "Quorvanta Word Add-in");
  EXPECT_EQ(driver->Transcript().back()->buttons, ui::vbOKOnly);
  EXPECT_EQ(SavedPages(), "KZOST1=Unit1 Quiz 1|6") << "saved before the warning";

  // A break between the quiz and the sentence gives the sentence a page of its own.
  driver->ClearTranscript();
  PlaceAt(below);
  Break();
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Unit1 Quiz 1|KZOST2=A sentence below the quiz.|6,5");
  EXPECT_TRUE(Messages().empty()) << driver->Text();
  EXPECT_FALSE(TextOutsideQuestions());

  // Text before a question on its page counts too.
  PlaceAt(0);
  Type("Above");
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Messages(), std::vector<std::string>{kOutsideWarning});
}

TEST_F(SaveProcessing, AMarkerOutsideAnyTableDoesNotStopTheRecording) {
  Type("Intro ");
  doc->InlineShapes()
      ->AddPicture(G().IMG_PATH + "1x1.gif", false, true, doc->Selection()->Range())
      ->SetAlternativeText("kzoQ0&qID=ABCDEFGHIJKLMNOP&points=10");
  PlaceAtEnd();
  Type(" stray text");
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(), "KZOST1=Unit1 Quiz 1|6");
  EXPECT_EQ(Messages(), std::vector<std::string>{kOutsideWarning});
}

TEST_F(SaveProcessing, AFailedSaveLeavesTheDocumentUnsavedAndSaysSo) {
  auto fresh = app->Documents()->Add();
  StampDocument(*fresh);
  fresh->Selection()->TypeText("Never saved");
  EXPECT_EQ(ProcessKZOInfo(*fresh), SaveOutcome::NotSaved) << "the Save As choice was cancelled";
  EXPECT_FALSE(fresh->Saved());
  EXPECT_EQ(Pages(*fresh), "KZOST1=Never saved|5") << "the page data is recorded all the same";
  ASSERT_EQ(Messages().size(), 1u);
  const auto& box = *driver->Transcript().back();
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.icon, ui::vbCritical);
  EXPECT_EQ(box.text, "The document " + fresh->Name() +
                          " could not be saved: Command failed\r\n\r\n"
                          "Save it before you add it to a course.");
}

TEST_F(SaveProcessing, AnOrdinaryDocumentIsLeftUntouched) {
  auto plain = app->Documents()->Add();
  plain->Selection()->TypeText("Plain");
  auto work = std::make_shared<Work>();
  EXPECT_FALSE(automation::Call(work, "ProcessKZOInfo", {automation::Variant(plain)}).ToBool());
  EXPECT_EQ(plain->CustomDocumentProperties()->Count(), 0);
  EXPECT_FALSE(plain->Saved());
  EXPECT_TRUE(driver->Transcript().empty());

  Type("Course text");
  EXPECT_TRUE(automation::Call(work, "ProcessKZOInfo", {automation::Variant(doc)}).ToBool());
  EXPECT_EQ(Pages(), "KZOST1=Course text|5");
}

TEST_F(SaveProcessing, TextPagesAreTitledByTheirFirstWords) {
  Type("\t*** Read this first ***\tand then the rest\rSecond paragraph");
  Break();
  Type("  An opening line that runs well past forty characters");
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_EQ(Pages(),
            "KZOST1=*** Read this first ***|KZOST2=An opening line that runs well past fo|5,5")
      << "asterisks are text; at most 40 characters, blanks and tabs included";
}

}  // namespace
}  // namespace qv::addin::testing
