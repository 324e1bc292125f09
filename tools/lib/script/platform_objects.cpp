#include "tools/lib/script/platform_objects.h"

#include <stdlib.h>

#include <optional>

#include <nlohmann/json.hpp>

#include "browser/register_browser_classes.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/com/activation.h"
#include "platform/files.h"
#include "platform/net/host_overrides.h"
#include "platform/profile.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell_execute.h"
#include "powerpoint/application.h"
#include "tools/lib/coursehost/course_host.h"
#include "tools/lib/script/script_driver.h"
#include "tools/lib/setup/installation.h"
#include "tools/lib/setup/run_installer.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/document.h"
#include "word/loader/addin_host.h"
#include "word/render.h"
#include "word/running_application.h"

namespace qv::tools {
namespace {

using automation::Args;
using automation::ObjectRef;
using automation::Variant;
namespace reg = online::reg;

// Settings of the current user, by key path below HKEY_CURRENT_USER.
class SettingsObject : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override {
    static const automation::DispatchTable table =
        automation::ClassTable<SettingsObject>("Settings")
            .Get("AddinKey", [](SettingsObject&) { return std::string(online::kAddinKey); })
            .Get("CompanyKey", [](SettingsObject&) { return std::string(online::kCompanyKey); })
            .Get("WordAddinKey",
                 [](SettingsObject&) { return std::string(online::kWordAddinRegistrationKey); })
            .Method("Get",
                    [](SettingsObject&, Args& a) {
                      return reg::QueryValue(online::HKEY_CURRENT_USER, a.Text(0), a.Text(1));
                    })
            // Set(key, name, value[, type]): creates the key when missing; numbers are stored as
            // 32-bit numbers unless the type says text (1).
            .Sub("Set",
                 [](SettingsObject&, Args& a) {
                   const Variant value = a[2];
                   int32_t type = a.Has(3) ? a.Int(3)
                                  : (value.GetType() == Variant::Type::Int32 ||
                                     value.GetType() == Variant::Type::Int16)
                                      ? reg::REG_DWORD
                                      : reg::REG_SZ;
                   reg::CreateKey(online::HKEY_CURRENT_USER, a.Text(0));
                   reg::SetValue(online::HKEY_CURRENT_USER, a.Text(0), a.Text(1), value, type);
                 })
            .Sub("CreateKey", [](SettingsObject&,
                                 Args& a) { reg::CreateKey(online::HKEY_CURRENT_USER, a.Text(0)); })
            .Sub("Delete",
                 [](SettingsObject&, Args& a) {
                   reg::DeleteValue(online::HKEY_CURRENT_USER, a.Text(0), a.Text(1));
                 })
            .Sub("DeleteKey",
                 [](SettingsObject&, Args& a) {
                   platform::Registry r;
                   (void)r.DeleteTree(platform::kHkeyCurrentUser, a.Text(0));
                 })
            .Method("KeyExists",
                    [](SettingsObject&, Args& a) {
                      platform::Registry r;
                      return r.OpenKey(platform::kHkeyCurrentUser, a.Text(0)).Ok();
                    })
            .Build();
    return table;
  }
};

// The local course host, started for the script and mapped as the default course host for as
// long as the script holds it.
class CourseHostObject : public automation::Dispatch {
 public:
  explicit CourseHostObject(CourseHostOptions options) : host_(std::move(options)) {
    host_.Start();
    mapped_ = platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host_.Port());
  }
  ~CourseHostObject() override {
    if (mapped_) (void)platform::UnmapHost(online::kDefaultCourseHost);
    host_.Stop();
  }

  nlohmann::json Report(int32_t i) const {
    const auto files = host_.Reports().List();
    if (i < 1 || static_cast<size_t>(i) > files.size())
      automation::Raise(automation::err::kSubscript);
    const auto text = platform::ReadWholeFile(files[static_cast<size_t>(i - 1)]);
    if (!text) automation::Raise(automation::err::kFileNotFound);
    return nlohmann::json::parse(*text, nullptr, false);
  }

