#include <gtest/gtest.h>

#include "platform/files.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/errors.h"
#include "word/render.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Variant;
using testing::ErrorNumber;
using testing::WordTest;

class PersistenceTest : public WordTest {
 protected:
  // A document with every kind of thing the add-in stores.
  void Build() {
    doc->Content()->SetText("Heading\r");
    auto t = doc->Tables()->Add(R(8, 8), 3, 2);
    t->RowList()[0]->Cells()->Merge();
    auto box = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
    auto inner = doc->Tables()->Add(box->Cell(1, 1)->Range(), 1, 1, 1, 2);
    inner->Cell(1, 1)->Range()->InsertAfter("Grüße & \"quotes\" = 1");
    auto marker =
        doc->InlineShapes()->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range());
    marker->SetAlternativeText(std::string("kzoO5&ans=a\x01;b\x02&h=1&w=20 é"));
    doc->InlineShapes()->AddOLEControl("Forms.TextBox.1", t->Cell(3, 2)->Range())->Control()->text =
        "answer";
    auto shape = doc->Shapes()->AddShape(1, 10, 12, 100, 65, t->Cell(3, 1)->Range());
    shape->Mutable().alt = "kzoA7&type=1";
    shape->Mutable().textFrame.text = "label";
    doc->Shapes()->AddPicture(Gif("p.png", 4, 4).string());
    doc->CustomDocumentProperties()->Add("KZOConvert", false, 4, Variant("7"));
    doc->CustomDocumentProperties()->Add("Pages", false, 1, Variant(3));
    t->Cell(2, 2)->SetPadding(kTop, 2);
    t->Shading()->SetBackgroundPatternColor(0);
    R(0, 7)->Font()->SetName("Arial");
    R(0, 0)->ParagraphFormat()->SetKeepWithNext(true);
    R(doc->Content()->End() - 1, doc->Content()->End() - 1)->InsertBefore("a\fb");
    Check();
  }
};

TEST_F(PersistenceTest, ADocumentSavesAndReopensIdentical) {
  Build();
  const auto file = profile.Dir() / "round.doc";
  doc->SaveAs(file.string());
  const auto before = DocumentToJson(*doc);
  const std::string drawn = RenderDocument(*doc);
  doc->Close();
  auto again = app->Documents()->Open(file.string());
  again->GetStory().CheckInvariants();
  EXPECT_TRUE(again->Saved());
  EXPECT_EQ(DocumentToJson(*again), before);
  EXPECT_EQ(RenderDocument(*again), drawn);
  // The objects work after reopening: the nested box knows its level.
  auto t = again->Tables()->Item(1);
  EXPECT_EQ(t->Cell(2, 1)->Range()->Tables()->Item(1), t);
  const int64_t inDeep = t->Cell(2, 1)->Range()->Start() + 1;
  EXPECT_EQ(again->Range(inDeep, inDeep)->Tables()->Item(1)->NestingLevel(), 3);
  EXPECT_EQ(again->InlineShapes()->Item(1)->AlternativeText(),
            std::string("kzoO5&ans=a\x01;b\x02&h=1&w=20 é"));
}

TEST_F(PersistenceTest, ACorruptFileIsRefusedAndLeftAsItWas) {
  const std::string bad[] = {
      "not json at all",
      R"({"format": "something-else", "version": 1})",
      R"({"format": "quorvanta-word-document", "version": 1, "text": "a\r"})",
  };
  for (const auto& content : bad) {
    const auto file = profile.Dir() / "bad.doc";
    ASSERT_TRUE(platform::WriteFileAtomically(file, content));
    EXPECT_EQ(ErrorNumber([&] { app->Documents()->Open(file.string()); }), kErrCorruptFile);
    EXPECT_EQ(*platform::ReadWholeFile(file), content);
    EXPECT_EQ(app->Documents()->Count(), 1);
  }
  EXPECT_EQ(ErrorNumber([&] { app->Documents()->Open((profile.Dir() / "none.doc").string()); }),
            kErrFileNotFound);
}

TEST_F(PersistenceTest, AFileWithBrokenStructureIsRefused) {
  Build();
  auto record = DocumentToJson(*doc);
  struct Case {
    const char* what;
    std::function<void(nlohmann::json&)> damage;
  };
  const Case cases[] = {
      {"cell end moved",
       [](nlohmann::json& j) { j["tables"][0]["rows"][0]["cells"][0]["end"] = 0; }},
      {"picture lost", [](nlohmann::json& j) { j["inlineShapes"].erase(0); }},
      {"runs short", [](nlohmann::json& j) { j["fontRuns"].erase(0); }},
      {"bad base64", [](nlohmann::json& j) { j["inlineShapes"][0]["image"]["data"] = "***"; }},
      {"anchor outside", [](nlohmann::json& j) { j["shapes"][0]["anchor"] = 100000; }},
  };
  for (const auto& c : cases) {
    auto damaged = record;
    c.damage(damaged);
    const auto file = profile.Dir() / "damaged.doc";
    ASSERT_TRUE(platform::WriteFileAtomically(file, damaged.dump()));
    EXPECT_EQ(ErrorNumber([&] { app->Documents()->Open(file.string()); }), kErrCorruptFile)
        << c.what;
  }
}

TEST(Base64, RoundTripsEveryLength) {
  for (const std::string& s :
       std::vector<std::string>{"", "a", "ab", "abc", "abcd", std::string("\0\xff\x10", 3)}) {
    std::string back;
    ASSERT_TRUE(Base64Decode(Base64Encode(s), back));
    EXPECT_EQ(back, s);
  }
  std::string out;
  EXPECT_FALSE(Base64Decode("abc", out));
  EXPECT_FALSE(Base64Decode("ab=c", out));
}

}  // namespace
}  // namespace qv::word
