#pragma once
// Checks written XML offline with libxml2: against an XML schema, or against a DTD. Each gives
// the messages of what does not conform (empty when the document conforms); a document that is
// not well formed gives the parser's messages.

#include <filesystem>
#include <string>
#include <vector>

namespace qv::exporter {

// A schema read once for many documents. Imports the schema names by a network address are
// skipped (nothing is fetched); a schema that cannot be read at all reports that for every
// document.
class SchemaChecker {
 public:
  explicit SchemaChecker(const std::filesystem::path& xsd);
  ~SchemaChecker();
  SchemaChecker(const SchemaChecker&) = delete;
  SchemaChecker& operator=(const SchemaChecker&) = delete;
  std::vector<std::string> Errors(const std::string& xml) const;

 private:
  void* schema_ = nullptr;
  std::vector<std::string> loadErrors_;
};

std::vector<std::string> SchemaErrors(const std::string& xml, const std::filesystem::path& xsd);
std::vector<std::string> DtdErrors(const std::string& xml, const std::filesystem::path& dtd);

}  // namespace qv::exporter
