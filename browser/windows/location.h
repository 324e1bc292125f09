#pragma once
// window.location: the address of the window's page; assigning `href` (or calling assign,
// replace) navigates the window, reload loads the page again.

#include <memory>

#include "browser/script_object.h"

namespace qv::browser {

class HTMLWindow;

class Location final : public ScriptObject {
 public:
  explicit Location(std::weak_ptr<HTMLWindow> window) : window_(std::move(window)) {}
  const automation::DispatchTable& Members() const override;
  bool KeepsScriptIdentity() const override { return false; }

  std::string Href() const;
  void Href(const std::string& url);

 private:
  std::weak_ptr<HTMLWindow> window_;
};

}  // namespace qv::browser
