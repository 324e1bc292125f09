#pragma once
// Deleting a whole question or one of its answers after the author confirms. Every question
// class passes the question found at the selection (or null) to these.

#include <memory>

namespace qv::word {
class Table;
}

namespace qv::addin {

// Asks, then deletes the question table with everything in it and leaves the insertion point
// where it stood. Null: tells the author to select a question. Errors reach the caller.
void DeleteQuestion(const std::shared_ptr<word::Table>& table);

// Asks, then deletes the answer at the selection: the answer row of a choice question (types 0
// to 4), or the selected blank of a fill-in-the-blank question (type 5). Other types have no
// answers to delete here. Errors are reported.
void DeleteAnswer(const std::shared_ptr<word::Table>& table);

}  // namespace qv::addin
