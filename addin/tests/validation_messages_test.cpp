// What the author reads when a question fails its check, for the failures no question type's own
// check reports (those are tested with their types), and what an unknown message code reads.

#include <gmock/gmock.h>

#include "addin/document/validate_doc.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/question_types.h"
#include "addin/questions/validation_messages.h"
#include "addin/tests/question_fixture.h"

namespace qv::addin::testing {
namespace {

using ::testing::EndsWith;
using ValidationMessages = QuestionTest;

TEST_F(ValidationMessages, AQuestionWithoutItsIdentifierCannotBeFixed) {
  // A short-answer question keeps its answer in a floating shape, so the empty table gets past
  // the answer and row checks to the identifier.
  auto table = Build(kShortAnswer);
  ASSERT_TRUE(table);
  StampDocument(*doc);
  auto marker = table->Range()->InlineShapes()->Item(1);
  marker->SetAlternativeText(WithAttr(marker->AlternativeText(), "qID", ""));
  const auto failure = FirstValidationFailure(doc);
  ASSERT_TRUE(failure.has_value());
  EXPECT_THAT(*failure, EndsWith("\r\n\r\nThe question does not have an ID and is not able to be "
                                 "fixed.  Delete this question and try again"));
}

TEST(ValidationMessageCodes, AnUnknownCodeReadsUnknown) {
  EXPECT_EQ(ValidationMessage(kMsgNoAnswer), "You need to add at least one answer");
  EXPECT_EQ(ValidationMessageText(111), "");
  EXPECT_EQ(ValidationMessage(111), "Unknown");
  EXPECT_EQ(ValidationMessage(100), "Unknown");
}

}  // namespace
}  // namespace qv::addin::testing
