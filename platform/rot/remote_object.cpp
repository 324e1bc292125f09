#include "platform/rot/remote_object.h"

#include "platform/rot/object_server.h"
#include "platform/rot/unix_endpoint.h"
#include "platform/rot/value_codec.h"

namespace qv::platform::rot {

using automation::AutomationError;
using automation::ObjectRef;
using automation::Variant;
using nlohmann::json;

namespace {

const char* KindName(automation::CallKind kind) {
  switch (kind) {
    case automation::CallKind::Method:
      return "method";
    case automation::CallKind::PropertyGet:
      return "get";
    case automation::CallKind::PropertyPut:
      return "put";
  }
  return "method";
}

// The members of a remote kind of object: each forwards its call, by name, to the object the
// proxy stands for. The table holds no connection, so caching it in the connection makes no
// cycle.
std::shared_ptr<const automation::DispatchTable> TableFromDescription(const json& d) {
  std::vector<automation::Member> members;
  for (const auto& m : d.at("members")) {
    automation::Member member;
    member.name = m.at("name").get<std::string>();
    member.isMethod = m.at("method").get<bool>();
    member.takesArgs = m.at("args").get<bool>();
    const std::string name = member.name;
    const auto kind =
        member.isMethod ? automation::CallKind::Method : automation::CallKind::PropertyGet;
    member.get = [name, kind](automation::Dispatch& self, automation::Args& a) {
      std::vector<Variant> args;
      for (size_t i = 0; i < a.Count(); ++i)
        args.push_back(a[i]);
      auto& proxy = static_cast<RemoteObject&>(self);
      Variant result = proxy.Connection()->Invoke(proxy, name, kind, args);
      for (size_t i = 0; i < a.Count() && i < args.size(); ++i)
        a[i] = args[i];
      return result;
    };
    if (m.at("put").get<bool>()) {
      member.put = [name](automation::Dispatch& self, automation::Args& a, const Variant& value) {
        std::vector<Variant> args;
        for (size_t i = 0; i < a.Count(); ++i)
          args.push_back(a[i]);
        args.push_back(value);
        auto& proxy = static_cast<RemoteObject&>(self);
        proxy.Connection()->Invoke(proxy, name, automation::CallKind::PropertyPut, args);
      };
    }
    members.push_back(std::move(member));
  }
  return std::make_shared<const automation::DispatchTable>(
      d.at("class").get<std::string>(), std::move(members), d.at("default").get<std::string>());
}

}  // namespace

RemoteConnection::RemoteConnection(Socket socket, ConnectOptions options)
    : socket_(std::move(socket)), options_(options) {}

RemoteConnection::~RemoteConnection() = default;

void RemoteConnection::Fail(int32_t number, const std::string& description) {
  if (number == kDisconnected || number == kCallTimedOut) {
    // The stream may now hold a late answer or half a message: nothing more can be read safely.
    broken_ = true;
    brokenWhy_ = description;
    socket_.Close();
  }
  throw AutomationError(number, description);
}

void RemoteConnection::Released(int64_t id, int64_t refs) noexcept {
  try {
    if (auto it = proxies_.find(id); it != proxies_.end() && it->second.expired())
      proxies_.erase(it);
    if (!broken_) released_.emplace_back(id, refs);
  } catch (...) {
    // Losing a release only keeps an object alive until the connection ends.
  }
}

json RemoteConnection::Request(json request) {
  if (broken_)
    throw AutomationError(kDisconnected, "The object invoked has disconnected from its clients. (" +
                                             brokenWhy_ + ")");
  if (!released_.empty()) {
    json rel = json::array();
    for (const auto& [id, refs] : released_)
      rel.push_back(json::array({id, refs}));
    request["release"] = std::move(rel);
    released_.clear();
  }
  const Millis timeout =
      request.value("op", std::string()) == "hello" ? options_.helloTimeout : options_.callTimeout;
  switch (SendMessage(socket_, request, timeout)) {
    case WireStatus::Ok:
      break;
    case WireStatus::TimedOut:
      Fail(kCallTimedOut, "The program serving the object does not take the call in time.");
    default:
      Fail(kDisconnected, "The object invoked has disconnected from its clients.");
  }
  json answer;
  std::string why;
  switch (ReceiveMessage(socket_, reader_, answer, timeout, why)) {
    case WireStatus::Ok:
      break;
    case WireStatus::TimedOut:
      Fail(kCallTimedOut, "The program serving the object did not answer within " +
                              std::to_string(timeout.count()) + " ms.");
    case WireStatus::Broken:
      Fail(kDisconnected, "The object invoked has disconnected from its clients: " + why);
    default:
      Fail(kDisconnected, "The object invoked has disconnected from its clients.");
  }
  const auto ok = answer.find("ok");
  if (ok == answer.end() || !ok->is_boolean())
    Fail(kDisconnected,
         "The object invoked has disconnected from its clients: answer without "
         "a result");
  if (!ok->get<bool>()) {
    const auto number = answer.find("number");
    const auto description = answer.find("description");
    if (number == answer.end() || !number->is_number_integer() || description == answer.end() ||
        !description->is_string())
      Fail(kDisconnected, "The object invoked has disconnected from its clients: malformed error");
    const int64_t n = number->get<int64_t>();
    throw AutomationError(static_cast<int32_t>(n), description->get<std::string>());
  }
  return answer;
}

std::shared_ptr<const automation::DispatchTable> RemoteConnection::Table(int token, int64_t id) {
  if (auto it = tables_.find(token); it != tables_.end()) return it->second;
  const json answer = Request(json{{"op", "describe"}, {"id", id}});
  try {
    auto table = TableFromDescription(answer.at("result"));
    tables_[token] = table;
    return table;
  } catch (const json::exception& e) {
    Fail(kDisconnected,
         std::string("The object invoked has disconnected from its clients: ") + e.what());
  }
}

ObjectRef RemoteConnection::ObjectFromWire(const json& wire) {
  const auto idField = wire.find("$obj");
  if (idField == wire.end() || !idField->is_number_integer())
    Fail(kDisconnected, "The object invoked has disconnected from its clients: bad object id");
  const int64_t id = idField->get<int64_t>();
  if (id == 0) return nullptr;
  if (auto it = proxies_.find(id); it != proxies_.end()) {
    if (auto live = it->second.lock()) {
      ++live->refs_;
      return live;
    }
  }
  const auto token = wire.find("table");
  if (token == wire.end() || !token->is_number_integer())
    Fail(kDisconnected, "The object invoked has disconnected from its clients: bad object kind");
  auto table = Table(token->get<int>(), id);
  auto proxy = std::make_shared<RemoteObject>(shared_from_this(), id, std::move(table));
  proxies_[id] = proxy;
  return proxy;
}

Variant RemoteConnection::Invoke(RemoteObject& object, const std::string& name,
                                 automation::CallKind kind, std::vector<Variant>& args) {
  ObjectMarshal marshal;
  marshal.toWire = [this](const ObjectRef& o) -> json {
    if (!o) return json{{"$obj", 0}};
    auto proxy = std::dynamic_pointer_cast<RemoteObject>(o);
    if (!proxy || proxy->Connection() != this)
      throw AutomationError(automation::err::kInvalidCall,
                            "Invalid procedure call or argument: an object of this program cannot "
                            "be passed to another program");
    return json{{"$obj", proxy->Id()}};
  };
  marshal.fromWire = [this](const json& wire) { return ObjectFromWire(wire); };
  json wireArgs = json::array();
  for (const auto& a : args)
    wireArgs.push_back(EncodeValue(a, marshal));
  const json answer = Request(json{{"op", "invoke"},
                                   {"id", object.Id()},
                                   {"name", name},
                                   {"kind", KindName(kind)},
                                   {"args", std::move(wireArgs)}});
  // The answer's objects are taken in before anything can fail, so that each reference handed
  // out is counted by a proxy.
  Variant result;
  try {
    result = DecodeValue(answer.value("result", json()), marshal);
    if (auto back = answer.find("args"); back != answer.end() && back->is_array()) {
      for (size_t i = 0; i < args.size() && i < back->size(); ++i)
        args[i] = DecodeValue((*back)[i], marshal);
    }
  } catch (const AutomationError& e) {
    Fail(kDisconnected, "The object invoked has disconnected from its clients: " + e.Description());
  }
  return result;
}

ObjectRef RemoteConnection::Hello() {
  try {
    const json answer = Request(json{{"op", "hello"}, {"version", kProtocolVersion}});
    return ObjectFromWire(answer.value("result", json()));
  } catch (const AutomationError& e) {
    if (e.Number() == automation::err::kCannotCreate) return nullptr;
    throw;
  }
}

ObjectRef ConnectRemote(const std::filesystem::path& socketPath, ConnectOptions options) {
  Socket socket;
  std::string why;
  switch (ConnectEndpoint(socketPath, socket, why)) {
    case ConnectOutcome::NotRunning:
      return nullptr;
    case ConnectOutcome::Failed:
      throw AutomationError(automation::err::kCannotCreate,
                            "ActiveX component can't create object: " + why);
    case ConnectOutcome::Connected:
      break;
  }
  auto connection = std::make_shared<RemoteConnection>(std::move(socket), options);
  return connection->Hello();
}

}  // namespace qv::platform::rot
