#pragma once
// QTI 2.1 and QTI 3.0 content packages: one item per question, an assessment test with one
// section per web page (a page of text is a section holding its text as a rubric block), the
// pictures once, and the manifest. The two versions share one writer: QTI 3.0 spells the same
// elements in its own way, and differs only where noted in qti_writer.cpp.

#include <vector>

#include "export/package.h"
#include "export/quiz_model.h"

namespace qv::exporter {

enum class QtiVersion { V21, V30 };

std::vector<PackageFile> QtiPackage(const Quiz& quiz, QtiVersion version);

// The item document of one question, and the pictures it refers to (added to `files` once).
std::string QtiItem(const Quiz& quiz, const Question& q, QtiVersion version,
                    std::vector<PackageFile>& files, std::vector<std::string>& referenced);

}  // namespace qv::exporter
