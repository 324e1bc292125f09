#pragma once
// Creates objects by programmatic identifier ("Word.Application", "KZOWord.Work"), as the host's
// class registration does. One factory belongs to one running program; the platform fills it with
// its own classes and the add-in loader adds the classes registered for the add-in library.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::automation {

class ClassFactory {
 public:
  using Creator = std::function<ObjectRef()>;

  // Registers (or replaces) the creator of `progId`; identifiers match without regard to case.
  void Register(const std::string& progId, Creator creator);
  void Unregister(const std::string& progId);
  bool Has(const std::string& progId) const;
  // Creates an object; raises 429 "ActiveX component can't create object" for an unknown id.
  ObjectRef Create(const std::string& progId) const;
  std::vector<std::string> ProgIds() const;
  // Asked for identifiers that no registered creator knows (the component runtime's registry of
  // in-process libraries); it returns null when it does not know the identifier either.
  void SetFallback(std::function<ObjectRef(const std::string& progId)> fallback) {
    fallback_ = std::move(fallback);
  }

 private:
  std::function<ObjectRef(const std::string&)> fallback_;
  struct Entry {
    std::string progId;
    Creator creator;
  };
  std::map<std::string, Entry> classes_;  // by lower-cased identifier
};

}  // namespace qv::automation
