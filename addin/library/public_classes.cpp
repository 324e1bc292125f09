#include "addin/library/public_classes.h"

#include <functional>
#include <utility>

#include "addin/connect/connect.h"
#include "addin/constants.h"
#include "addin/document/Work.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/MultipleChoiceFillInTheBlank.h"
#include "addin/questions/MultipleCorrect.h"
#include "addin/questions/MultipleCorrectFillInTheBlank.h"
#include "addin/questions/ShortAnswer.h"
#include "addin/questions/TrueFalse.h"
#include "automation/text/ascii.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/com/activation.h"

namespace qv::addin {
namespace {

using Creator = std::function<automation::ObjectRef()>;

// Every public class of the library, as its registration lists it.
const std::vector<std::pair<std::string, Creator>>& Classes() {
  static const std::vector<std::pair<std::string, Creator>> classes = {
      {kProgIdConnect, [] { return std::make_shared<Connect>(); }},
      {"KZOWord.MultipleChoice", [] { return std::make_shared<MultipleChoice>(); }},
      {"KZOWord.MultipleCorrect", [] { return std::make_shared<MultipleCorrect>(); }},
      {"KZOWord.MultipleChoiceFillInTheBlank",
       [] { return std::make_shared<MultipleChoiceFillInTheBlank>(); }},
      {"KZOWord.MultipleCorrectFillInTheBlank",
       [] { return std::make_shared<MultipleCorrectFillInTheBlank>(); }},
      {"KZOWord.FillInTheBlank", [] { return std::make_shared<FillInTheBlank>(); }},
      {"KZOWord.TrueFalse", [] { return std::make_shared<TrueFalse>(); }},
      {"KZOWord.ShortAnswer", [] { return std::make_shared<ShortAnswer>(); }},
      {"KZOWord.ImageTag", [] { return std::make_shared<ImageTag>(); }},
      {"KZOWord.ImageHotSpot", [] { return std::make_shared<ImageHotSpot>(); }},
      {kProgIdWork, [] { return std::make_shared<Work>(); }},
  };
  return classes;
}

}  // namespace

std::vector<std::string> PublicProgIds() {
  std::vector<std::string> ids;
  for (const auto& [id, creator] : Classes())
    ids.push_back(id);
  return ids;
}

automation::ObjectRef CreatePublicObject(const std::string& progId) {
  for (const auto& [id, creator] : Classes()) {
    if (text::EqualsIgnoreCase(id, progId)) return creator();
  }
  return nullptr;
}

void RegisterLibrary(const std::string& libraryFile) {
  for (const auto& [id, creator] : Classes())
    platform::RegisterClass(id, platform::ClassIdFor(id), libraryFile, kTypeLibDescription);
  namespace reg = online::reg;
  reg::CreateKey(online::HKEY_CURRENT_USER, online::kWordAddinRegistrationKey);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kWordAddinRegistrationKey, "FriendlyName",
                automation::Variant(kFriendlyName), reg::REG_SZ);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kWordAddinRegistrationKey, "LoadBehavior",
                automation::Variant(3), reg::REG_DWORD);
}

void UnregisterLibrary() {
  for (const auto& [id, creator] : Classes())
    platform::UnregisterClass(id, platform::ClassIdFor(id));
  online::reg::DeleteKey(online::HKEY_CURRENT_USER, online::kWordAddinRegistrationKey);
}

}  // namespace qv::addin
