#include "browser/dom/serializer.h"

#include "browser/dom/element.h"

namespace qv::browser {
namespace {

bool IsRawText(const std::string& tag) {
  return tag == "script" || tag == "style" || tag == "xmp" || tag == "iframe" || tag == "noembed" ||
         tag == "noframes" || tag == "plaintext";
}

void Escape(const std::string& text, bool attribute, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '&') {
      out += "&amp;";
    } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
      out += "&nbsp;";
      ++i;
    } else if (attribute && c == '"') {
      out += "&quot;";
    } else if (!attribute && c == '<') {
      out += "&lt;";
    } else if (!attribute && c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
}

void Children(const Element& element, std::string& out);

void One(const Element& e, std::string& out) {
  out += '<';
  out += e.TagName();
  for (const auto& [name, value] : e.Attributes()) {
    out += ' ';
    out += name;
    out += "=\"";
    Escape(value, true, out);
    out += '"';
  }
  out += '>';
  if (e.IsVoid()) return;
  Children(e, out);
  out += "</";
  out += e.TagName();
  out += '>';
}

// The tree is never deeper than the parser allows, so recursion is bounded.
void Children(const Element& element, std::string& out) {
  const bool raw = IsRawText(element.TagName());
  for (const auto& child : element.Children()) {
    if (child->NodeType() == Node::Type::Text) {
      const std::string& data = static_cast<const Text&>(*child).Data();
      if (raw)
        out += data;
      else
        Escape(data, false, out);
    } else {
      One(static_cast<const Element&>(*child), out);
    }
  }
}

}  // namespace

std::string SerializeChildren(const Element& element) {
  std::string out;
  Children(element, out);
  return out;
}

std::string SerializeElement(const Element& element) {
  std::string out;
  One(element, out);
  return out;
}

}  // namespace qv::browser
