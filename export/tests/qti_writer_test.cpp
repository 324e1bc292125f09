// The QTI 2.1 and 3.0 packages of a document holding every question type: every item, the test
// and the manifest valid against the schemas, and the scoring each item carries.

#include "export/qti_writer.h"
#include "export/quiz_reader.h"
#include "export/tests/quiz_document_fixture.h"
#include "export/tests/schema_support.h"
#include "export/xml_check.h"

namespace qv::exporter::testing {
namespace {

const PackageFile* Find(const std::vector<PackageFile>& files, const std::string& name) {
  for (const auto& f : files)
    if (f.name == name) return &f;
  return nullptr;
}

struct QtiTest : QuizDocumentTest {
  Quiz quiz;
  void SetUp() override {
    QuizDocumentTest::SetUp();
    BuildEveryType();
    quiz = ReadQuiz(doc);
  }
  void ExpectValid(const std::vector<PackageFile>& files, const std::filesystem::path& itemXsd,
                   const std::filesystem::path& manifestXsd) {
    const SchemaChecker items(itemXsd), manifest(manifestXsd);
    for (const auto& f : files) {
      if (f.name.size() < 4 || f.name.substr(f.name.size() - 4) != ".xml") continue;
      const auto& checker = f.name == "imsmanifest.xml" ? manifest : items;
      EXPECT_EQ(Joined(checker.Errors(f.bytes)), "") << f.name << "\n" << f.bytes;
    }
  }
};

TEST_F(QtiTest, Qti21PackageOfEveryTypeIsValid) {
  QV_REQUIRE_SCHEMAS();
  const auto files = QtiPackage(quiz, QtiVersion::V21);
  ASSERT_EQ(files.front().name, "imsmanifest.xml");
  EXPECT_NE(Find(files, "assessment.xml"), nullptr);
  EXPECT_EQ(files.size(), 1 + 1 + 9 + 2 + 2u)
      << "manifest, test, 9 items, 2 backgrounds (the map and body drawn in), 2 labels drawn";
  ExpectValid(files, SchemaDir() / "qti/qtiv2p1/imsqti_v2p1.xsd",
              SchemaDir() / "qti/imscp_v1p1.xsd");
}

TEST_F(QtiTest, Qti30PackageOfEveryTypeIsValid) {
  QV_REQUIRE_SCHEMAS();
  const auto files = QtiPackage(quiz, QtiVersion::V30);
  ExpectValid(files, SchemaDir() / "qti/qtiv3p0/qti30-item-local.xsd",
              SchemaDir() / "qti/qtiv3p0/imsqtiv3p0_imscpv1p2_v1p0.xsd");
}

const PackageFile& ItemOf(const std::vector<PackageFile>& files, const exporter::Question& q) {
  const PackageFile* f = Find(files, q.identifier + ".xml");
  EXPECT_NE(f, nullptr) << q.identifier;
  static const PackageFile none;
  return f ? *f : none;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

TEST_F(QtiTest, ItemsCarryPointsPartialCreditAndTheLabelsEachVersionCanDrag) {
  const auto qs = quiz.Questions();
  const auto v21 = QtiPackage(quiz, QtiVersion::V21);
  const auto v30 = QtiPackage(quiz, QtiVersion::V30);
  const std::string& mr = ItemOf(v21, *qs[1]).bytes;
  EXPECT_NE(mr.find(R"(<mapEntry mapKey="A2" mappedValue="3"/>)"), std::string::npos) << mr;
  EXPECT_NE(mr.find(R"(<mapEntry mapKey="A3" mappedValue="-3"/>)"), std::string::npos);
  EXPECT_NE(mr.find("rptemplates/map_response"), std::string::npos) << "no feedback: template";

  const std::string& blanks = ItemOf(v21, *qs[4]).bytes;
  EXPECT_EQ(Count(blanks, "<textEntryInteraction"), 2u);
  EXPECT_NE(blanks.find(R"(mapKey="Italia" mappedValue="2.5" caseSensitive="true")"),
            std::string::npos);

  EXPECT_EQ(Count(ItemOf(v21, *qs[6]).bytes, "<gapImg"), 2u) << "2.1: labels drawn as pictures";
  EXPECT_EQ(Count(ItemOf(v30, *qs[6]).bytes, "<qti-gap-text"), 2u);
  EXPECT_NE(ItemOf(v30, *qs[0]).bytes.find("<p>Look at the sky &lt;again&gt;</p>"),
            std::string::npos);
}

TEST_F(QtiTest, TheCheckerRefusesWhatTheSchemaDoesNotAllow) {
  QV_REQUIRE_SCHEMAS();
  const auto files = QtiPackage(quiz, QtiVersion::V21);
  std::string item = Find(files, quiz.Questions()[0]->identifier + ".xml")->bytes;
  item.replace(item.find("<itemBody>"), 10, "<itemBody><blink/>");
  EXPECT_NE(SchemaErrors(item, SchemaDir() / "qti/qtiv2p1/imsqti_v2p1.xsd"),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace qv::exporter::testing
