#include "addin/settings/init_settings.h"

#include "automation/automation_error.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"

namespace qv::addin {

namespace {

constexpr int32_t kDefaultAnswerCount = 4;

// The course host from strHost: the default host when empty; a leading "http://" (exactly that,
// in small letters) is dropped only when something follows it. Nothing else is touched: another
// scheme or a trailing "/" stays, since every address is built as "http://" + host + path.
std::string CourseHostFrom(const std::string& strHost) {
  if (strHost.empty()) return online::kDefaultCourseHost;
  if (strHost.size() > 7 && strHost.compare(0, 7, "http://") == 0) return strHost.substr(7);
  return strHost;
}

// numAs as stored (text, or a number if someone wrote one). Empty or missing gives the default.
// A text that is not a number would stop the add-in from loading at all; falling back to the
// default keeps it usable, and the dialog writes a good value back the next time it is used.
// Numbers convert as the host does: blanks around are allowed, "5.7" rounds to 6 (half to even),
// and 0 or a negative count is kept as the host would keep it.
int32_t AnswerCountFrom(const automation::Variant& numAs) {
  if (numAs.IsEmpty() || (numAs.IsText() && numAs.ToText().empty())) return kDefaultAnswerCount;
  try {
    return numAs.ToInt32();
  } catch (const automation::AutomationError&) {
    return kDefaultAnswerCount;
  }
}

}  // namespace

void InitSettings() {
  InitSettings(G());
}

void InitSettings(GState& g) {
  g.ampSubstitute = std::string(1, '\x02');
  g.hive = online::HKEY_CURRENT_USER;

  g.IMG_PATH = online::reg::QueryValue(g.hive, online::kAddinKey, "IMG_PATH", "").ToText();
  g.strHost =
      CourseHostFrom(online::reg::QueryValue(g.hive, online::kCompanyKey, "strHost", "").ToText());
  g.strQuery = online::reg::QueryValue(g.hive, online::kCompanyKey, "strQuery", "").ToText();
  g.numAs = AnswerCountFrom(online::reg::QueryValue(g.hive, online::kAddinKey, "numAs", ""));

  for (int32_t code = 0; code < kQuestionTypeCount; ++code) {
    g.typeNames.At(code) = TypeNameText(code);
    g.questionPrompts.At(code) = QuestionPromptText(code);
    g.authorInstructions.At(code) = AuthorInstructionsText(code);
    const std::string& path = ExamplePagePath(code);
    g.examplePages.At(code) = path.empty() ? std::string() : "http://" + g.strHost + path;
  }
}

}  // namespace qv::addin
