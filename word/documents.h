#pragma once
// The open documents of an application, counted from 1 in the order they were opened; reached by
// index or by name.

#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::word {

class Application;
class Document;

class Documents : public automation::Dispatch {
 public:
  explicit Documents(Application* app) : app_(app) {}
  const automation::DispatchTable& Members() const override;

  int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  std::shared_ptr<Document> Item(const automation::Variant& index) const;
  // A new empty document "Document<n>", made active.
  std::shared_ptr<Document> Add();
  // Opens a document file (an already open one is activated instead). Raises 5174 when missing,
  // 5151 when it is not a document; nothing is added then.
  std::shared_ptr<Document> Open(const std::string& fileName);
  // Closes every document (wdSaveChanges -1 saves the changed ones first).
  void Close(int32_t saveChanges = 0);

  const std::vector<std::shared_ptr<Document>>& List() const { return list_; }
  // Takes a document out of the list (it is closed).
  void Remove(const Document* doc);
  // Forgets every document without saving (the application goes away).
  void Clear();

 private:
  Application* app_;
  std::vector<std::shared_ptr<Document>> list_;
  int untitled_ = 0;
};

}  // namespace qv::word
