// The installer program as the external setup runs it: its command line, what it shows, and what
// it leaves in the registry and in the word processor, with and without a running word processor.

#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "automation/error_trap.h"
#include "initializer/tests/install_fixture.h"
#include "initializer/tests/program_runner.h"
#include "office/com_addin.h"
#include "office/com_addins.h"
#include "platform/net/testing/loopback_server.h"
#include "word/application.h"
#include "word/loader/addin_host.h"
#include "word/rot/running_word.h"

namespace qv::testing {
namespace {

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;

constexpr const char* kAddinKey = "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-in";
constexpr const char* kCompanyKey = "SOFTWARE\\Quorvanta Technologies, Inc.";
constexpr const char* kRegistrationKey =
    "SOFTWARE\\Microsoft\\Office\\Word\\Addins\\KZOWord.Connect";

const std::string kUsageLine =
    "MsgBox \"Initializer\" [OK] default=OK: \"Usage: initializer <prog> -u -a <path>\\r\\n\\r\\n"
    "Where: <prog> is -p PowerPoint Addins\\r\\n                 -w Word Addins\\r\\n       -u     "
    "is to uninstall\\r\\n       <path> is the path is the base registry path to the install "
    "locations\\r\\nExample: initializer -p -u \"\"C:\\Program Files\\\"\"\" -> OK\n";

class InstallerProgram : public InstallFixture {
 protected:
  ProgramRun Initializer(const std::vector<std::string>& args) {
    return RunProgram(QV_INITIALIZER_BIN, args, profile.Dir());
  }
  std::string Quoted() const { return "\"" + base + "\""; }

  // Counts the controls of the running word processor's Tools menu with that caption.
  static int MenuCount(const ObjectRef& app) {
    const ObjectRef tools =
        Call(Get(app, "CommandBars").ToObject(), "FindControl", {Variant(), Variant(30007)})
            .ToObject();
    const ObjectRef controls = Get(tools, "Controls").ToObject();
    int found = 0;
    for (int32_t i = 1; i <= Get(controls, "Count").ToInt32(); ++i)
      if (Get(Call(controls, "Item", {Variant(i)}).ToObject(), "Caption").ToText() == "&Quorvanta")
        ++found;
    return found;
  }
  static bool HasBar(const ObjectRef& app, const char* name) {
    automation::ErrorsIgnored ignore;
    return ignore.Value(
        [&] {
          return Call(Get(app, "CommandBars").ToObject(), "Item", {Variant(name)}).ToObject() !=
                 nullptr;
        },
        false);
  }
  static std::vector<std::string> DocumentNames(const ObjectRef& app) {
    const ObjectRef docs = Get(app, "Documents").ToObject();
    std::vector<std::string> names;
    for (int32_t i = 1; i <= Get(docs, "Count").ToInt32(); ++i)
      names.push_back(Get(Call(docs, "Item", {Variant(i)}).ToObject(), "Name").ToText());
    return names;
  }
  static bool Contains(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  static std::vector<std::string> TemplateNames(const ObjectRef& app) {
    const ObjectRef addIns = Get(app, "AddIns").ToObject();
    std::vector<std::string> names;
    for (int32_t i = 1; i <= Get(addIns, "Count").ToInt32(); ++i)
      names.push_back(Get(Call(addIns, "Item", {Variant(i)}).ToObject(), "Name").ToText());
    return names;
  }
};

TEST_F(InstallerProgram, WrongCommandLinesShowTheUsageAndChangeNothing) {
  LayFiles();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"-w"}, {"-w", base}, {"w", Quoted()}}) {
    const ProgramRun run = Initializer(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.transcript, kUsageLine + "Unload Initializer by code\n")
        << (args.empty() ? "" : args[0]);
  }
  EXPECT_FALSE(KeyExists(kCompanyKey));
  EXPECT_FALSE(KeyExists(kRegistrationKey));

