#pragma once
// The calling side of the running-object endpoint (object_server.h): a connection to a program
// that publishes an object, and proxies that stand for its objects here. A proxy is an ordinary
// automation object: Get, Put, Call and scripts use it by name. Its members are the remote
// object's, learnt once per kind of object; a name the object does not have raises 438 as on the
// object itself, and an error raised over there is raised here with its number and description.
//
// Bounded: a call that gets no answer within the call time-out raises -2147417846, and a peer
// that went away or answered nonsense raises -2147417848 "The object invoked has disconnected
// from its clients."; the connection is unusable afterwards. Objects of this process cannot be
// passed to the other (error 5); proxies of the same connection can.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "platform/rot/wire.h"

namespace qv::platform::rot {

inline constexpr int32_t kDisconnected = static_cast<int32_t>(0x80010108u);
inline constexpr int32_t kCallTimedOut = static_cast<int32_t>(0x8001010Au);

struct ConnectOptions {
  Millis helloTimeout{5000};
  Millis callTimeout{60000};
};

class RemoteObject;

class RemoteConnection : public std::enable_shared_from_this<RemoteConnection> {
 public:
  RemoteConnection(Socket socket, ConnectOptions options);
  ~RemoteConnection();

  // Greets the server and returns its root object. Raises AutomationError when the server
  // refuses or does not answer.
  automation::ObjectRef Hello();

  // ---- used by proxies ----
  automation::Variant Invoke(RemoteObject& object, const std::string& name,
                             automation::CallKind kind, std::vector<automation::Variant>& args);
  // Remembers that a proxy let go of `refs` references; told to the server with the next call.
  void Released(int64_t id, int64_t refs) noexcept;

 private:
  nlohmann::json Request(nlohmann::json request);
  automation::ObjectRef ObjectFromWire(const nlohmann::json& wire);
  std::shared_ptr<const automation::DispatchTable> Table(int token, int64_t id);
  [[noreturn]] void Fail(int32_t number, const std::string& description);

  Socket socket_;
  ConnectOptions options_;
  FrameReader reader_;
  bool broken_ = false;
  std::string brokenWhy_;
  std::map<int, std::shared_ptr<const automation::DispatchTable>> tables_;
  std::map<int64_t, std::weak_ptr<RemoteObject>> proxies_;
  std::vector<std::pair<int64_t, int64_t>> released_;
};

class RemoteObject : public automation::Dispatch {
 public:
  RemoteObject(std::shared_ptr<RemoteConnection> connection, int64_t id,
               std::shared_ptr<const automation::DispatchTable> table)
      : connection_(std::move(connection)), id_(id), table_(std::move(table)) {}
  ~RemoteObject() override { connection_->Released(id_, refs_); }

  const automation::DispatchTable& Members() const override { return *table_; }
  int64_t Id() const { return id_; }
  RemoteConnection* Connection() const { return connection_.get(); }

 private:
  friend class RemoteConnection;
  std::shared_ptr<RemoteConnection> connection_;
  int64_t id_;
  std::shared_ptr<const automation::DispatchTable> table_;
  int64_t refs_ = 1;  // references the server handed out for this proxy
};

// Connects to the endpoint at `socketPath` and returns the proxy of its root object; null when
// nothing publishes there or the program there has nothing to give (its root is not running).
// Raises AutomationError for a peer that answers wrongly or not at all.
automation::ObjectRef ConnectRemote(const std::filesystem::path& socketPath,
                                    ConnectOptions options = {});

}  // namespace qv::platform::rot
