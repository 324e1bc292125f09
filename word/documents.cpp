#include "word/documents.h"

#include <filesystem>

#include "word/application.h"
#include "word/document.h"
#include "word/errors.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

std::shared_ptr<Document> Documents::Item(const Variant& index) const {
  if (index.IsText()) {
    const std::string name = index.ToText();
    for (const auto& d : list_)
      if (d->Name() == name || d->FullName() == name) return d;
    RaiseNoItem();
  }
  return list_[CheckIndex(index.ToInt32(), list_.size())];
}

std::shared_ptr<Document> Documents::Add() {
  auto doc = Document::Create(app_, "Document" + std::to_string(++untitled_));
  list_.push_back(doc);
  if (app_) {
    app_->SetActiveDocument(doc.get());
    app_->Notify([&](ApplicationListener& l) { l.NewDocument(*doc); });
  }
  return doc;
}

std::shared_ptr<Document> Documents::Open(const std::string& fileName) {
  const auto full = std::filesystem::absolute(fileName);
  for (const auto& d : list_)
    if (d->File() == full) {
      d->Activate();
      return d;
    }
  auto doc = Document::Create(app_, full.filename().string());
  doc->LoadFrom(full);
  list_.push_back(doc);
  if (app_) {
    app_->SetActiveDocument(doc.get());
    app_->Notify([&](ApplicationListener& l) { l.DocumentOpen(*doc); });
  }
  return doc;
}

void Documents::Close(int32_t saveChanges) {
  const auto copy = list_;
  for (const auto& d : copy)
    if (!d->Closed()) d->Close(saveChanges);
}

void Documents::Remove(const Document* doc) {
  std::erase_if(list_, [doc](const auto& d) { return d.get() == doc; });
}

void Documents::Clear() {
  for (const auto& d : list_)
    d->MarkClosed();
  list_.clear();
}

const DispatchTable& Documents::Members() const {
  static const DispatchTable table =
      ClassTable<Documents>("Documents")
          .Collection()
          .Method("Add", [](Documents& d, Args&) { return d.Add(); })
          .Method("Open", [](Documents& d, Args& a) { return d.Open(a.Text(0)); })
          .Sub("Close", [](Documents& d, Args& a) { d.Close(a.Opt(0, Variant(0)).ToInt32()); })
          .Build();
  return table;
}

}  // namespace qv::word
