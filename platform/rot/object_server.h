#pragma once
// The serving side of the running-object endpoint: a program publishes one root object (the word
// processor's Application) at a local socket and answers the calls of other programs on its own
// thread, when it pumps (Pump). Each client has its own table of the objects handed to it; they
// stay alive while the client holds them and are released when it lets go or disconnects.
//
// Protocol (every message a length-prefixed JSON object, wire.h; values as value_codec.h):
//   {"op":"hello","version":1}                     -> {"ok":true,"result":<root object>}
//   {"op":"describe","id":N}                       -> {"ok":true,"result":{"class":..,
//        "default":..,"members":[{"name":..,"method":b,"args":b,"put":b},...]}}
//   {"op":"invoke","id":N,"name":s,"kind":"method"|"get"|"put","args":[...]}
//                                                  -> {"ok":true,"result":v,"args":[...]}
// Any request may carry "release":[[id,count],...]: the client dropped that many of the
// references it was handed. An object goes out as {"$obj":id,"table":T}; T names its member table
// (the same T, the same members), so that a client describes each kind of object once. A failed
// call answers {"ok":false,"number":n,"description":s}, as the object model raised it.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "automation/dispatch.h"
#include "platform/rot/unix_endpoint.h"
#include "platform/rot/wire.h"

namespace qv::platform::rot {

inline constexpr int kProtocolVersion = 1;

class ObjectServer {
 public:
  // `root` gives the object a new client gets; a null object refuses the client with error 429.
  explicit ObjectServer(std::function<automation::ObjectRef()> root);
  ~ObjectServer();
  ObjectServer(const ObjectServer&) = delete;
  ObjectServer& operator=(const ObjectServer&) = delete;

  // Publishes at `socketPath` (see PublishedEndpoint).
  bool Publish(const std::filesystem::path& socketPath, const std::filesystem::path& lockPath,
               std::string& why);
  // Disconnects every client, releases their objects and withdraws the socket.
  void Withdraw();
  bool Published() const { return endpoint_.Published(); }

  // Accepts waiting clients and answers every whole request that has arrived, waiting at most
  // `wait` for the first thing to happen. Calls run on the caller's thread, one at a time.
  void Pump(Millis wait);
  size_t ClientCount() const { return clients_.size(); }

 private:
  struct Client;
  void Serve(Client& client);
  nlohmann::json Answer(Client& client, const nlohmann::json& request);
  int TableToken(const automation::DispatchTable& table);

  std::function<automation::ObjectRef()> root_;
  PublishedEndpoint endpoint_;
  std::vector<std::unique_ptr<Client>> clients_;
  std::vector<const automation::DispatchTable*> tables_;
  bool pumping_ = false;  // a call that pumps again while being served waits for its turn
};

}  // namespace qv::platform::rot
