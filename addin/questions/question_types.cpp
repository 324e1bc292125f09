#include "addin/questions/question_types.h"

#include <array>

#include "automation/automation_error.h"

namespace qv::addin {

namespace {

const std::string kQuestionText = "Enter question text here";
const std::string kChoiceFIBInstructions =
    "Instructions for You: Type possible answers (separated by semicolons) in the "
    "fill-in-the-blank textbox";

std::string Example(const char* tail) {
  return std::string(kExamplePagePrefix) + tail;
}

const std::array<QuestionTypeFacts, kQuestionTypeCount>& AllFacts() {
  static const std::array<QuestionTypeFacts, kQuestionTypeCount> facts = {{
      {.name = "Multiple Choice",
       .prompt = kQuestionText,
       .examplePage = Example("5837/qti_examples-2.htm"),
       .className = "MultipleChoice",
       .answerPicture = "radio_blk.gif"},
      {.name = "Multiple Response",
       .prompt = kQuestionText,
       .examplePage = Example("5838/qti_examples-3.htm"),
       .className = "MultipleCorrect",
       .answerPicture = "chk_blk.gif",
       .checkBoxes = true},
      {.prompt = kQuestionText},
      {.name = "Multiple Choice with Fill-in-the-Blank",
       .prompt = "Enter multiple-choice question text here",
       .instructions = kChoiceFIBInstructions,
       .examplePage = Example("5839/qti_examples-4.htm"),
       .className = "MultipleChoiceFillInTheBlank",
       .answerPicture = "radio_blk.gif",
       .blankRow = true},
      {.name = "Multiple Response with Fill-in-the-Blank",
       .prompt = "Enter multiple-correct question text here",
       .instructions = kChoiceFIBInstructions,
       .examplePage = Example("5840/qti_examples-5.htm"),
       .className = "MultipleCorrectFillInTheBlank",
       .answerPicture = "chk_blk.gif",
       .checkBoxes = true,
       .blankRow = true},
      {.name = "Fill-in-the-Blank",
       .prompt = "Instructions for Learners: Complete the sentence by typing your answers into the "
                 "textboxes",
       .instructions = "Instructions for You: Add one or more fill-in-the-blank textboxes and type "
                       "possible answers (separated by semicolons) in each textbox",
       .examplePage = Example("5841/qti_examples-6.htm"),
       .className = "FillInTheBlank"},
      {.name = "Drag and Drop",
       .prompt = "Instructions for Learners: Place the images below the question onto the "
                 "appropriate spot in the body of the question",
       .instructions = "Instructions for You: Leave the movable images/labels (marked with a blue "
                       "border) where you want Learners to place them",
       .examplePage = Example("5889/qti_examples-7.htm"),
       .className = "ImageTag"},
      {.name = "Hot Spot",
       .prompt = "Instructions for Learners: Click on the correct spot(s) on the images",
       .instructions = "Instructions for You: Add correct answer areas over images",
       .examplePage = Example("5843/qti_examples-8.htm"),
       .className = "ImageHotSpot"},
      {},
      {.name = "True/False",
       .prompt = kQuestionText,
       .examplePage = Example("5836/qti_examples-1.htm"),
       .className = "TrueFalse",
       .answerPicture = "radio_blk.gif"},
      {.className = "ShortAnswer", .breakKind = 2},
  }};
  return facts;
}

}  // namespace

const QuestionTypeFacts& TypeFacts(int32_t code) {
  if (code < 0 || code >= kQuestionTypeCount) automation::Raise(automation::err::kSubscript);
  return AllFacts()[static_cast<size_t>(code)];
}

const std::string& TypeNameText(int32_t code) {
  return TypeFacts(code).name;
}
const std::string& QuestionPromptText(int32_t code) {
  return TypeFacts(code).prompt;
}
const std::string& AuthorInstructionsText(int32_t code) {
  return TypeFacts(code).instructions;
}
const std::string& ExamplePagePath(int32_t code) {
  return TypeFacts(code).examplePage;
}

std::string QuestionProgId(int32_t code) {
  const auto& name = TypeFacts(code).className;
  return name.empty() ? "" : "KZOWord." + name;
}

int32_t TypeCodeFromName(const std::string& name) {
  // Only the types the Add New Question dialog offers have names to match.
  for (int32_t code : {kMultipleChoice, kMultipleResponse, kMultipleChoiceFIB, kMultipleResponseFIB,
                       kFillInTheBlank, kDragAndDrop, kHotSpot, kTrueFalse}) {
    if (TypeNameText(code) == name) return code;
  }
  return -1;
}

bool HasChoiceAnswers(int32_t type) {
  return type >= 0 && type < kQuestionTypeCount && !TypeFacts(type).answerPicture.empty();
}

bool IsChoiceFIB(int32_t type) {
  return type >= 0 && type < kQuestionTypeCount && TypeFacts(type).blankRow;
}

int32_t BreakKindForType(int32_t type) {
  return type >= 0 && type < kQuestionTypeCount ? TypeFacts(type).breakKind : 1;
}

}  // namespace qv::addin
