// QTI 1.2 of a document holding every question type: valid against the DTD learning systems
// import, the types it can hold written as their importers expect, the others named.

#include "export/qti12_writer.h"
#include "export/quiz_reader.h"
#include "export/tests/quiz_document_fixture.h"
#include "export/tests/schema_support.h"
#include "export/xml_check.h"

namespace qv::exporter::testing {
namespace {

TEST_F(QuizDocumentTest, Qti12OfEveryTypeIsValidAndNamesWhatItCannotHold) {
  QV_REQUIRE_SCHEMAS();
  BuildEveryType();
  std::vector<std::string> omitted;
  const auto files = Qti12Package(ReadQuiz(doc), &omitted);
  ASSERT_EQ(files.size(), 2u);
  std::string xml = files[1].bytes;
  // The DTD knows no namespace: it is checked without the root's.
  const std::string ns = R"( xmlns="http://www.imsglobal.org/xsd/ims_qtiasiv1p2")";
  ASSERT_NE(xml.find(ns), std::string::npos);
  std::string plain = xml;
  plain.erase(plain.find(ns), ns.size());
  EXPECT_EQ(Joined(DtdErrors(plain, SchemaDir() / "qti12/ims_qtiasiv1p2p1.dtd")), "") << xml;
  std::string broken = plain;
  broken.replace(broken.find("<presentation>"), 14, "<presentation><blink/>");
  EXPECT_NE(DtdErrors(broken, SchemaDir() / "qti12/ims_qtiasiv1p2p1.dtd"),
            std::vector<std::string>{})
      << "the check is no formality";
  EXPECT_EQ(Joined(SchemaErrors(files[0].bytes, SchemaDir() / "qti/imscp_v1p1.xsd")), "");

  EXPECT_EQ(omitted, (std::vector<std::string>{"drag and drop \"Drag the labels onto the map.\"",
                                               "hot spot \"Click the heart.\""}));
  for (const char* type :
       {"multiple_choice_question", "multiple_answers_question", "true_false_question",
        "fill_in_multiple_blanks_question", "essay_question"})
    EXPECT_NE(xml.find(type), std::string::npos) << type;
  // The choice with a blank is two items sharing its 4 points.
  EXPECT_NE(xml.find("_choice\""), std::string::npos);
  EXPECT_NE(xml.find("Paris is the capital of [blank1] and Rome of [blank2] ."), std::string::npos);
}

}  // namespace
}  // namespace qv::exporter::testing
