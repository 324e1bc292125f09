#pragma once
// A live list of elements (document.forms, form.elements, select.options, a group of radio
// buttons of one name): every read asks its provider again, so the list always follows the
// page. Items are reached by index (from 0) and by name or id.

#include <functional>
#include <string>
#include <vector>

#include "browser/dom/element.h"

namespace qv::browser {

class ElementCollection final : public ScriptObject {
 public:
  using Provider = std::function<std::vector<ElementRef>()>;
  explicit ElementCollection(Provider provider, std::string className = "HTMLCollection")
      : provider_(std::move(provider)), className_(std::move(className)) {}

  const automation::DispatchTable& Members() const override;
  bool KeepsScriptIdentity() const override { return false; }
  std::string TypeName() const override { return className_; }
  bool ScriptGet(const std::string& name, automation::Variant& out) override;

  std::vector<ElementRef> Items() const { return provider_(); }
  int32_t Length() const { return static_cast<int32_t>(Items().size()); }
  // The element at `index`, or nullptr.
  ElementRef At(int32_t index) const;
  // A number gives the element at that index, a name the named item (see NamedItem); nothing
  // found gives a null object.
  automation::Variant Item(const automation::Variant& key) const;
  // The elements whose name or id is `name`.
  std::vector<ElementRef> Named(const std::string& name) const;

 private:
  Provider provider_;
  std::string className_;
};

// The answer of named access on the host (document.frm.ans): no element gives an empty value,
// one element the element itself, several a live collection of them. Callers rely on the
// difference: a single radio button answers as itself, not as a group of one.
automation::Variant NamedItem(std::vector<ElementRef> matches,
                              ElementCollection::Provider liveGroup);

// Whether `name` reads as an index ("0", "12"), and which.
bool ParseIndex(const std::string& name, int32_t& index);

}  // namespace qv::browser
