#include "platform/rot/object_server.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/rot/value_codec.h"

namespace qv::platform::rot {

using automation::AutomationError;
using automation::ObjectRef;
using automation::Variant;
using nlohmann::json;

namespace {

// How long a client may take to read an answer before it is dropped.
constexpr Millis kSendTimeout{5000};
// Host error numbers for what is not the object model's own error.
constexpr int32_t kAutomationError = 440;
constexpr int32_t kOutOfMemory = 7;
constexpr size_t kMaxClients = 64;

json Failure(int32_t number, const std::string& description) {
  return json{{"ok", false}, {"number", number}, {"description", description}};
}

[[noreturn]] void Malformed(const std::string& what) {
  throw AutomationError(automation::err::kInvalidCall,
                        "Invalid procedure call or argument: " + what);
}

}  // namespace

struct ObjectServer::Client {
  Socket socket;
  FrameReader reader;
  struct Held {
    ObjectRef object;
    int64_t refs = 0;
  };
  std::unordered_map<int64_t, Held> objects;
  std::unordered_map<const automation::Dispatch*, int64_t> ids;
  int64_t nextId = 1;
  bool hello = false;
  bool broken = false;

  void Release(int64_t id, int64_t count) {
    auto it = objects.find(id);
    if (it == objects.end() || count <= 0) return;
    it->second.refs -= count;
    if (it->second.refs <= 0) {
      ids.erase(it->second.object.get());
      objects.erase(it);
    }
  }
};

ObjectServer::ObjectServer(std::function<ObjectRef()> root) : root_(std::move(root)) {}

ObjectServer::~ObjectServer() {
  Withdraw();
}

bool ObjectServer::Publish(const std::filesystem::path& socketPath,
                           const std::filesystem::path& lockPath, std::string& why) {
  return endpoint_.Publish(socketPath, lockPath, why);
}

void ObjectServer::Withdraw() {
  clients_.clear();
  endpoint_.Withdraw();
}

int ObjectServer::TableToken(const automation::DispatchTable& table) {
  auto it = std::find(tables_.begin(), tables_.end(), &table);
  if (it != tables_.end()) return static_cast<int>(it - tables_.begin()) + 1;
  tables_.push_back(&table);
  return static_cast<int>(tables_.size());
}

void ObjectServer::Pump(Millis wait) {
  if (!endpoint_.Published() || pumping_) return;
  pumping_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pumping_};
  std::vector<pollfd> fds;
  fds.push_back(pollfd{endpoint_.Listener().Fd(), POLLIN, 0});
  for (const auto& c : clients_)
    fds.push_back(pollfd{c->socket.Fd(), POLLIN, 0});
  if (::poll(fds.data(), fds.size(), static_cast<int>(wait.count())) <= 0) return;
  // Clients first (their indexes match `fds`), then newcomers.
  for (size_t i = 1; i < fds.size(); ++i)
    if (fds[i].revents != 0) Serve(*clients_[i - 1]);
  std::erase_if(clients_, [](const auto& c) { return c->broken; });
  if (fds[0].revents & POLLIN) {
    for (;;) {
      Socket s = AcceptClient(endpoint_.Listener());
      if (!s.Valid()) break;
      // Beyond the limit a newcomer is closed at once (it sees the word processor as gone).
      if (clients_.size() >= kMaxClients) continue;
      auto client = std::make_unique<Client>();
      client->socket = std::move(s);
      clients_.push_back(std::move(client));
    }
  }
}

