#pragma once
// A node of a page's tree: an element or a run of text. A node knows its parent element by a
// plain pointer that the parent clears when the node leaves it (or when the parent goes), and its
// document by a weak reference, so a node that a script or the host keeps after its page was
// replaced stays usable on its own.

#include <memory>
#include <string>

#include "browser/script_object.h"

namespace qv::browser {

class Element;
class HTMLDocument;

class Node : public ScriptObject {
 public:
  enum class Type { Element = 1, Text = 3 };

  Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  virtual Type NodeType() const = 0;
  Element* Parent() const { return parent_; }
  std::shared_ptr<HTMLDocument> OwnerDocument() const { return document_.lock(); }
  void SetOwnerDocument(std::weak_ptr<HTMLDocument> document) { document_ = std::move(document); }

 private:
  friend class Element;
  Element* parent_ = nullptr;
  std::weak_ptr<HTMLDocument> document_;
};

using NodeRef = std::shared_ptr<Node>;

class Text final : public Node {
 public:
  explicit Text(std::string data) : data_(std::move(data)) {}
  Type NodeType() const override { return Type::Text; }
  const automation::DispatchTable& Members() const override;

  const std::string& Data() const { return data_; }
  void Data(std::string data) { data_ = std::move(data); }

 private:
  std::string data_;
};

}  // namespace qv::browser
