#include "ui/app.h"

#include <filesystem>

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

App App::ForProgram(std::string title, const std::string& argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::absolute(argv0, ec);
  if (ec) exe = argv0;
  return App(std::move(title), exe.parent_path().string(), exe.stem().string());
}

const DispatchTable& App::Members() const {
  static const DispatchTable table = ClassTable<App>("App")
                                         .Prop(
                                             "Title", [](App& a) { return a.Title; },
                                             [](App& a, const Variant& v) { a.Title = v.ToText(); })
                                         .Get("Path", [](App& a) { return a.Path; })
                                         .Get("EXEName", [](App& a) { return a.EXEName; })
                                         .Build();
  return table;
}

const DispatchTable& Screen::Members() const {
  static const DispatchTable table =
      ClassTable<Screen>("Screen")
          .Prop(
              "MousePointer", [](Screen& s) { return s.MousePointer; },
              [](Screen& s, const Variant& v) { s.MousePointer = v.ToInt32(); })
          .Get("Width", [](Screen& s) { return s.Width; })
          .Get("Height", [](Screen& s) { return s.Height; })
          .Get("TwipsPerPixelX", [](Screen& s) { return s.TwipsPerPixelX(); })
          .Get("TwipsPerPixelY", [](Screen& s) { return s.TwipsPerPixelY(); })
          .Build();
  return table;
}

}  // namespace qv::ui
