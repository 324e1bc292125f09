#pragma once
// Question identifiers: the random `qID` a question marker gets when its table is built, and the
// repair of identifiers duplicated by copying question tables within a document.

#include <cstdint>
#include <string>

namespace qv::word {
class Document;
}

namespace qv::addin {

// A random identifier of `length` characters drawn from "0"-"9", "A"-"Z" and "a"-"z". The
// generator is seeded once per loaded library, so identifiers made one right after the other
// differ.
std::string NewID(int32_t length);

// Gives every question marker of the document, in document order, an identifier not used by an
// earlier question: a repeated identifier keeps all but its last 3 characters followed by
// (k + 100), k counting the question markers so far.
void MakeQuestionIdsUnique(word::Document& doc);
// The same for the word processor's active document.
void MakeQuestionIdsUnique();

}  // namespace qv::addin
