#pragma once
// The document a command reads: loaded into a word processor of this process, with the add-in's
// settings, so the question classes can check it. The word processor lives as long as the
// document it holds.

#include <memory>
#include <string>

namespace qv::word {
class Application;
class Document;
}  // namespace qv::word

namespace qv::tools {

struct OpenedDocument {
  std::shared_ptr<word::Application> app;
  std::shared_ptr<word::Document> doc;  // null (the reason on standard error) when unreadable
};

OpenedDocument OpenDocumentForReading(const std::string& file, const std::string& command);

}  // namespace qv::tools
