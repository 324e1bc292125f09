#pragma once
// The completeness check every choice question shares (multiple choice, multiple response, the
// two choice types with blanks, true/false): at least one answer, and one marked correct.

#include <memory>
#include <string>

namespace qv::word {
class Table;
}

namespace qv::addin {

// True when the question table has an answer marker and one of them carries `checked` "on".
// Otherwise false with `message` set to what the author must do; `message` is left alone on
// success.
bool CheckAnswerChosen(std::string& message, const std::shared_ptr<word::Table>& table);

}  // namespace qv::addin
