// Saving and restoring the customizations of a set of command bars. The record is checked as a
// whole before anything changes, so a damaged record leaves the bars as they were.

#include <limits>

#include <nlohmann/json.hpp>

#include "automation/text/ascii.h"
#include "office/bars_context.h"
#include "office/command_bar_control.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "office/name_match.h"

namespace qv::office {

using nlohmann::json;

namespace {

constexpr int kFormat = 1;
// Menus inside menus deeper than this are not something a user builds; a record that claims so
// is damaged (and would otherwise exhaust the stack).
constexpr int kMaxMenuDepth = 16;

[[noreturn]] void Damaged(const std::string& where, const std::string& what) {
  throw automation::AutomationError(
      automation::err::kInvalidCall,
      "The command bar customizations are damaged: " + where + " " + what + ".");
}

const json& Field(const json& object, const char* key, const std::string& where) {
  const auto it = object.find(key);
  if (it == object.end()) Damaged(where, std::string("has no \"") + key + "\"");
  return *it;
}

std::string Text(const json& object, const char* key, const std::string& where,
                 const std::string& fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  if (!it->is_string()) Damaged(where + "." + key, "is not text");
  return it->get<std::string>();
}

bool Flag(const json& object, const char* key, const std::string& where, bool fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  if (!it->is_boolean()) Damaged(where + "." + key, "is not true or false");
  return it->get<bool>();
}

int32_t Number(const json& value, const std::string& where, int32_t low, int32_t high) {
  if (!value.is_number_integer()) Damaged(where, "is not a whole number");
  const auto n = value.get<int64_t>();
  if (n < low || n > high) Damaged(where, "is out of range");
  return static_cast<int32_t>(n);
}

int32_t Number(const json& object, const char* key, const std::string& where, int32_t low,
               int32_t high, int32_t fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  return Number(*it, where + "." + key, low, high);
}

const json& List(const json& object, const char* key, const std::string& where) {
  static const json empty = json::array();
  const auto it = object.find(key);
  if (it == object.end()) return empty;
  if (!it->is_array()) Damaged(where + "." + key, "is not a list");
  return *it;
}

json SaveControl(const CommandBarControl& control);

json SaveControls(const CommandBarControls& controls) {
  json list = json::array();
  for (const auto& control : controls.All()) {
    if (!control->Temporary()) list.push_back(SaveControl(*control));
  }
  return list;
}

json SaveControl(const CommandBarControl& control) {
  const ControlProperties& p = control.Properties();
  json out = {{"type", control.Type()},
              {"id", control.Id()},
              {"builtIn", control.BuiltIn()},
              {"caption", p.caption},
              {"tag", p.tag},
              {"onAction", p.onAction},
              {"tooltipText", p.tooltipText},
              {"parameter", p.parameter},
              {"style", p.style},
              {"visible", p.visible},
              {"enabled", p.enabled},
              {"beginGroup", p.beginGroup}};
  if (control.Type() == msoControlPopup)
    out["controls"] = SaveControls(*static_cast<const CommandBarPopup&>(control).Controls());
  return out;
}

}  // namespace

struct CommandBars::SavedControl {
  int32_t type = msoControlButton;
  int32_t id = kCustomControlId;
  bool builtIn = false;
  ControlProperties props;
  std::vector<SavedControl> controls;
};

struct CommandBars::SavedBar {
  std::string name;
  int32_t type = msoBarTypeNormal;
  int32_t position = msoBarFloating;
  bool builtIn = false;
  bool visible = false;
  bool enabled = true;
  std::vector<SavedControl> controls;
};

namespace {

template <class Saved>
std::vector<Saved> ReadControls(const json& list, const std::string& where, int depth);

template <class Saved>
Saved ReadControl(const json& in, const std::string& where, int depth) {
  if (!in.is_object()) Damaged(where, "is not an object");
  Saved c;
  c.type = Number(Field(in, "type", where), where + ".type", msoControlButton, msoControlPopup);
  if (c.type != msoControlButton && c.type != msoControlPopup)
    Damaged(where + ".type", "is not a button or a pop-up");
  c.id = Number(in, "id", where, 0, std::numeric_limits<int32_t>::max(), kCustomControlId);
  c.builtIn = Flag(in, "builtIn", where, false);
  c.props.caption = Text(in, "caption", where, "");
  c.props.tag = Text(in, "tag", where, "");
  c.props.onAction = Text(in, "onAction", where, "");
  c.props.tooltipText = Text(in, "tooltipText", where, "");
  c.props.parameter = Text(in, "parameter", where, "");
  c.props.style =
      Number(in, "style", where, msoButtonAutomatic, msoButtonIconAndCaption, msoButtonAutomatic);
  c.props.visible = Flag(in, "visible", where, true);
  c.props.enabled = Flag(in, "enabled", where, true);
  c.props.beginGroup = Flag(in, "beginGroup", where, false);
  if (c.type == msoControlPopup) {
    if (depth >= kMaxMenuDepth) Damaged(where, "nests menus too deeply");
    c.controls = ReadControls<Saved>(List(in, "controls", where), where + ".controls", depth + 1);
  }
  return c;
}

template <class Saved>
std::vector<Saved> ReadControls(const json& list, const std::string& where, int depth) {
  std::vector<Saved> out;
  for (size_t i = 0; i < list.size(); ++i)
    out.push_back(ReadControl<Saved>(list[i], where + "[" + std::to_string(i) + "]", depth));
  return out;
}

}  // namespace

json CommandBars::Save() const {
  json bars = json::array();
  for (const auto& bar : bars_) {
    if (bar->init_.temporary) continue;
    bars.push_back({{"name", bar->init_.name},
                    {"type", bar->init_.type},
                    {"position", bar->init_.position},
                    {"builtIn", bar->init_.builtIn},
                    {"visible", bar->init_.visible},
                    {"enabled", bar->enabled_},
                    {"controls", SaveControls(*bar->controls_)}});
  }
  return {{"format", kFormat}, {"bars", bars}};
}

void CommandBars::Restore(CommandBarControls& controls, const SavedControl& saved,
                          const std::shared_ptr<BarsContext>& context) {
  auto control = CommandBarControl::Make(saved.type, saved.id, saved.builtIn, false, context);
  control->props_ = saved.props;
  controls.Insert(control, controls.controls_.size());
  if (saved.type == msoControlPopup) {
    auto& popup = static_cast<CommandBarPopup&>(*control);
    for (const auto& child : saved.controls)
      Restore(*popup.Controls(), child, context);
  }
}

void CommandBars::Load(const json& saved) {
  // Read and check everything first.
  if (!saved.is_object()) Damaged("the record", "is not an object");
  const int32_t format = Number(Field(saved, "format", "the record"), "format", 0, 1000);
  if (format != kFormat) Damaged("format " + std::to_string(format), "is not known");
  const json& list = List(saved, "bars", "the record");
  std::vector<SavedBar> builtIns;
  std::vector<SavedBar> customs;
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string where = "bars[" + std::to_string(i) + "]";
    const json& in = list[i];
    if (!in.is_object()) Damaged(where, "is not an object");
    SavedBar b;
    const json& name = Field(in, "name", where);
    if (!name.is_string() || name.get<std::string>().empty())
      Damaged(where + ".name", "is not a name");
    b.name = name.get<std::string>();
    b.type = Number(Field(in, "type", where), where + ".type", msoBarTypeNormal, msoBarTypePopup);
    b.position = Number(in, "position", where, msoBarLeft, msoBarPopup, msoBarFloating);
    if ((b.type == msoBarTypePopup) != (b.position == msoBarPopup))
      Damaged(where + ".position", "does not suit the kind of bar");
    b.builtIn = Flag(in, "builtIn", where, false);
    b.visible = Flag(in, "visible", where, false);
    b.enabled = Flag(in, "enabled", where, true);
    b.controls = ReadControls<SavedControl>(List(in, "controls", where), where + ".controls", 0);
    if (!b.builtIn) {
      for (const auto& bar : bars_) {
        if (bar->init_.builtIn && text::EqualsIgnoreCase(bar->init_.name, b.name) &&
            (bar->init_.type == msoBarTypePopup) == (b.type == msoBarTypePopup))
          Damaged(where + ".name", "is the name of a built-in bar");
      }
    }
    auto& into = b.builtIn ? builtIns : customs;
    for (const auto& other : into) {
      if (text::EqualsIgnoreCase(other.name, b.name) &&
          (b.builtIn || (other.type == msoBarTypePopup) == (b.type == msoBarTypePopup)))
        Damaged(where + ".name", "is given twice");
    }
    into.push_back(std::move(b));
  }

