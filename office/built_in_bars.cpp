#include "office/built_in_bars.h"

#include <algorithm>

namespace qv::office {

namespace {

BuiltInControl Button(int32_t id, std::string caption) {
  return BuiltInControl{msoControlButton, id, std::move(caption), {}};
}

BuiltInControl Menu(int32_t id, std::string caption, std::vector<BuiltInControl> controls) {
  return BuiltInControl{msoControlPopup, id, std::move(caption), std::move(controls)};
}

// The menus both hosts share, in menu bar order; `hostMenu` is the host's own menu after Tools.
std::vector<BuiltInControl> MenuBarControls(BuiltInControl hostMenu, const std::string& appName) {
  return {
      Menu(
          30002, "&File",
          {Button(18, "&New..."), Button(23, "&Open..."), Button(106, "&Close"), Button(3, "&Save"),
           Button(748, "Save &As..."), Button(4, "&Print..."), Button(752, "E&xit")}),
      Menu(30003, "&Edit",
           {Button(128, "&Undo"), Button(21, "Cu&t"), Button(19, "&Copy"), Button(22, "&Paste"),
            Button(141, "&Find...")}),
      Menu(30004, "&View", {Button(499, "&Normal"), Button(5, "&Web Layout")}),
      Menu(30005, "&Insert", {Button(509, "&Break..."), Button(308, "&Symbol...")}),
      Menu(30006, "F&ormat", {Button(253, "&Font..."), Button(256, "&Paragraph...")}),
      Menu(kToolsMenuId, "&Tools",
           {Button(2566, "&Spelling..."), Button(751, "Templates and Add-&Ins..."),
            Button(797, "&Customize..."), Button(522, "&Options...")}),
      std::move(hostMenu),
      Menu(30009, "&Window", {Button(303, "&New Window"), Button(298, "&Arrange All")}),
      Menu(30010, "&Help", {Button(984, appName + " &Help"), Button(927, "&About " + appName)}),
  };
}

std::vector<BuiltInControl> StandardControls() {
  return {Button(2520, "&New"),   Button(23, "&Open..."), Button(3, "&Save"),
          Button(2521, "&Print"), Button(21, "Cu&t"),     Button(19, "&Copy"),
          Button(22, "&Paste"),   Button(128, "&Undo"),   Button(129, "&Redo")};
}

std::vector<BuiltInControl> FormattingControls() {
  return {Button(113, "&Bold"),       Button(114, "&Italic"), Button(115, "&Underline"),
          Button(120, "Align &Left"), Button(122, "&Center"), Button(121, "Align &Right")};
}

std::vector<BuiltInBar> Bars(BuiltInControl hostMenu, const std::string& appName) {
  return {
      BuiltInBar{"Menu Bar", msoBarTypeMenuBar, msoBarTop, true,
                 MenuBarControls(std::move(hostMenu), appName)},
      BuiltInBar{"Standard", msoBarTypeNormal, msoBarTop, true, StandardControls()},
      BuiltInBar{"Formatting", msoBarTypeNormal, msoBarTop, true, FormattingControls()},
  };
}

void RemoveFrom(std::vector<BuiltInControl>& controls, int32_t id) {
  controls.erase(std::remove_if(controls.begin(), controls.end(),
                                [id](const BuiltInControl& c) { return c.id == id; }),
                 controls.end());
  for (auto& c : controls)
    RemoveFrom(c.controls, id);
}

}  // namespace

std::vector<BuiltInBar> WordBuiltInBars() {
  return Bars(Menu(30094, "T&able",
                   {Button(762, "&Insert Table..."), Button(478, "&Delete Cells..."),
                    Button(798, "&Merge Cells")}),
              "Word");
}

std::vector<BuiltInBar> PowerPointBuiltInBars() {
  return Bars(
      Menu(30011, "Sli&de Show", {Button(740, "&View Show"), Button(741, "&Rehearse Timings")}),
      "PowerPoint");
}

void RemoveBuiltInControl(std::vector<BuiltInBar>& bars, int32_t id) {
  for (auto& bar : bars)
    RemoveFrom(bar.controls, id);
}

}  // namespace qv::office
