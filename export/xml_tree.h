#pragma once
// A small owner of a libxml2 document for the writers: elements are added by name and named
// through a vocabulary, so one writer serves two versions of a format whose names differ only in
// spelling (QTI 2.1 "choiceInteraction" is QTI 3.0 "qti-choice-interaction"). Texts and
// attribute values are taken as they are and escaped when written; characters XML cannot hold
// are dropped.

#include <functional>
#include <memory>
#include <string>

struct _xmlDoc;
struct _xmlNode;
struct _xmlNs;

namespace qv::exporter {

// Spells an element or attribute name of the writer's vocabulary for the written format.
struct Vocabulary {
  std::function<std::string(const std::string&)> element = [](const std::string& n) { return n; };
  std::function<std::string(const std::string&)> attribute = [](const std::string& n) { return n; };
};

class XmlElement {
 public:
  XmlElement(_xmlNode* node, _xmlNs* ns, const Vocabulary* vocabulary)
      : node_(node), ns_(ns), vocabulary_(vocabulary) {}
  XmlElement Add(const std::string& name);
  // A child holding only `text`.
  XmlElement Add(const std::string& name, const std::string& text);
  XmlElement& Set(const std::string& attribute, const std::string& value);
  XmlElement& Set(const std::string& attribute, double value);
  XmlElement& Text(const std::string& text);

 private:
  _xmlNode* node_;
  _xmlNs* ns_;
  const Vocabulary* vocabulary_;
};

class XmlDocument {
 public:
  // A document whose root and every element added below it are in `ns` (none when empty).
  XmlDocument(const std::string& root, const std::string& ns, Vocabulary vocabulary = {});
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  XmlElement Root();
  // Declares the schema instance namespace and the root's xsi:schemaLocation.
  void SetSchemaLocation(const std::string& locations);
  // UTF-8, indented, with the XML declaration.
  std::string Serialize() const;

 private:
  _xmlDoc* doc_;
  _xmlNode* root_;
  _xmlNs* ns_;
  Vocabulary vocabulary_;
};

// The text without the characters XML 1.0 cannot hold (control characters other than tab and
// line ends, malformed UTF-8); CR LF and lone CR become LF.
std::string XmlSafe(const std::string& text);

// A number as QTI and Moodle write it: at most 5 decimals, no trailing zeros ("2.5", "10").
std::string NumberText(double value);

}  // namespace qv::exporter