  // Then put it in place, without signalling: the record is what the owner already has.
  ++context_->quiet;
  struct Quiet {
    BarsContext& c;
    ~Quiet() { --c.quiet; }
  } quiet{*context_};

  std::vector<std::shared_ptr<CommandBar>> kept;
  for (const auto& bar : bars_) {
    if (bar->init_.builtIn)
      kept.push_back(bar);
    else
      bar->MarkDeleted();
  }
  bars_ = std::move(kept);

  for (const auto& b : builtIns) {
    // A built-in bar this host does not have is left out.
    const auto it = std::find_if(bars_.begin(), bars_.end(), [&](const auto& bar) {
      return text::EqualsIgnoreCase(bar->init_.name, b.name);
    });
    if (it == bars_.end()) continue;
    CommandBar& bar = **it;
    bar.init_.visible = b.visible;
    if (bar.init_.type != msoBarTypePopup && b.position != msoBarPopup)
      bar.init_.position = b.position;
    bar.enabled_ = b.enabled;
    bar.controls_->DeleteAll();
    for (const auto& c : b.controls)
      Restore(*bar.controls_, c, context_);
  }

  for (const auto& b : customs) {
    CommandBar::Init init;
    init.name = b.name;
    init.type = b.type;
    init.position = b.position;
    init.visible = b.visible;
    auto bar = CommandBar::Make(
        std::move(init), std::static_pointer_cast<CommandBars>(shared_from_this()), context_);
    bar->enabled_ = b.enabled;
    for (const auto& c : b.controls)
      Restore(*bar->controls_, c, context_);
    bars_.push_back(std::move(bar));
  }
}

}  // namespace qv::office
