#pragma once
// Reads the neutral quiz out of a course document: the question tables and their markers through
// the add-in's own routines, the floating shapes of the picture questions through the word
// processor's object model, and the web pages cut at the break markers. Reading never changes
// the document.

#include <memory>

#include "export/quiz_model.h"

namespace qv::word {
class Document;
}

namespace qv::exporter {

Quiz ReadQuiz(const std::shared_ptr<word::Document>& doc);

}  // namespace qv::exporter
