#pragma once
// QTI 1.2 as learning systems such as Canvas import it: one assessment with one section per web
// page of questions, items typed in the metadata the importers read (question_type,
// points_possible), scores in percent. The format has no drag and drop, hot spot, nor a choice
// and blanks in one item: a choice question with a blank becomes two items (the choice, then
// the sentence) sharing the points as the parts do; drag-and-drop and hot-spot questions are left
// out and named in `omitted`.

#include <string>
#include <vector>

#include "export/package.h"
#include "export/quiz_model.h"

namespace qv::exporter {

// The assessment document.
std::string Qti12Assessment(const Quiz& quiz, std::vector<std::string>* omitted = nullptr);
// The zip package: imsmanifest.xml and the assessment.
std::vector<PackageFile> Qti12Package(const Quiz& quiz,
                                      std::vector<std::string>* omitted = nullptr);

}  // namespace qv::exporter
