#include "word/system_info.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <limits>

#include "word/errors.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

struct LocaleInfo {
  const char* prefix;
  int32_t languageId;
  int32_t country;
  const char* designation;
};

constexpr LocaleInfo kLocales[] = {
    {"en_US", 1033, 1, "English (US)"},
    {"en_GB", 2057, 44, "English (UK)"},
    {"en_CA", 4105, 2, "English (Canada)"},
    {"en_AU", 3081, 61, "English (Australia)"},
    {"de_DE", 1031, 49, "German (Germany)"},
    {"de_AT", 3079, 43, "German (Austria)"},
    {"de_CH", 2055, 41, "German (Switzerland)"},
    {"fr_FR", 1036, 33, "French (France)"},
    {"fr_CA", 3084, 2, "French (Canada)"},
    {"es_ES", 3082, 34, "Spanish (Spain)"},
    {"it_IT", 1040, 39, "Italian (Italy)"},
    {"nl_NL", 1043, 31, "Dutch (Netherlands)"},
    {"pt_BR", 1046, 55, "Portuguese (Brazil)"},
    {"pt_PT", 2070, 351, "Portuguese (Portugal)"},
    {"sv_SE", 1053, 46, "Swedish"},
    {"ja_JP", 1041, 81, "Japanese"},
    {"zh_CN", 2052, 86, "Chinese (PRC)"},
    {"ko_KR", 1042, 82, "Korean"},
};

const LocaleInfo* Find(const std::string& locale) {
  for (const auto& l : kLocales)
    if (locale.rfind(l.prefix, 0) == 0) return &l;
  return nullptr;
}

}  // namespace

std::string MachineLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* v = std::getenv(name); v && *v) return v;
  return "";
}

int32_t LanguageIdOfLocale(const std::string& locale) {
  const LocaleInfo* l = Find(locale);
  return l ? l->languageId : 1033;
}

int32_t CountryOfLocale(const std::string& locale) {
  const LocaleInfo* l = Find(locale);
  return l ? l->country : 1;
}

int32_t System::Country() const {
  return CountryOfLocale(MachineLocale());
}

std::string System::LanguageDesignation() const {
  const LocaleInfo* l = Find(MachineLocale());
  return l ? l->designation : "English (US)";
}

std::string System::ProcessorType() const {
  utsname u{};
  if (uname(&u) != 0) return "";
  return u.machine;
}

int32_t System::FreeDiskSpace() const {
  struct statvfs s {};
  if (statvfs(probe_.c_str(), &s) != 0) return 0;
  const unsigned long long bytes =
      static_cast<unsigned long long>(s.f_bavail) * static_cast<unsigned long long>(s.f_frsize);
  const auto cap = static_cast<unsigned long long>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(bytes > cap ? cap : bytes);
}

std::string System::OperatingSystem() const {
  utsname u{};
  if (uname(&u) != 0) return "";
  return u.sysname;
}

std::string System::Version() const {
  utsname u{};
  if (uname(&u) != 0) return "";
  return u.release;
}

// The embedded platform has no screen; a display size may be given for reports.
int32_t System::HorizontalResolution() const {
  const char* v = std::getenv("QUORVANTA_SCREEN_WIDTH");
  return v ? std::atoi(v) : 1024;
}

int32_t System::VerticalResolution() const {
  const char* v = std::getenv("QUORVANTA_SCREEN_HEIGHT");
  return v ? std::atoi(v) : 768;
}

const DispatchTable& System::Members() const {
  static const DispatchTable table =
      ClassTable<System>("System")
          .Get("Country", [](System& s) { return s.Country(); })
          .Get("LanguageDesignation", [](System& s) { return s.LanguageDesignation(); })
          .Get("ProcessorType", [](System& s) { return s.ProcessorType(); })
          .Get("FreeDiskSpace", [](System& s) { return s.FreeDiskSpace(); })
          .Get("OperatingSystem", [](System& s) { return s.OperatingSystem(); })
          .Get("Version", [](System& s) { return s.Version(); })
          .Get("HorizontalResolution", [](System& s) { return s.HorizontalResolution(); })
          .Get("VerticalResolution", [](System& s) { return s.VerticalResolution(); })
          .Build();
  return table;
}

int32_t LanguageSettings::LanguageID(int32_t which) const {
  if (which < 1 || which > 5) RaiseInvalidCall();
  return LanguageIdOfLocale(MachineLocale());
}

const DispatchTable& LanguageSettings::Members() const {
  static const DispatchTable table =
      ClassTable<LanguageSettings>("LanguageSettings")
          .GetArgs("LanguageID",
                   [](LanguageSettings& l, Args& a) { return l.LanguageID(a.Int(0)); })
          .Build();
  return table;
}

std::string Language::Name() const {
  for (const auto& l : kLocales)
    if (l.languageId == id_) return l.designation;
  return "English (US)";
}

const DispatchTable& Language::Members() const {
  static const DispatchTable table = ClassTable<Language>("Language")
                                         .Get("ID", [](Language& l) { return l.ID(); })
                                         .Get("Name", [](Language& l) { return l.Name(); })
                                         .Get("NameLocal", [](Language& l) { return l.Name(); })
                                         .Build();
  return table;
}

int32_t Languages::Count() const {
  return static_cast<int32_t>(std::size(kLocales));
}

const DispatchTable& Languages::Members() const {
  static const DispatchTable table = ClassTable<Languages>("Languages").Collection().Build();
  return table;
}

}  // namespace qv::word
