#pragma once
// The completeness check of the questions with blanks: every blank has accepted answers.

#include <memory>
#include <string>

namespace qv::word {
class Table;
}

namespace qv::addin {

// Looks at the blanks of the table in order: the first without accepted answers (the text of a
// text-box control, else its `ans`, blanks at both ends ignored) gives false with message 108; no
// blank at all gives false with message 109; otherwise true and `message` is left alone.
bool CheckBlanks(std::string& message, const std::shared_ptr<word::Table>& table);

}  // namespace qv::addin
