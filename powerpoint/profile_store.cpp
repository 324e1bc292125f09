#include "powerpoint/profile_store.h"

#include "automation/automation_error.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace qv::powerpoint {

using nlohmann::json;

namespace {

constexpr int kFormat = 1;
constexpr int32_t kCannotSave = 75;  // the host's "Path/File access error"

[[noreturn]] void Damaged(const std::string& what) {
  throw automation::AutomationError(
      automation::err::kInvalidCall,
      "PowerPoint cannot read its settings file " + StatePath().string() + ": " + what + ".");
}

std::filesystem::path LockPath() {
  return platform::ProfileSubdir("powerpoint") / "state.lock";
}

}  // namespace

std::filesystem::path StatePath() {
  return platform::ProfileSubdir("powerpoint") / "state.json";
}

SavedState ReadState() {
  SavedState state;
  const auto path = StatePath();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return state;
  const auto text = platform::ReadWholeFile(path, 16u << 20);
  if (!text) Damaged("the file cannot be read");
  const json saved = json::parse(*text, nullptr, false);
  if (saved.is_discarded() || !saved.is_object()) Damaged("it is not a settings record");
  const auto format = saved.find("format");
  if (format == saved.end() || !format->is_number_integer() || format->get<int64_t>() != kFormat)
    Damaged("its format is not known");
  if (const auto list = saved.find("addIns"); list != saved.end()) {
    if (!list->is_array()) Damaged("the add-in list is not a list");
    for (const auto& entry : *list) {
      const auto name = entry.find("fullName");
      if (!entry.is_object() || name == entry.end() || !name->is_string() ||
          name->get<std::string>().empty())
        Damaged("an add-in has no file name");
      SavedAddIn addIn;
      addIn.fullName = name->get<std::string>();
      for (auto [key, field] :
           {std::pair{"autoLoad", &addIn.autoLoad}, std::pair{"registered", &addIn.registered}}) {
        const auto it = entry.find(key);
        if (it == entry.end()) continue;
        if (!it->is_boolean()) Damaged(std::string("an add-in's ") + key + " is not true or false");
        *field = it->get<bool>();
      }
      state.addIns.push_back(std::move(addIn));
    }
  }
  if (const auto bars = saved.find("commandBars"); bars != saved.end()) state.commandBars = *bars;
  return state;
}

void WriteState(const SavedState& state) {
  json addIns = json::array();
  for (const auto& a : state.addIns)
    addIns.push_back(
        {{"fullName", a.fullName}, {"autoLoad", a.autoLoad}, {"registered", a.registered}});
  json out = {{"format", kFormat}, {"addIns", addIns}};
  if (state.commandBars) out["commandBars"] = *state.commandBars;
  platform::FileLock lock(LockPath());
  if (!lock.Held() || !platform::WriteFileAtomically(StatePath(), out.dump(2) + "\n"))
    throw automation::AutomationError(
        kCannotSave, "PowerPoint cannot save its settings file " + StatePath().string() + ".");
}

}  // namespace qv::powerpoint