  const automation::DispatchTable& Members() const override {
    static const automation::DispatchTable table =
        automation::ClassTable<CourseHostObject>("CourseHost")
            .Get("Port", [](CourseHostObject& c) { return int32_t{c.host_.Port()}; })
            .Get("ReportCount",
                 [](CourseHostObject& c) {
                   return Variant::Long(int64_t(c.host_.Reports().List().size()));
                 })
            // Report(i[, field]): the decoded field of report i ("msg" when not named).
            .Method("Report",
                    [](CourseHostObject& c, Args& a) {
                      const auto report = c.Report(a.Int(0));
                      const std::string field = a.Has(1) ? a.Text(1) : "msg";
                      const auto& fields = report.value("fields", nlohmann::json::object());
                      return Variant(fields.contains(field) && fields[field].is_string()
                                         ? fields[field].get<std::string>()
                                         : std::string());
                    })
            .Method("RawReport",
                    [](CourseHostObject& c, Args& a) {
                      return Variant(c.Report(a.Int(0)).value("raw", std::string()));
                    })
            .Get("RequestCount",
                 [](CourseHostObject& c) {
                   return Variant::Long(int64_t(c.host_.Requests().size()));
                 })
            .Method(
                "Request",
                [](CourseHostObject& c, Args& a) {
                  const auto requests = c.host_.Requests();
                  const int32_t i = a.Int(0);
                  if (i < 1 || static_cast<size_t>(i) > requests.size())
                    automation::Raise(automation::err::kSubscript);
                  const auto& r = requests[static_cast<size_t>(i - 1)];
                  return Variant(r.method + " " + r.path + (r.query.empty() ? "" : "?" + r.query));
                })
            .Sub("Stop", [](CourseHostObject& c, Args&) { c.host_.Stop(); })
            .Build();
    return table;
  }

 private:
  CourseHost host_;
  bool mapped_ = false;
};

std::filesystem::path BaseArgument(const std::vector<Variant>& args) {
  return args.empty() || args[0].IsEmpty() ? DefaultBasePath()
                                           : std::filesystem::path(args[0].ToText());
}

// Runs the installer with a transcript file of its own and gives back the transcript.
std::string RunInitializerWithTranscript(const std::vector<std::string>& args) {
  const auto file = platform::ProfileDir() / "initializer-transcript.txt";
  std::error_code ec;
  std::filesystem::remove(file, ec);
  const char* old = ::getenv("QUORVANTA_TRANSCRIPT");
  const std::optional<std::string> previous = old ? std::optional<std::string>(old) : std::nullopt;
  ::setenv("QUORVANTA_TRANSCRIPT", file.c_str(), 1);
  struct Restore {
    const std::optional<std::string>& previous;
    ~Restore() {
      if (previous)
        ::setenv("QUORVANTA_TRANSCRIPT", previous->c_str(), 1);
      else
        ::unsetenv("QUORVANTA_TRANSCRIPT");
    }
  } restore{previous};
  RunInitializer(args);
  return platform::ReadWholeFile(file).value_or("");
}

}  // namespace

