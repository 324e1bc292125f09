#pragma once
// Identifiers that every format accepts: XML names (QTI identifiers, file names in packages)
// made from the document's question identifiers, unique within one quiz.

#include <set>
#include <string>

namespace qv::exporter {

// Whether `text` is an XML name without a colon (letters, digits, "_", "-", "." ; not starting
// with a digit, "-" or ".").
bool IsXmlName(const std::string& text);

// Hands out identifiers: the wanted one when it is an XML name not yet given, else one made of
// it with a prefix and, when taken, a count.
class IdentifierSet {
 public:
  std::string Make(const std::string& wanted, const std::string& prefix);

 private:
  std::set<std::string> given_;
};

}  // namespace qv::exporter
