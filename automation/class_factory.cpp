#include "automation/class_factory.h"

#include "automation/text/ascii.h"

namespace qv::automation {

void ClassFactory::Register(const std::string& progId, Creator creator) {
  classes_[text::AsciiLowered(progId)] = Entry{progId, std::move(creator)};
}

void ClassFactory::Unregister(const std::string& progId) {
  classes_.erase(text::AsciiLowered(progId));
}

bool ClassFactory::Has(const std::string& progId) const {
  return classes_.count(text::AsciiLowered(progId)) != 0;
}

ObjectRef ClassFactory::Create(const std::string& progId) const {
  const auto it = classes_.find(text::AsciiLowered(progId));
  if (it == classes_.end()) {
    if (fallback_) {
      if (ObjectRef o = fallback_(progId)) return o;
    }
    Raise(err::kCannotCreate);
  }
  ObjectRef o = it->second.creator();
  if (!o) Raise(err::kCannotCreate);
  return o;
}

std::vector<std::string> ClassFactory::ProgIds() const {
  std::vector<std::string> ids;
  for (const auto& [key, entry] : classes_)
    ids.push_back(entry.progId);
  return ids;
}

}  // namespace qv::automation
