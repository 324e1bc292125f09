#include "word/loader/addin_host.h"

#include "automation/error_trap.h"
#include "office/com_addin.h"
#include "office/com_addins.h"
#include "platform/com/activation.h"
#include "platform/registry/registry.h"
#include "word/application.h"
#include "word/running_application.h"
#include "word/toolkit_save_as.h"

namespace qv::word {
namespace {

using automation::ObjectRef;
using automation::Variant;

constexpr const char* kAddinsKey = "SOFTWARE\\Microsoft\\Office\\Word\\Addins";
constexpr int32_t kLoadAtStartup = 3;
constexpr int32_t ext_cm_AfterStartup = 0;
constexpr int32_t ext_cm_Startup = 1;
constexpr int32_t ext_dm_HostShutdown = 0;
constexpr int32_t ext_dm_UserClosed = 1;

}  // namespace

std::vector<std::string> RegistryAddinRegistrations::ProgIds() const {
  platform::Registry reg;
  std::vector<std::string> names;
  if (!reg.EnumKeys(platform::kHkeyCurrentUser, kAddinsKey, names).Ok()) return {};
  return names;
}

std::optional<Variant> RegistryAddinRegistrations::Value(const std::string& progId,
                                                         const std::string& name) const {
  platform::Registry reg;
  platform::RegValue value;
  if (!reg.QueryValue(platform::kHkeyCurrentUser, std::string(kAddinsKey) + "\\" + progId, name,
                      value)
           .Ok())
    return std::nullopt;
  if (value.type == platform::kRegDword) return Variant(static_cast<int32_t>(value.AsDword()));
  if (value.IsText()) return Variant(value.data);
  return std::nullopt;
}

std::string RegistryAddinRegistrations::ClassId(const std::string& progId) const {
  platform::Registry reg;
  platform::RegValue value;
  if (!reg.QueryValue(platform::kHkeyClassesRoot, progId + "\\CLSID", "", value).Ok()) return "";
  return value.data;
}

// Keeps the word processor's add-ins: creates and connects them, and disconnects them at quit.
class AddinHost : public ApplicationListener {
 public:
  AddinHost(std::weak_ptr<Application> app, int32_t startMode)
      : app_(std::move(app)), startMode_(startMode) {}

  void Connect(office::COMAddIn& addIn, bool connect) {
    auto app = app_.lock();
    if (!app) automation::Raise(automation::err::kObjectNotSet);
    if (connect) {
      ObjectRef object = platform::CreateRegisteredObject(addIn.ProgId());
      std::vector<Variant> args{Variant(ObjectRef(app)), Variant(connectMode_),
                                Variant(addIn.shared_from_this()), Custom()};
      automation::Invoke(*object, "OnConnection", automation::CallKind::Method, args);
      addIn.SetObject(object);
    } else if (ObjectRef object = addIn.Object()) {
      std::vector<Variant> args{Variant(quitting_ ? ext_dm_HostShutdown : ext_dm_UserClosed),
                                Custom()};
      automation::Invoke(*object, "OnDisconnection", automation::CallKind::Method, args);
    }
  }

  // Connects the start-up add-ins, then tells them start-up is complete.
  void Startup(office::COMAddIns& list) {
    connectMode_ = ext_cm_Startup;
    std::vector<std::shared_ptr<office::COMAddIn>> connected;
    for (const auto& addIn : list.All()) {
      if (addIn->LoadBehavior() != kLoadAtStartup || addIn->Connect()) continue;
      // An add-in that cannot be created or refuses is left unconnected; the others still load.
      automation::ErrorsIgnored ignore;
      ignore([&] { addIn->SetConnect(true); });
      if (addIn->Connect()) connected.push_back(addIn);
    }
    connectMode_ = ext_cm_AfterStartup;
    for (const auto& addIn : connected) {
      automation::ErrorsIgnored ignore;
      ignore([&] {
        std::vector<Variant> args{Custom()};
        if (ObjectRef object = addIn->Object())
          automation::Invoke(*object, "OnStartupComplete", automation::CallKind::Method, args);
      });
    }
  }

  void Quit() override {
    auto app = app_.lock();
    if (!app) return;
    quitting_ = true;
    for (const auto& addIn : app->COMAddIns()->All()) {
      automation::ErrorsIgnored ignore;
      ignore([&] { addIn->SetConnect(false); });
    }
    quitting_ = false;
    UnregisterRunningApplication(app.get());
  }

 private:
  Variant Custom() const { return Variant::Array(1, {Variant(startMode_)}); }

  std::weak_ptr<Application> app_;
  int32_t startMode_;
  int32_t connectMode_ = ext_cm_AfterStartup;
  bool quitting_ = false;
};

std::shared_ptr<Application> StartWordProcessor(int32_t startMode) {
  auto app = std::make_shared<Application>();
  app->SetSaveAsChooser(std::make_shared<ToolkitSaveAsChooser>());
  auto host = std::make_shared<AddinHost>(app, startMode);
  app->AddListener(host.get());
  // The list's hook keeps the host alive as long as the application keeps the list; the host only
  // holds the application weakly, so nothing keeps the application alive in a circle.
  auto list = office::COMAddIns::Create(
      std::make_shared<RegistryAddinRegistrations>(),
      [host](office::COMAddIn& addIn, bool connect) { host->Connect(addIn, connect); });
  app->SetCOMAddIns(list);
  RegisterRunningApplication(app);
  host->Startup(*list);
  return app;
}

}  // namespace qv::word