  // Options in the wrong case are not recognised: nothing happens and nothing is shown.
  const ProgramRun quiet = Initializer({"-W", Quoted()});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.transcript, "Unload Initializer by code\n");
  EXPECT_FALSE(KeyExists(kCompanyKey));
}

TEST_F(InstallerProgram, WordNotRunningInstallsForTheNextStart) {
  LayFiles();
  RegisterLibrary();
  const ProgramRun run = Initializer({"-w", "-p", Quoted()});  // Word only
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.transcript, "Unload Initializer by code\n");

  EXPECT_EQ(Value(kRegistrationKey, "LoadBehavior"), Variant(3));
  EXPECT_EQ(Value(kRegistrationKey, "CommandLineSafe"), Variant(0));
  EXPECT_EQ(Value(kRegistrationKey, "FriendlyName"), Variant("Quorvanta Add-Ins"));
  EXPECT_EQ(Value(kAddinKey, "INSTALL_PATH"), Variant(installDir));
  EXPECT_EQ(Value(kAddinKey, "IMG_PATH"), Variant(installDir + "Img/"));
  EXPECT_EQ(Value(kAddinKey, "Quorvanta Authoring Menus.dot"),
            Variant(installDir + "Quorvanta Authoring Menus.dot"));
  EXPECT_EQ(Value(kAddinKey, "helpShow"), Variant(0));
  EXPECT_EQ(Value(kAddinKey, "helpLoc"), Variant(installDir + "first.doc"));
  EXPECT_EQ(Value(kCompanyKey, "isInstallOK"), Variant(1));
  EXPECT_EQ(Value(kAddinKey, "isInstalling"), Variant("false"));
  EXPECT_TRUE(Value(kAddinKey, "lastUpdt").IsEmpty()) << "a first installation has no key yet";
  EXPECT_FALSE(std::filesystem::exists(profile.Dir() / "powerpoint")) << "-w wins over -p";
  EXPECT_FALSE(std::filesystem::exists(word::RunningWordSocketPath()));

  // The invisible word processor did not connect the add-in (a connection records its version);
  // the next start does.
  EXPECT_TRUE(Value(kAddinKey, "Ver").IsEmpty());
  {
    auto app = word::StartWordProcessor(word::kStartedByUser);
    EXPECT_TRUE(app->COMAddIns()->Item("KZOWord.Connect")->Connect());
    EXPECT_TRUE(HasBar(app, "Quorvanta"));
    EXPECT_EQ(MenuCount(app), 1);
    app->Quit();
  }

  // A re-installation stamps the time of the installation.
  Initializer({"-w", Quoted()});
  EXPECT_FALSE(Value(kAddinKey, "lastUpdt").IsEmpty());
  EXPECT_EQ(Value(kAddinKey, "isInstalling"), Variant("false"));
  EXPECT_EQ(Value(kCompanyKey, "isInstallOK"), Variant(1));
}

TEST_F(InstallerProgram, MissingTemplatesAreToldButTheSettingsAreWritten) {
  LayFiles(false);
  const ProgramRun run = Initializer({"-w", Quoted()});
  EXPECT_EQ(run.transcript,
            "MsgBox \"Initializer\" [OK] default=OK: \"The Word Add-in were not found on your "
            "machine.  This installation will complete but errors may prevent the Word Add-in "
            "from working correctly.\" -> OK\nUnload Initializer by code\n");
  EXPECT_EQ(Value(kAddinKey, "INSTALL_PATH"), Variant(installDir));
  EXPECT_EQ(Value(kRegistrationKey, "LoadBehavior"), Variant(3));
  EXPECT_TRUE(KeyExists(kCompanyKey));
  EXPECT_TRUE(Value(kCompanyKey, "isInstallOK").IsEmpty()) << "not written on this path";
}