void ObjectServer::Serve(Client& client) {
  char buffer[16384];
  // Never more than one whole message ahead: a client that keeps writing cannot hold the loop
  // or grow the buffer without bound.
  while (client.reader.Size() <= kMaxMessageBytes + 4) {
    const ssize_t n = ::recv(client.socket.Fd(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      client.reader.Append(buffer, static_cast<size_t>(n));
      if (static_cast<size_t>(n) < sizeof buffer) break;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    client.broken = true;  // closed by the client, or failed
    return;
  }
  for (;;) {
    json request;
    std::string why;
    switch (client.reader.Next(request, why)) {
      case FrameReader::Status::Incomplete:
        return;
      case FrameReader::Status::Broken:
        // A client that does not speak the protocol is cut off; what it was handed is released.
        (void)SendMessage(client.socket, Failure(kAutomationError, why), kSendTimeout);
        client.broken = true;
        return;
      case FrameReader::Status::Message:
        break;
    }
    const json answer = Answer(client, request);
    if (SendMessage(client.socket, answer, kSendTimeout) != WireStatus::Ok) {
      client.broken = true;
      return;
    }
  }
}

json ObjectServer::Answer(Client& client, const json& request) {
  ObjectMarshal marshal;
  marshal.toWire = [&](const ObjectRef& object) -> json {
    if (!object) return json{{"$obj", 0}};
    int64_t id;
    if (auto it = client.ids.find(object.get()); it != client.ids.end()) {
      id = it->second;
    } else {
      id = client.nextId++;
      client.ids[object.get()] = id;
      client.objects[id].object = object;
    }
    ++client.objects[id].refs;
    return json{{"$obj", id}, {"table", TableToken(object->Members())}};
  };
  marshal.fromWire = [&](const json& wire) -> ObjectRef {
    const auto& id = wire.at("$obj");
    if (!id.is_number_integer()) Malformed("object id");
    if (id.get<int64_t>() == 0) return nullptr;
    auto it = client.objects.find(id.get<int64_t>());
    if (it == client.objects.end())
      throw AutomationError(automation::err::kObjectNotSet,
                            automation::StandardDescription(automation::err::kObjectNotSet));
    return it->second.object;
  };

  try {
    if (auto rel = request.find("release"); rel != request.end() && rel->is_array()) {
      for (const auto& r : *rel)
        if (r.is_array() && r.size() == 2 && r[0].is_number_integer() && r[1].is_number_integer())
          client.Release(r[0].get<int64_t>(), r[1].get<int64_t>());
    }
    const auto op = request.value("op", std::string());
    if (op == "hello") {
      if (request.value("version", 0) != kProtocolVersion) Malformed("protocol version");
      client.hello = true;
      ObjectRef root = root_ ? root_() : nullptr;
      if (!root)
        throw AutomationError(automation::err::kCannotCreate,
                              "ActiveX component can't create object: nothing is running here");
      return json{{"ok", true}, {"result", marshal.toWire(root)}};
    }
    if (!client.hello) Malformed("a call before hello");
    if (op == "release") return json{{"ok", true}};
    const auto idField = request.find("id");
    if (idField == request.end() || !idField->is_number_integer()) Malformed("object id");
    const ObjectRef object = marshal.fromWire(json{{"$obj", *idField}});
    if (!object) automation::Raise(automation::err::kObjectNotSet);
    if (op == "describe") {
      const auto& table = object->Members();
      json members = json::array();
      for (const auto& m : table.Members())
        members.push_back({{"name", m.name},
                           {"method", m.isMethod},
                           {"args", m.takesArgs},
                           {"put", static_cast<bool>(m.put)}});
      return json{{"ok", true},
                  {"result",
                   {{"class", table.ClassName()},
                    {"default", table.DefaultMember()},
                    {"members", std::move(members)}}}};
    }
    if (op == "invoke") {
      const auto name = request.value("name", std::string());
      const auto kindText = request.value("kind", std::string());
      const automation::CallKind kind =
          kindText == "method" ? automation::CallKind::Method
          : kindText == "get"  ? automation::CallKind::PropertyGet
          : kindText == "put"  ? automation::CallKind::PropertyPut
                               : (Malformed("call kind"), automation::CallKind::Method);
      std::vector<Variant> args;
      if (auto a = request.find("args"); a != request.end()) {
        if (!a->is_array()) Malformed("arguments");
        for (const auto& w : *a)
          args.push_back(DecodeValue(w, marshal));
      }
      const Variant result = automation::Invoke(*object, name, kind, args);
      json back = json::array();
      for (const auto& v : args)
        back.push_back(EncodeValue(v, marshal));
      return json{
          {"ok", true}, {"result", EncodeValue(result, marshal)}, {"args", std::move(back)}};
    }
    Malformed("unknown operation '" + op + "'");
  } catch (const AutomationError& e) {
    return Failure(e.Number(), e.Description());
  } catch (const std::bad_alloc&) {
    return Failure(kOutOfMemory, "Out of memory");
  } catch (const json::exception& e) {
    return Failure(automation::err::kInvalidCall, e.what());
  } catch (const std::exception& e) {
    return Failure(kAutomationError, e.what());
  }
}

}  // namespace qv::platform::rot
