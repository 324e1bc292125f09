// The completeness check of the choice questions and the multiple-choice class as automation
// clients reach it.

#include <algorithm>
#include <string>
#include <vector>

#include "addin/dialogs/dlgMark.h"
#include "addin/library/public_classes.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/check_answer_chosen.h"
#include "addin/tests/question_fixture.h"

namespace qv::addin::testing {
namespace {

using automation::Variant;

struct MultipleChoiceTest : QuestionTest {
  std::shared_ptr<word::Table> Create() {
    MultipleChoice().CreateQuestion(app);
    return app->ActiveDocument()->Tables()->Item(1);
  }
};

TEST_F(MultipleChoiceTest, ValidationSaysWhatIsMissing) {
  auto table = Create();
  std::string message = "untouched";
  MultipleChoice question;
  EXPECT_FALSE(question.Validate(message, table));
  EXPECT_EQ(message, "You need to select a correct answer");

  table->Range()->InlineShapes()->Item(4)->SetAlternativeText("kzoA0&checked=on");
  message = "untouched";
  EXPECT_TRUE(question.Validate(message, table));
  EXPECT_EQ(message, "untouched");

  // "checked" must be exactly "on", wherever it stands among the pairs.
  table->Range()->InlineShapes()->Item(4)->SetAlternativeText("kzoA0&x=1&checked=ON");
  EXPECT_FALSE(CheckAnswerChosen(message, table));
  table->Range()->InlineShapes()->Item(4)->SetAlternativeText("kzoA0&x=1&checked=on");
  EXPECT_TRUE(CheckAnswerChosen(message, table));

  for (int32_t row = 7; row >= 4; --row)
    table->Rows()->Item(row)->Delete();
  EXPECT_FALSE(question.Validate(message, table));
  EXPECT_EQ(message, "You need to add at least one answer");
  EXPECT_FALSE(question.Validate(message, nullptr)) << "never raises";
}

TEST_F(MultipleChoiceTest, AutomationClientsCreateItByItsIdentifierAndCallItByName) {
  auto object = CreatePublicObject("KZOWord.MultipleChoice");
  ASSERT_TRUE(object);
  automation::Call(object, "CreateQuestion", {Variant(automation::ObjectRef(app))});
  auto table = app->ActiveDocument()->Tables()->Item(1);
  std::vector<Variant> args{Variant(""), Variant(automation::ObjectRef(table))};
  EXPECT_FALSE(
      automation::Invoke(*object, "Validate", automation::CallKind::Method, args).ToBool());
  EXPECT_EQ(args[0].ToText(), "You need to select a correct answer");
  // Without a question at the selection the attribute form cannot open: the caller hears of it.
  app->ActiveDocument()->Selection()->SelectText(0, 0);
  EXPECT_THROW(automation::Call(object, "MarkQuestion",
                                {Variant(automation::ObjectRef(app->ActiveDocument()))}),
               automation::AutomationError);
}

// Automation clients see the operations in the order the class declares them; the attribute
// dialog's own operations follow the form's common members in theirs.
TEST(PublicInterfaces, OperationsComeInTheirDeclaredOrder) {
  auto names = [](const automation::Dispatch& object, const std::vector<std::string>& own) {
    std::vector<std::string> seen;
    for (const auto& member : object.Members().Members())
      if (std::find(own.begin(), own.end(), member.name) != own.end()) seen.push_back(member.name);
    return seen;
  };
  const std::vector<std::string> question = {"CreateQuestion", "DeleteQuestion", "DeleteAnswer",
                                             "Validate",       "AddRadioChoice", "MarkQuestion"};
  EXPECT_EQ(names(MultipleChoice(), question), question);
  const std::vector<std::string> dialog = {"Display",      "DisplayHelp",     "GetSelVal",
                                           "GetVal",       "GetRadioBtn",     "GetCheckBox",
                                           "ReloadQInfo",  "ReloadRadioInfo", "ReloadCheckboxInfo",
                                           "ReloadFIBInfo"};
  EXPECT_EQ(names(*dlgMark::Create(), dialog), dialog);
}

}  // namespace
}  // namespace qv::addin::testing
