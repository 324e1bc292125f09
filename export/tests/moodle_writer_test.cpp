// Moodle XML of a document holding every question type: valid against our schema of the subset
// we write (which holds Moodle's grade-list rule), and each type as the question Moodle imports.

#include "export/moodle_writer.h"
#include "export/quiz_reader.h"
#include "export/tests/quiz_document_fixture.h"
#include "export/tests/schema_support.h"
#include "export/xml_check.h"

namespace qv::exporter::testing {
namespace {

const std::filesystem::path kSchema =
    std::filesystem::path(QV_EXPORT_SCHEMA_DIR) / "moodle_quiz_subset.xsd";

TEST_F(QuizDocumentTest, MoodleXmlOfEveryTypeIsValidWithFractionsFromTheGradeList) {
  BuildEveryType();
  const std::string xml = MoodleXml(ReadQuiz(doc));
  EXPECT_EQ(Joined(SchemaErrors(xml, kSchema)), "") << xml;
  for (const char* type :
       {"multichoice", "truefalse", "cloze", "essay", "ddimageortext", "ddmarker"})
    EXPECT_NE(xml.find(std::string("type=\"") + type + "\""), std::string::npos) << type;
  EXPECT_NE(xml.find("{1:SHORTANSWER_C:=France} and Rome of {1:SHORTANSWER_C:=Italy~=Italia}"),
            std::string::npos);
  EXPECT_NE(xml.find("<shape>polygon</shape>"), std::string::npos) << "an oval that is no circle";
}

TEST(MoodleGrades, TheNearestGradeValueIsWritten) {
  EXPECT_EQ(NearestMoodleGrade(100.0 / 3), 33.33333);
  EXPECT_EQ(NearestMoodleGrade(-100.0 / 7), -14.28571);
  EXPECT_EQ(NearestMoodleGrade(100.0 / 11), 10) << "9.09 has no grade value of its own";
  EXPECT_TRUE(IsMoodleGrade("33.33333"));
  EXPECT_FALSE(IsMoodleGrade("33"));
}

TEST(MoodleSchema, RefusesAFractionOutsideTheGradeList) {
  const std::string xml =
      R"(<quiz><question type="multichoice"><answer fraction="33" format="html"><text>a</text></answer></question></quiz>)";
  EXPECT_NE(SchemaErrors(xml, kSchema), std::vector<std::string>{});
}

}  // namespace
}  // namespace qv::exporter::testing