TEST_F(InstallerProgram, UninstallWithoutWordRunningRemovesEverything) {
  LayFiles();
  Initializer({"-w", Quoted()});
  ASSERT_TRUE(KeyExists(kAddinKey));
  // The toolbar was never made: only the templates and the keys go.
  const ProgramRun run = Initializer({"-w", "-u", Quoted()});
  EXPECT_EQ(run.transcript, "Unload Initializer by code\n");
  EXPECT_FALSE(KeyExists(kRegistrationKey));
  EXPECT_FALSE(KeyExists(kAddinKey));
  EXPECT_FALSE(KeyExists(kCompanyKey));
  EXPECT_TRUE(KeyExists("SOFTWARE\\Microsoft\\Office\\Word\\Addins"));
}

// A failure inside an installer object is shown to nobody: the installer posts its short report to
// the course host as itself and marks the installation failed for the external setup.
TEST_F(InstallerProgram, FailuresAreReportedToTheCourseHostAndNotShown) {
  LayFiles();
  Initializer({"-w", Quoted()});
  ASSERT_EQ(Value(kCompanyKey, "isInstallOK"), Variant(1));
  std::filesystem::remove(pptDir + "rvuppt.ppa");

  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nOK");
  });
  ::setenv("QUORVANTA_HOSTS",
           ("courses.quorvanta.example=127.0.0.1:" + std::to_string(server.Port())).c_str(), 1);
  const ProgramRun run = Initializer({"-p", Quoted()});
  ::unsetenv("QUORVANTA_HOSTS");

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.transcript, "Unload Initializer by code\n") << "nothing shown";
  EXPECT_EQ(Value(kCompanyKey, "isInstallOK"), Variant(0));
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("POST /Err/rptErr.asp HTTP/1.0\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("User-Agent: Quorvanta Initializer\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("PptInit.LoadAddin"), std::string::npos) << request;
  EXPECT_NE(request.find("LineNo"), std::string::npos) << request;
  EXPECT_EQ(request.substr(request.size() - 22), "&sender=KZOInitializer") << request;
}

