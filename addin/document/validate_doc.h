#pragma once
// Validation of a whole course document before it goes to the course host: every question is
// checked in document order, and the first incomplete one is reported to the course host, named
// to the author, and the author decides whether the document is to be saved all the same.

#include <memory>
#include <optional>
#include <string>

namespace qv::word {
class Document;
}

namespace qv::addin {

// True when the caller may go on (the document is no course document, every question is
// complete, or the author chose to save it anyway); false when the author chose to fix it: the
// insertion point then stands at the start of the incomplete question's text. Repeated question
// identifiers are made unique first. Errors of the word processor reach the caller.
bool ValidateDoc(const std::shared_ptr<word::Document>& doc);

// The same checks without a dialog and without a report to the course host, for programs that
// work on a document unattended: the detail the author would be shown about the first incomplete
// question, or none. Repeated question identifiers are made unique first, as ValidateDoc does.
std::optional<std::string> FirstValidationFailure(const std::shared_ptr<word::Document>& doc);

}  // namespace qv::addin
