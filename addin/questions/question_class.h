#pragma once
// What every question class shares: the frame of CreateQuestion (the document to build in, the
// progress window, the empty table, the type's own rows, the finishing steps and the error report
// under the class's name), the frame of Validate (never raises), the attribute dialog round trip
// of MarkQuestion, and reading the objects automation clients pass.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class dlgProgress;

// Fills what is the type's own in a question table just built (its answer or body rows).
using FillQuestion = std::function<void(word::Document&, word::Table&, dlgProgress&)>;

// Builds a complete question of `type` at the insertion point of the active document (of a new
// one when none is open): the empty table, `fill`, then "Completing question creation" and the
// finishing steps. Errors are reported under "<class>.CreateQuestion" and close the progress
// window; none reaches the caller. A table the guard refused adds nothing and leaves no window.
void BuildQuestion(int32_t type, const std::shared_ptr<word::Application>& app,
                   const FillQuestion& fill);

// Runs a completeness check without letting an error out: an error gives false, and an empty
// message then becomes "Error validating question: " + the error's description.
bool ValidateSafely(std::string& message, const std::function<bool()>& check);

// The attribute form page of a question of `type` (header, question row, then one row per answer
// or blank and the text around blanks, list end and footer).
std::string BuildMarkPage(const std::shared_ptr<word::Table>& table, int32_t type);

// Shows the attribute form of the question at the selection and, on OK, writes the author's
// choices into its markers and marks the document changed. A cancelled form changes nothing.
// Errors (no question at the selection included) reach the caller.
void MarkQuestionOfType(const std::shared_ptr<word::Document>& doc, int32_t type);

// Closes a progress window that is still shown; never raises.
void CloseProgress(const std::shared_ptr<dlgProgress>& progress);

// An object argument of an automation call; "Type mismatch" when it is missing or another kind.
template <class T>
std::shared_ptr<T> ObjectArg(automation::Args& args, size_t index) {
  auto object = std::dynamic_pointer_cast<T>(args.Object(index));
  if (!object) automation::Raise(automation::err::kTypeMismatch);
  return object;
}

// Validate as automation clients call it: (message by reference, table) -> Boolean.
template <class Q>
automation::Variant CallValidate(Q& question, automation::Args& args) {
  std::string message = args[0].IsEmpty() ? "" : args[0].ToText();
  const bool ok = question.Validate(message, ObjectArg<word::Table>(args, 1));
  args[0] = automation::Variant(message);
  return automation::Variant(ok);
}

// The table of a question class, in the order automation clients see its operations:
// CreateQuestion(application), DeleteQuestion(document), DeleteAnswer(document) where the class
// has answers to delete, Validate(message, table), then the class's own members (`own` adds
// them), and MarkQuestion(document) last.
template <class Q, class Own>
automation::DispatchTable QuestionTable(std::string className, Own own) {
  using automation::Args;
  automation::ClassTable<Q> table(std::move(className));
  table
      .Sub("CreateQuestion",
           [](Q& q, Args& a) { q.CreateQuestion(ObjectArg<word::Application>(a, 0)); })
      .Sub("DeleteQuestion",
           [](Q& q, Args& a) { q.DeleteQuestion(ObjectArg<word::Document>(a, 0)); });
  if constexpr (requires(Q & q, const std::shared_ptr<word::Document>& doc) {
                  q.DeleteAnswer(doc);
                }) {
    table.Sub("DeleteAnswer",
              [](Q& q, Args& a) { q.DeleteAnswer(ObjectArg<word::Document>(a, 0)); });
  }
  table.Method("Validate", [](Q& q, Args& a) { return CallValidate(q, a); });
  own(table);
  table.Sub("MarkQuestion", [](Q& q, Args& a) { q.MarkQuestion(ObjectArg<word::Document>(a, 0)); });
  return table.Build();
}

// The table of a question class without members of its own.
template <class Q>
automation::DispatchTable QuestionTable(std::string className) {
  return QuestionTable<Q>(std::move(className), [](automation::ClassTable<Q>&) {});
}

}  // namespace qv::addin
