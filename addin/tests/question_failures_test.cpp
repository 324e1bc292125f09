// How module G's guard and table construction fail: each reports to the course host under its
// own name (with the step reached) and answers nothing or false.

#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/tests/reporting_fixture.h"

namespace qv::addin::testing {
namespace {

using Failures = ReportingQuestionTest;

TEST_F(Failures, AMissingMarkerPictureStopsTheBuildAtItsStepAndKeepsWhatWasBuilt) {
  G().IMG_PATH = (profile.Dir() / "nowhere").string() + "/";
  EXPECT_FALSE(Build(kMultipleChoice));
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("An error has occurred in G.SetupTable [23]\r\n\r\n", 0), 0u)
      << reports[0];
  EXPECT_EQ(doc->Tables()->Count(), 1) << "the table built so far stays";
  EXPECT_NE(driver->Text().find("MsgBox \"Error\""), std::string::npos) << driver->Text();
}

TEST_F(Failures, AWordProcessorStartedByAnotherProgramRefusesEveryInsertion) {
  G().startedFromOLE = true;
  EXPECT_FALSE(EverythingOK(kInsertingQuestion));
  EXPECT_FALSE(Build(kMultipleChoice));
  EXPECT_EQ(doc->Tables()->Count(), 0);
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].rfind("An error has occurred in G.EverythingOK\r\n\r\n"
                             "Addins not working...startedFromOLE is TRUE (0)\r\n",
                             0),
            0u)
      << reports[0];
  EXPECT_NE(driver->Text().find("Show dlgMark modal"), std::string::npos)
      << "the help page was shown: " << driver->Text();
}

TEST_F(Failures, FindingAndDeletingReportUnderTheirOwnNamesAndChangeNothing) {
  EXPECT_FALSE(GetCurrentQuestion(nullptr));
  // A table without any picture: its type cannot be read from a marker.
  auto plain = doc->Tables()->Add(doc->Range(0, 0), 2, 2);
  PlaceInCell(plain, 2, 2);
  DeleteAnswer(plain);
  EXPECT_EQ(plain->Rows()->Count(), 2);
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].rfind("An error has occurred in G.GetCurrentQuestion ERL=(2)\r\n", 0), 0u)
      << reports[0];
  EXPECT_EQ(reports[1].rfind("An error has occurred in G.DeleteAnswer\r\n", 0), 0u) << reports[1];
}

}  // namespace
}  // namespace qv::addin::testing
