#pragma once
// The program-wide objects the host's toolkit defines: App (the program's title, folder and file
// name; message boxes without a title show App.Title) and Screen (the mouse pointer over every
// window, the screen size in twips).

#include <cstdint>
#include <string>
#include <utility>

#include "automation/dispatch.h"
#include "ui/constants.h"

namespace qv::ui {

class App : public automation::Dispatch {
 public:
  App() = default;
  App(std::string title, std::string path, std::string exeName)
      : Title(std::move(title)), Path(std::move(path)), EXEName(std::move(exeName)) {}

  // The App of a program started as `argv0`: its folder and file name (without extension) as
  // the host reports them.
  static App ForProgram(std::string title, const std::string& argv0);

  std::string Title;    // "Quorvanta Word Add-in", "Initializer", "Helper"
  std::string Path;     // the program's folder, without a trailing separator
  std::string EXEName;  // the program's file name without extension

  const automation::DispatchTable& Members() const override;
};

class Screen : public automation::Dispatch {
 public:
  // 0 (default) or 11 (busy) while a long operation runs.
  int32_t MousePointer = vbDefault;
  // A 1024 x 768 pixel screen.
  double Width = 1024.0 * kTwipsPerPixel;
  double Height = 768.0 * kTwipsPerPixel;
  double TwipsPerPixelX() const { return kTwipsPerPixel; }
  double TwipsPerPixelY() const { return kTwipsPerPixel; }

  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::ui
