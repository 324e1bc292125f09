#include "addin/questions/question_types.h"

#include <array>

#include "automation/automation_error.h"

namespace qv::addin {

namespace {

using Table = std::array<std::string, kQuestionTypeCount>;

const std::string kQuestionText = "Enter question text here";
const std::string kChoiceFIBInstructions =
    "Instructions for You: Type possible answers (separated by semicolons) in the "
    "fill-in-the-blank textbox";

const Table& TypeNames() {
  static const Table t = {
      "Multiple Choice",
      "Multiple Response",
      "",
      "Multiple Choice with Fill-in-the-Blank",
      "Multiple Response with Fill-in-the-Blank",
      "Fill-in-the-Blank",
      "Drag and Drop",
      "Hot Spot",
      "",
      "True/False",
      "",
  };
  return t;
}

const Table& Prompts() {
  static const Table t = {
      kQuestionText,
      kQuestionText,
      kQuestionText,
      "Enter multiple-choice question text here",
      "Enter multiple-correct question text here",
      "Instructions for Learners: Complete the sentence by typing your answers into the textboxes",
      "Instructions for Learners: Place the images below the question onto the appropriate spot "
      "in the body of the question",
      "Instructions for Learners: Click on the correct spot(s) on the images",
      "",
      kQuestionText,
      "",
  };
  return t;
}

const Table& Instructions() {
  static const Table t = {
      "",
      "",
      "",
      kChoiceFIBInstructions,
      kChoiceFIBInstructions,
      "Instructions for You: Add one or more fill-in-the-blank textboxes and type possible "
      "answers (separated by semicolons) in each textbox",
      "Instructions for You: Leave the movable images/labels (marked with a blue border) where "
      "you want Learners to place them",
      "Instructions for You: Add correct answer areas over images",
      "",
      "",
      "",
  };
  return t;
}

const Table& PagePaths() {
  static const Table t = [] {
    const std::array<const char*, kQuestionTypeCount> tails = {
        "5837/qti_examples-2.htm",
        "5838/qti_examples-3.htm",
        nullptr,
        "5839/qti_examples-4.htm",
        "5840/qti_examples-5.htm",
        "5841/qti_examples-6.htm",
        "5889/qti_examples-7.htm",
        "5843/qti_examples-8.htm",
        nullptr,
        "5836/qti_examples-1.htm",
        nullptr,
    };
    Table paths;
    for (size_t i = 0; i < tails.size(); ++i)
      if (tails[i]) paths[i] = std::string(kExamplePagePrefix) + tails[i];
    return paths;
  }();
  return t;
}

const std::string& Entry(const Table& table, int32_t code) {
  if (code < 0 || code >= kQuestionTypeCount) automation::Raise(automation::err::kSubscript);
  return table[static_cast<size_t>(code)];
}

}  // namespace

const std::string& TypeNameText(int32_t code) {
  return Entry(TypeNames(), code);
}
const std::string& QuestionPromptText(int32_t code) {
  return Entry(Prompts(), code);
}
const std::string& AuthorInstructionsText(int32_t code) {
  return Entry(Instructions(), code);
}
const std::string& ExamplePagePath(int32_t code) {
  return Entry(PagePaths(), code);
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
  return type == kMultipleChoice || type == kMultipleResponse || type == kMultipleChoiceFIB ||
         type == kMultipleResponseFIB || type == kTrueFalse;
}

bool IsChoiceFIB(int32_t type) {
  return type == kMultipleChoiceFIB || type == kMultipleResponseFIB;
}

int32_t BreakKindForType(int32_t type) {
  return type == kShortAnswer ? 2 : 1;
}

}  // namespace qv::addin
