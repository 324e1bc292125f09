#include "powerpoint/presentations.h"

#include <algorithm>
#include <filesystem>

#include "automation/automation_error.h"
#include "automation/collection_index.h"
#include "automation/text/ascii.h"

namespace qv::powerpoint {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

Presentation::Presentation(std::weak_ptr<Presentations> list, std::string name,
                           std::string fullName)
    : list_(std::move(list)), name_(std::move(name)), fullName_(std::move(fullName)) {}

const DispatchTable& Presentation::Members() const {
  using P = Presentation;
  static const DispatchTable table = ClassTable<P>("Presentation")
                                         .Get("Name", [](P& p) { return p.Name(); })
                                         .Get("FullName", [](P& p) { return p.FullName(); })
                                         .Get("Path", [](P& p) { return p.Path(); })
                                         .Sub("Close", [](P& p, Args&) { p.Close(); })
                                         .Build();
  return table;
}

void Presentation::CheckOpen() const {
  if (closed_) automation::Raise(automation::err::kObjectDeleted);
}

std::string Presentation::Name() const {
  CheckOpen();
  return name_;
}

std::string Presentation::FullName() const {
  CheckOpen();
  return fullName_;
}

std::string Presentation::Path() const {
  CheckOpen();
  if (fullName_ == name_) return "";
  return std::filesystem::path(fullName_).parent_path().string();
}

void Presentation::Close() {
  CheckOpen();
  auto self = shared_from_this();
  if (auto list = list_.lock()) list->Forget(*this);
  closed_ = true;
}

const DispatchTable& Presentations::Members() const {
  using L = Presentations;
  static const DispatchTable table =
      ClassTable<L>("Presentations")
          .Collection()
          .Method("Add", [](L& l, Args&) { return l.Add(); })
          .Method("Open", [](L& l, Args& a) { return l.Open(a.Text(0)); })
          .Build();
  return table;
}

std::shared_ptr<Presentation> Presentations::Item(int32_t index) const {
  return open_[automation::CollectionPosition(index, open_.size(), automation::err::kSubscript)];
}

std::shared_ptr<Presentation> Presentations::Item(const std::string& name) const {
  for (const auto& p : open_) {
    if (text::EqualsIgnoreCase(p->name_, name) || p->fullName_ == name) return p;
  }
  automation::Raise(automation::err::kSubscript);
}

std::shared_ptr<Presentation> Presentations::Add() {
  const std::string name = "Presentation" + std::to_string(++untitled_);
  auto p = std::make_shared<Presentation>(
      std::static_pointer_cast<Presentations>(shared_from_this()), name, name);
  open_.push_back(p);
  return p;
}

std::shared_ptr<Presentation> Presentations::Open(const std::string& fileName) {
  std::error_code ec;
  const auto path = std::filesystem::absolute(fileName, ec);
  if (ec || !std::filesystem::is_regular_file(path, ec))
    throw automation::AutomationError(automation::err::kFileNotFound,
                                      "PowerPoint could not open the file " + fileName + ".");
  auto p =
      std::make_shared<Presentation>(std::static_pointer_cast<Presentations>(shared_from_this()),
                                     path.filename().string(), path.string());
  open_.push_back(p);
  return p;
}

void Presentations::CloseAll() {
  auto all = open_;
  for (const auto& p : all)
    p->Close();
}

void Presentations::Forget(const Presentation& p) {
  open_.erase(
      std::remove_if(open_.begin(), open_.end(), [&](const auto& x) { return x.get() == &p; }),
      open_.end());
}

}  // namespace qv::powerpoint