// The word processor runs in another process: the installer attaches to it, connects the add-in
// at once, and later unloads and removes it there.
TEST_F(InstallerProgram, WordRunningElsewhereConnectsAndRemovesAtOnce) {
  if (std::string(QV_QUORVANTA_BIN).empty()) GTEST_SKIP() << "quorvanta is not built";
  WordProcess wordProcess(QV_QUORVANTA_BIN, word::RunningWordSocketPath());
  LayFiles();
  RegisterLibrary();
  // The library's own registration names the add-in already; the running word processor has
  // not loaded it, since it started before.
  Initializer({"-w", Quoted()});
  EXPECT_EQ(Value(kCompanyKey, "isInstallOK"), Variant(1));

  ObjectRef app = word::AttachRunningWordProcessor();
  ASSERT_TRUE(app);
  EXPECT_EQ(app->TypeName(), "Application");
  const ObjectRef addIn =
      Call(Get(app, "COMAddIns").ToObject(), "Item", {Variant("KZOWord.Connect")}).ToObject();
  EXPECT_TRUE(Get(addIn, "Connect").ToBool());
  EXPECT_TRUE(HasBar(app, "Quorvanta"));
  EXPECT_EQ(MenuCount(app), 1);
  const ObjectRef toolbar =
      Call(Get(app, "CommandBars").ToObject(), "Item", {Variant("Quorvanta")}).ToObject();
  EXPECT_EQ(Get(Get(toolbar, "Controls").ToObject(), "Count").ToInt32(), 6);
  // Connected after start-up, the add-in completes its start at once: the toolbar shows; the
  // help document stays closed, since the installer set helpShow to 0.
  EXPECT_TRUE(Get(toolbar, "Visible").ToBool());
  EXPECT_FALSE(Contains(DocumentNames(app), "first.doc"));
  // The user has the help document open; unloading closes it.
  Call(Call(Get(app, "Documents").ToObject(), "Add").ToObject(), "SaveAs",
       {Variant(installDir + "first.doc")});
  ASSERT_TRUE(Contains(DocumentNames(app), "first.doc"));
  const auto names = TemplateNames(app);
  EXPECT_NE(std::find(names.begin(), names.end(), "Quorvanta Authoring Menus.dot"), names.end());

  // Unload only: disconnected, templates gone from the list, registration and settings kept.
  Initializer({"-w", "-l", Quoted()});
  EXPECT_FALSE(Get(addIn, "Connect").ToBool());
  EXPECT_TRUE(TemplateNames(app).empty());
  EXPECT_FALSE(Contains(DocumentNames(app), "first.doc")) << "the help document is closed";
  EXPECT_TRUE(HasBar(app, "Quorvanta"));
  EXPECT_TRUE(KeyExists(kRegistrationKey));
  EXPECT_EQ(Value(kAddinKey, "INSTALL_PATH"), Variant(installDir));

  // A re-installation while the add-in is away: the installation in progress makes the add-in
  // rebuild its toolbar when it connects, so a control the user deleted comes back.
  Call(Call(Get(toolbar, "Controls").ToObject(), "Item", {Variant(1)}).ToObject(), "Delete");
  ASSERT_EQ(Get(Get(toolbar, "Controls").ToObject(), "Count").ToInt32(), 5);
  Initializer({"-w", Quoted()});
  EXPECT_TRUE(Get(addIn, "Connect").ToBool());
  const ObjectRef rebuilt =
      Call(Get(app, "CommandBars").ToObject(), "Item", {Variant("Quorvanta")}).ToObject();
  EXPECT_EQ(Get(Get(rebuilt, "Controls").ToObject(), "Count").ToInt32(), 6);
  EXPECT_EQ(Value(kAddinKey, "isInstalling"), Variant("false"));

  // Uninstall: menu, toolbar and keys go; the word processor keeps running.
  Initializer({"-w", "-u", Quoted()});
  EXPECT_FALSE(HasBar(app, "Quorvanta"));
  EXPECT_EQ(MenuCount(app), 0);
  EXPECT_FALSE(KeyExists(kAddinKey));
  EXPECT_FALSE(KeyExists(kRegistrationKey));
  EXPECT_TRUE(Get(Get(app, "NormalTemplate").ToObject(), "Saved").ToBool());
  app.reset();
  EXPECT_EQ(wordProcess.Stop(), 0);
  EXPECT_FALSE(std::filesystem::exists(word::RunningWordSocketPath()));

  // What the running word processor kept: the next start shows no menu or toolbar.
  auto next = word::StartWordProcessor(word::kStartedByUser);
  EXPECT_FALSE(HasBar(next, "Quorvanta"));
  EXPECT_EQ(MenuCount(next), 0);
  next->Quit();
}

// One word processor publishes per profile; one that died leaves a socket the next one replaces.
TEST_F(InstallerProgram, OneWordProcessorPublishesAndADeadOneIsReplaced) {
  if (std::string(QV_QUORVANTA_BIN).empty()) GTEST_SKIP() << "quorvanta is not built";
  const auto socket = word::RunningWordSocketPath();
  WordProcess first(QV_QUORVANTA_BIN, socket);
  EXPECT_EQ(Wait(Spawn(QV_QUORVANTA_BIN, {"word"})), 1) << "a second one is refused";
  ASSERT_TRUE(word::AttachRunningWordProcessor()) << "the first one still serves";

  first.Kill();
  ASSERT_TRUE(std::filesystem::exists(socket)) << "left behind";
  EXPECT_EQ(word::AttachRunningWordProcessor(), nullptr) << "nobody listens: not running";

  // The stale socket is there from the start, so wait for the new one to answer through it.
  WordProcess next(QV_QUORVANTA_BIN, socket);
  ObjectRef app;
  for (int i = 0; i < 1000 && !app; ++i) {
    app = word::AttachRunningWordProcessor();
    if (!app) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(app) << "the new one replaced the stale socket";
  EXPECT_EQ(app->TypeName(), "Application");
  app.reset();
  EXPECT_EQ(next.Stop(), 0);
  EXPECT_FALSE(std::filesystem::exists(socket));
}

}  // namespace
}  // namespace qv::testing
