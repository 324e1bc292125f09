// Texts from a document reach every format intact or, where XML cannot hold a character, without
// it: never as a file a learning system refuses.

#include <gtest/gtest.h>

#include "export/moodle_writer.h"
#include "export/qti_writer.h"
#include "export/tests/schema_support.h"
#include "export/xml_check.h"
#include "export/xml_tree.h"

namespace qv::exporter::testing {
namespace {

TEST(XmlSafe, DropsWhatXmlCannotHoldAndKeepsTheRest) {
  EXPECT_EQ(XmlSafe("a\x01"
                    "b\x0c"
                    "c"),
            "abc");
  EXPECT_EQ(XmlSafe("line\r\nnext\rlast\n"), "line\nnext\nlast\n");
  EXPECT_EQ(XmlSafe("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC") << "UTF-8 kept";
  EXPECT_EQ(XmlSafe("bad\xFF\xC3"
                    "end"),
            "badend")
      << "malformed UTF-8 dropped";
  EXPECT_EQ(NumberText(100.0 / 3), "33.33333");
  EXPECT_EQ(NumberText(2.50), "2.5");
  EXPECT_EQ(NumberText(-0.0), "0");
}

TEST(XmlSafe, AwkwardTextsStillGiveValidItems) {
  QV_REQUIRE_SCHEMAS();
  Quiz quiz;
  Question q;
  q.identifier = "Q1";
  q.text = "Is x<y && y>\"z\"? \x02 ]]> \xFF";
  q.points = 3;
  q.correctFeedback = "C:\\temp </script> \x07";
  q.answers = {{"<b>yes</b>", true}, {"no & never", false}};
  quiz.pages.push_back({PageKind::Questions, "", {}, {}, {q}});
  std::vector<PackageFile> files;
  std::vector<std::string> referenced;
  const std::string item = QtiItem(quiz, q, QtiVersion::V21, files, referenced);
  EXPECT_EQ(Joined(SchemaErrors(item, SchemaDir() / "qti/qtiv2p1/imsqti_v2p1.xsd")), "") << item;
  EXPECT_NE(item.find("<simpleChoice identifier=\"A1\">&lt;b&gt;yes&lt;/b&gt;</simpleChoice>"),
            std::string::npos)
      << item;
  const std::string moodle = MoodleXml(quiz);
  EXPECT_EQ(Joined(SchemaErrors(
                moodle, std::filesystem::path(QV_EXPORT_SCHEMA_DIR) / "moodle_quiz_subset.xsd")),
            "")
      << moodle;
}

}  // namespace
}  // namespace qv::exporter::testing
