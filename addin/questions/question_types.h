#pragma once
// The question type codes and the fixed facts that go with each type. A code is a small integer
// used in the Add New Question dialog, in every marker head and to choose the question class.
// Codes 2 and 8 are not used; asking for the facts of any code outside 0 to 10 raises "Subscript
// out of range" (9).

#include <cstdint>
#include <string>

namespace qv::addin {

inline constexpr int32_t kQuestionTypeCount = 11;

// The codes in use.
inline constexpr int32_t kMultipleChoice = 0;
inline constexpr int32_t kMultipleResponse = 1;
inline constexpr int32_t kMultipleChoiceFIB = 3;
inline constexpr int32_t kMultipleResponseFIB = 4;
inline constexpr int32_t kFillInTheBlank = 5;
inline constexpr int32_t kDragAndDrop = 6;
inline constexpr int32_t kHotSpot = 7;
inline constexpr int32_t kTrueFalse = 9;
inline constexpr int32_t kShortAnswer = 10;

// The common start of every example page path on the course host.
inline constexpr const char* kExamplePagePrefix =
    "/prot/{00000000-0000-0000-0000-000000000000}/_/02/PKs/50/";

// Everything fixed about one type code.
struct QuestionTypeFacts {
  std::string name = "";           // shown to the author; "" for 2, 8, 10
  std::string prompt = "";         // initial text of the question row
  std::string instructions = "";   // help box text; "" when none
  std::string examplePage = "";    // path on the course host (prefix included); "" when none
  std::string className = "";      // the public class ("KZOWord." + className); "" for 2, 8
  std::string answerPicture = "";  // the marker picture of an answer row; "" for types without rows
  bool checkBoxes = false;         // answers are ticked independently (several may be correct)
  bool blankRow = false;           // a choice question whose last row is a sentence with a blank
  int32_t breakKind = 1;           // the web page break kind that must surround such a question
};

// The facts of `code`; raises 9 for a code outside 0 to 10.
const QuestionTypeFacts& TypeFacts(int32_t code);

// Single facts, for callers that need only one; each raises 9 for a code outside 0 to 10.
const std::string& TypeNameText(int32_t code);
const std::string& QuestionPromptText(int32_t code);
const std::string& AuthorInstructionsText(int32_t code);
const std::string& ExamplePagePath(int32_t code);
// "KZOWord." + the class name; "" for a code without class.
std::string QuestionProgId(int32_t code);

// The code whose type name equals `name` exactly, among 0, 1, 3, 4, 5, 6, 7 and 9; else -1.
int32_t TypeCodeFromName(const std::string& name);

// Choice types: a two-column table with one row per answer (codes 0, 1, 3, 4, 9).
bool HasChoiceAnswers(int32_t type);
// Choice types with a fill-in-the-blank row (codes 3, 4).
bool IsChoiceFIB(int32_t type);
// The kind of web page break that must surround a question of this type: 2 for short answer,
// otherwise 1.
int32_t BreakKindForType(int32_t type);

}  // namespace qv::addin