std::shared_ptr<ScriptDriver> InstallPlatformObjects(automation::ScriptHost& host,
                                                     automation::ClassFactory& factory,
                                                     int startMode) {
  auto& toolkit = ui::Toolkit::Current();
  auto scripted = std::dynamic_pointer_cast<ui::ScriptedDriver>(toolkit.DriverObject());
  if (!scripted) {
    scripted = std::make_shared<ui::ScriptedDriver>();
    toolkit.SetDriver(scripted);
  }
  auto driver = std::make_shared<ScriptDriver>(scripted);
  host.DefineGlobal("Driver", Variant(ObjectRef(driver)));
  host.DefineGlobal("Settings", Variant(ObjectRef(std::make_shared<SettingsObject>())));

  host.DefineFunction("StartCourseHost", [](std::vector<Variant>& args) -> Variant {
    CourseHostOptions options;
    if (!args.empty() && !args[0].IsEmpty()) options.version = args[0].ToInt32();
    if (args.size() > 1 && !args[1].IsEmpty()) options.versionAnswer = args[1].ToText();
    return Variant(ObjectRef(std::make_shared<CourseHostObject>(std::move(options))));
  });
  host.DefineFunction("ReadFile", [](std::vector<Variant>& args) -> Variant {
    if (args.empty()) automation::Raise(automation::err::kWrongArgCount);
    const auto text = platform::ReadWholeFile(args[0].ToText());
    if (!text) automation::Raise(automation::err::kFileNotFound);
    return Variant(*text);
  });
  // RenderDocument(doc): the document's text rendering, as `quorvanta show` prints it.
  host.DefineFunction("RenderDocument", [](std::vector<Variant>& args) -> Variant {
    if (args.empty()) automation::Raise(automation::err::kWrongArgCount);
    auto doc = std::dynamic_pointer_cast<word::Document>(args[0].ToObject());
    if (!doc) automation::Raise(automation::err::kTypeMismatch);
    return Variant(word::RenderDocument(*doc));
  });
  // ProfilePath(name): a path inside the run's profile folder, for files a script makes.
  host.DefineFunction("ProfilePath", [](std::vector<Variant>& args) -> Variant {
    const std::string name = args.empty() ? "" : args[0].ToText();
    return Variant((platform::ProfileDir() / name).string());
  });
  host.DefineFunction("RemoveFile", [](std::vector<Variant>& args) -> Variant {
    if (args.empty()) automation::Raise(automation::err::kWrongArgCount);
    std::error_code ec;
    return Variant(std::filesystem::remove(args[0].ToText(), ec));
  });
  host.DefineFunction("FileExists", [](std::vector<Variant>& args) -> Variant {
    if (args.empty()) automation::Raise(automation::err::kWrongArgCount);
    std::error_code ec;
    return Variant(std::filesystem::exists(args[0].ToText(), ec));
  });
  // Setup([base]): what `quorvanta setup` does; returns the installation folder. A word processor
  // running in the script is served meanwhile, so the installer attaches to it.
  host.DefineFunction("Setup", [](std::vector<Variant>& args) -> Variant {
    const InstallationPaths paths = Install(BaseArgument(args));
    return Variant(paths.installDir.string());
  });
  host.DefineFunction("Uninstall", [](std::vector<Variant>& args) -> Variant {
    Uninstall(BaseArgument(args));
    return Variant();
  });
  // RunInitializer(arg, ...): runs the installer program with these arguments (each one as it
  // is: a quoted base path carries its double quotes) and returns what it showed, one line each.
  host.DefineFunction("RunInitializer", [](std::vector<Variant>& args) -> Variant {
    std::vector<std::string> texts;
    for (const auto& a : args)
      texts.push_back(a.ToText());
    return Variant(RunInitializerWithTranscript(texts));
  });
  // The library registration a setup program runs: RegisterLibrary(path[, unregister]).
  host.DefineFunction("RegisterLibrary", [](std::vector<Variant>& args) -> Variant {
    if (args.empty()) automation::Raise(automation::err::kWrongArgCount);
    std::string error;
    const int32_t result = platform::CallRegistrationEntry(
        args[0].ToText(), args.size() > 1 && args[1].ToBool(), error);
    if (result != platform::S_OK)
      throw automation::AutomationError(automation::err::kCannotCreate,
                                        "registration failed: " + error);
    return Variant();
  });

  // StartWord(mode): starts a word processor as started by the user (1), for embedding (2) or
  // by automation (3), whatever the run's own start mode; it becomes the running one.
  host.DefineFunction("StartWord", [](std::vector<Variant>& args) -> Variant {
    const int32_t mode = args.empty() ? word::kStartedByUser : args[0].ToInt32();
    return Variant(ObjectRef(word::StartWordProcessor(mode)));
  });
  factory.Register("Word.Application", [startMode]() -> ObjectRef {
    if (auto running = word::RunningApplication()) return running;
    return word::StartWordProcessor(startMode);
  });
  powerpoint::RegisterClasses(factory);
  browser::RegisterBrowserClasses(factory);
  browser::RegisterBrowserProgram(platform::ShellPrograms::Process());
  factory.SetFallback(
      [](const std::string& progId) { return platform::CreateRegisteredObject(progId); });
  return driver;
}

}  // namespace qv::tools
