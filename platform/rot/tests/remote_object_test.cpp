#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "automation/automation_error.h"
#include "automation/testing/raised_error.h"
#include "platform/rot/object_server.h"
#include "platform/rot/remote_object.h"
#include "platform/rot/unix_endpoint.h"
#include "platform/rot/value_codec.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform::rot {
namespace {

using automation::Args;
using automation::AutomationError;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;
using qv::testing::ErrorNumber;

class Counter : public automation::Dispatch {
 public:
  int32_t value = 0;
  std::shared_ptr<Counter> child;

  const automation::DispatchTable& Members() const override {
    static const auto table =
        ClassTable<Counter>("Counter")
            .Prop(
                "Value", [](Counter& c) { return c.value; },
                [](Counter& c, const Variant& v) { c.value = v.ToInt32(); })
            .Method("Add", [](Counter& c, Args& a) { return c.value += a.Int(0); })
            .Get("Child",
                 [](Counter& c) -> ObjectRef {
                   if (!c.child) c.child = std::make_shared<Counter>();
                   return c.child;
                 })
            .Method(
                "Fail",
                [](Counter&, Args& a) -> Variant { throw AutomationError(a.Int(0), a.Text(1)); })
            .Method("Echo", [](Counter&, Args& a) { return a[0]; })
            .Sub("Mark", [](Counter&, Args& a) { a[0] = Variant("marked"); })
            .Method("IsChild",
                    [](Counter& c, Args& a) { return a.Object(0) == ObjectRef(c.child); })
            .Default("Value")
            .Build();
    return table;
  }
};

// A served root on a thread of its own, as the word processor serves from its own process.
class Served {
 public:
  explicit Served(const std::filesystem::path& dir)
      : socket_(dir / "running.sock"), lock_(dir / "running.lock") {
    root = std::make_shared<Counter>();
    server_ = std::make_unique<ObjectServer>([this] { return ObjectRef(root); });
    std::string why;
    if (!server_->Publish(socket_, lock_, why)) throw std::runtime_error(why);
    thread_ = std::thread([this] {
      while (!stop_)
        server_->Pump(Millis(20));
    });
  }
  ~Served() {
    stop_ = true;
    thread_.join();
  }
  const std::filesystem::path& Socket() const { return socket_; }
  size_t Clients() const { return server_->ClientCount(); }

  std::shared_ptr<Counter> root;

 private:
  std::filesystem::path socket_, lock_;
  std::unique_ptr<ObjectServer> server_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(RemoteObject, CallsCrossWithTheirValuesAndErrors) {
  testing::TempProfile profile;
  Served served(profile.Dir());
  ObjectRef app = ConnectRemote(served.Socket());
  ASSERT_TRUE(app);
  EXPECT_EQ(app->TypeName(), "Counter");

  automation::Put(app, "Value", Variant(5));
  EXPECT_EQ(automation::Call(app, "Add", {Variant(3)}).ToInt32(), 8);
  EXPECT_EQ(automation::Get(app, "value").ToInt32(), 8) << "names match without regard to case";

  // Values keep their kind across.
  for (const Variant& v : {Variant(), Variant(true), Variant(int16_t{7}), Variant(int32_t{-9}),
                           Variant(2.5), Variant("é & \"x\""), Variant(automation::Date(45000.25)),
                           Variant::Array(1, {Variant(1), Variant("two")})}) {
    const Variant back = automation::Call(app, "Echo", {v});
    EXPECT_EQ(back.GetType(), v.GetType()) << v.TypeName();
    if (v.IsArray())
      EXPECT_EQ(back.ToArray()->elements[1].ToText(), "two");
    else
      EXPECT_EQ(back.ToText(), v.ToText()) << v.TypeName();
  }

  // Errors cross with their number and description; unknown names are refused.
  try {
    automation::Call(app, "Fail", {Variant(5941), Variant("no such item")});
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 5941);
    EXPECT_EQ(e.Description(), "no such item");
  }
  EXPECT_EQ(ErrorNumber([&] { automation::Get(app, "NoSuchMember"); }),
            automation::err::kNoSuchMember);

  // Objects keep their identity and go back as themselves; a by-reference argument comes back.
  ObjectRef child = automation::Get(app, "Child").ToObject();
  EXPECT_EQ(child, automation::Get(app, "Child").ToObject());
  EXPECT_TRUE(automation::Call(app, "IsChild", {Variant(child)}).ToBool());
  automation::Put(child, "Value", Variant(42));
  EXPECT_EQ(served.root->child->value, 42);
  std::vector<Variant> args{Variant("x")};
  automation::Invoke(*app, "Mark", automation::CallKind::Method, args);
  EXPECT_EQ(args[0].ToText(), "marked");

