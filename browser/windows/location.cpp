#include "browser/windows/location.h"

#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::Variant;

std::string Location::Href() const {
  auto window = window_.lock();
  return window ? window->Document()->URL() : "";
}

void Location::Href(const std::string& url) {
  if (auto window = window_.lock()) window->Navigate(url);
}

const automation::DispatchTable& Location::Members() const {
  static const auto table = ClassTable<Location>("Location")
                                .Prop(
                                    "href", [](Location& l) { return l.Href(); },
                                    [](Location& l, const Variant& v) { l.Href(v.ToText()); })
                                .Sub("assign", [](Location& l, Args& a) { l.Href(a.Text(0)); })
                                .Sub("replace", [](Location& l, Args& a) { l.Href(a.Text(0)); })
                                .Sub("reload", [](Location& l, Args&) { l.Href(l.Href()); })
                                .Method("toString", [](Location& l, Args&) { return l.Href(); })
                                .Build();
  return table;
}

}  // namespace qv::browser
