#pragma once
// What the application reports about the machine and its languages: the System object (country,
// language, processor, free disk space, operating system, screen size) and the language ids of
// the language settings. Values come from this machine where it has them (LANG, uname, statvfs),
// else the host's US English defaults.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {

// The Windows language id of a locale name such as "de_DE.UTF-8" (1033 when unknown).
int32_t LanguageIdOfLocale(const std::string& locale);
// The country code (telephone prefix, as the host reports it) of a locale name (1 when unknown).
int32_t CountryOfLocale(const std::string& locale);
// The machine's locale name from LC_ALL, LC_MESSAGES or LANG ("" when none is set).
std::string MachineLocale();

class System : public automation::Dispatch {
 public:
  explicit System(std::filesystem::path diskProbe) : probe_(std::move(diskProbe)) {}
  const automation::DispatchTable& Members() const override;
  int32_t Country() const;
  std::string LanguageDesignation() const;
  std::string ProcessorType() const;
  // Free bytes on the disk of the profile, capped to the 32-bit range the host reports.
  int32_t FreeDiskSpace() const;
  std::string OperatingSystem() const;
  std::string Version() const;
  int32_t HorizontalResolution() const;
  int32_t VerticalResolution() const;

 private:
  std::filesystem::path probe_;
};

class LanguageSettings : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;
  // msoLanguageIDInstall 1, UI 2, Help 3, ExeMode 4, UIPrevious 5.
  int32_t LanguageID(int32_t which) const;
};

class Language : public automation::Dispatch {
 public:
  explicit Language(int32_t id) : id_(id) {}
  const automation::DispatchTable& Members() const override;
  int32_t ID() const { return id_; }
  std::string Name() const;

 private:
  int32_t id_;
};

class Languages : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;
  // How many languages the platform knows.
  int32_t Count() const;
  // The language of identifier `id`: the list is indexed by language identifier.
  std::shared_ptr<Language> Item(int32_t id) const { return std::make_shared<Language>(id); }
};

}  // namespace qv::word
