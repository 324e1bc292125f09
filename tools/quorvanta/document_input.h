#pragma once
// The document a command reads: loaded into a word processor of this process, with the add-in's
// settings, so the question classes can check it. Null (and the reason on standard error) when
// it is missing or no document.

#include <memory>
#include <string>

namespace qv::word {
class Document;
}

namespace qv::tools {

std::shared_ptr<word::Document> OpenDocumentForReading(const std::string& file,
                                                       const std::string& command);

}  // namespace qv::tools
