#include "export/xml_tree.h"

#include <libxml/tree.h>

#include <cmath>
#include <cstdio>
#include <optional>

#include "automation/text/utf8.h"

namespace qv::exporter {
namespace {

const xmlChar* X(const std::string& s) {
  return reinterpret_cast<const xmlChar*>(s.c_str());
}

}  // namespace

std::string XmlSafe(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\r') {
      out += '\n';
      i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    const size_t start = i;
    const std::optional<char32_t> cp = qv::text::NextCodePoint(text, i);
    if (cp && (*cp >= 0x20 || c == '\t' || c == '\n')) out.append(text, start, i - start);
  }
  return out;
}

std::string NumberText(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.5f", value);
  std::string s = buffer;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

XmlElement XmlElement::Add(const std::string& name) {
  const std::string spelled = vocabulary_ ? vocabulary_->element(name) : name;
  return XmlElement(xmlNewChild(node_, ns_, X(spelled), nullptr), ns_, vocabulary_);
}

XmlElement XmlElement::Add(const std::string& name, const std::string& text) {
  XmlElement child = Add(name);
  child.Text(text);
  return child;
}

XmlElement& XmlElement::Set(const std::string& attribute, const std::string& value) {
  const std::string spelled = vocabulary_ ? vocabulary_->attribute(attribute) : attribute;
  const auto colon = spelled.find(':');
  if (colon != std::string::npos) {
    // xml:lang and xsi:... : the prefix must be known on this node.
    xmlNsPtr ns = xmlSearchNs(node_->doc, node_, X(spelled.substr(0, colon)));
    xmlSetNsProp(node_, ns, X(spelled.substr(colon + 1)), X(XmlSafe(value)));
  } else {
    xmlSetProp(node_, X(spelled), X(XmlSafe(value)));
  }
  return *this;
}

XmlElement& XmlElement::Set(const std::string& attribute, double value) {
  return Set(attribute, NumberText(value));
}

XmlElement& XmlElement::Text(const std::string& text) {
  xmlAddChild(node_, xmlNewText(X(XmlSafe(text))));
  return *this;
}

XmlDocument::XmlDocument(const std::string& root, const std::string& ns, Vocabulary vocabulary)
    : doc_(xmlNewDoc(X("1.0"))), vocabulary_(std::move(vocabulary)) {
  root_ = xmlNewDocNode(doc_, nullptr, X(vocabulary_.element(root)), nullptr);
  xmlDocSetRootElement(doc_, root_);
  ns_ = ns.empty() ? nullptr : xmlNewNs(root_, X(ns), nullptr);
  if (ns_) xmlSetNs(root_, ns_);
}

XmlDocument::~XmlDocument() {
  xmlFreeDoc(doc_);
}

XmlElement XmlDocument::Root() {
  return XmlElement(root_, ns_, &vocabulary_);
}

void XmlDocument::SetSchemaLocation(const std::string& locations) {
  xmlNsPtr xsi = xmlNewNs(root_, X("http://www.w3.org/2001/XMLSchema-instance"), X("xsi"));
  xmlSetNsProp(root_, xsi, X("schemaLocation"), X(locations));
}

std::string XmlDocument::Serialize() const {
  xmlChar* buffer = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(doc_, &buffer, &size, "UTF-8", 1);
  std::string out(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
  xmlFree(buffer);
  return out;
}

}  // namespace qv::exporter