  // An object of this process cannot be handed over.
  EXPECT_THROW(automation::Call(app, "IsChild", {Variant(ObjectRef(std::make_shared<Counter>()))}),
               AutomationError);
}

TEST(RemoteObject, ObjectsHandedOutAreReleasedWhenTheClientLetsGo) {
  testing::TempProfile profile;
  Served served(profile.Dir());
  std::weak_ptr<Counter> weakChild;
  {
    ObjectRef app = ConnectRemote(served.Socket());
    ObjectRef child = automation::Get(app, "Child").ToObject();
    weakChild = served.root->child;
    served.root->child.reset();
    child.reset();
    // The release travels with the next call.
    automation::Get(app, "Value");
    EXPECT_TRUE(weakChild.expired());

    // A dropped proxy whose object is handed out again before the release goes keeps it.
    ObjectRef again = automation::Get(app, "Child").ToObject();
    again.reset();
    ObjectRef third = automation::Get(app, "Child").ToObject();
    weakChild = served.root->child;
    served.root->child.reset();
    automation::Get(app, "Value");
    EXPECT_FALSE(weakChild.expired());
    automation::Put(third, "Value", Variant(1));
  }
  // Disconnecting releases everything.
  for (int i = 0; i < 100 && !weakChild.expired(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(weakChild.expired());
}

TEST(RemoteObject, NothingRunningIsNoObject) {
  testing::TempProfile profile;
  const auto path = profile.Dir() / "running.sock";
  EXPECT_EQ(ConnectRemote(path), nullptr) << "no socket";

  // A socket left by a program that died: nobody listens.
  {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
  }
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(ConnectRemote(path), nullptr) << "stale socket";

  // A new publisher replaces the stale socket; a second one is refused while the first serves.
  Served served(profile.Dir());
  EXPECT_TRUE(ConnectRemote(path));
  ObjectServer second([] { return ObjectRef(); });
  std::string why;
  EXPECT_FALSE(second.Publish(path, profile.Dir() / "running.lock", why));
  EXPECT_NE(why.find("another program"), std::string::npos) << why;
}

TEST(RemoteObject, ServerWithoutRootRefusesAsNotRunning) {
  testing::TempProfile profile;
  ObjectServer server([] { return ObjectRef(); });
  std::string why;
  ASSERT_TRUE(server.Publish(profile.Dir() / "s.sock", profile.Dir() / "s.lock", why)) << why;
  std::atomic<bool> stop{false};
  std::thread t([&] {
    while (!stop)
      server.Pump(Millis(20));
  });
  EXPECT_EQ(ConnectRemote(profile.Dir() / "s.sock"), nullptr);
  stop = true;
  t.join();
  server.Withdraw();
  EXPECT_FALSE(std::filesystem::exists(profile.Dir() / "s.sock"));
}

// A peer that accepts and then misbehaves: silent, or announcing an oversized message.
TEST(RemoteObject, BrokenPeerGivesAClearErrorNotAHang) {
  testing::TempProfile profile;
  const auto path = profile.Dir() / "bad.sock";
  PublishedEndpoint endpoint;
  std::string why;
  ASSERT_TRUE(endpoint.Publish(path, profile.Dir() / "bad.lock", why)) << why;

  ConnectOptions quick;
  quick.helloTimeout = Millis(200);
  EXPECT_EQ(ErrorNumber([&] { ConnectRemote(path, quick); }), kCallTimedOut)
      << "a silent peer must time out";

  std::atomic<bool> stop{false};
  std::thread peer([&] {
    while (!stop) {
      Socket s = AcceptClient(endpoint.Listener());
      if (!s.Valid()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        continue;
      }
      const char huge[] = {'\x7f', '\xff', '\xff', '\xff'};
      (void)SendAll(s, std::string_view(huge, 4), Millis(1000));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  try {
    ConnectRemote(path, quick);
    FAIL() << "an oversized answer must be refused";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), kDisconnected);
    EXPECT_NE(e.Description().find("beyond the limit"), std::string::npos) << e.Description();
  }
  stop = true;
  peer.join();
}

TEST(RemoteObject, ServerDropsAClientSpeakingNonsenseAndServesTheOthers) {
  testing::TempProfile profile;
  Served served(profile.Dir());
  Socket bad;
  std::string why;
  ASSERT_EQ(ConnectEndpoint(served.Socket(), bad, why), ConnectOutcome::Connected);
  (void)SendAll(bad, std::string("\0\0\0\x05hello", 9), Millis(1000));
  FrameReader reader;
  nlohmann::json answer;
  ASSERT_EQ(ReceiveMessage(bad, reader, answer, Millis(2000), why), WireStatus::Ok);
  EXPECT_FALSE(answer.value("ok", true));
  char c;
  size_t n = 0;
  EXPECT_EQ(ReceiveSome(bad, &c, 1, Millis(2000), n), NetStatus::Closed);

  // A call before hello is refused too.
  ObjectRef app = ConnectRemote(served.Socket());
  EXPECT_EQ(automation::Call(app, "Add", {Variant(1)}).ToInt32(), 1);
}

TEST(ValueCodec, RefusesWhatIsNoValue) {
  ObjectMarshal none;
  none.fromWire = [](const nlohmann::json&) -> ObjectRef { return nullptr; };
  for (const char* text : {R"({"a":1})", R"({"$i2":70000})", R"({"$array":[1]})", R"([1])"}) {
    EXPECT_THROW(DecodeValue(nlohmann::json::parse(text), none), AutomationError) << text;
  }
  EXPECT_EQ(DecodeValue(nlohmann::json::parse("3000000000"), none).GetType(),
            Variant::Type::Double);
  EXPECT_FALSE(ParseMessage(std::string(100, '[') + std::string(100, ']')));
  EXPECT_FALSE(ParseMessage("[1,2]")) << "a message is an object";
}

}  // namespace
}  // namespace qv::platform::rot
