#pragma once
// A function of a page's scripts held outside the script engine (an element's onclick assigned
// by a script, a handler compiled from an attribute, a timer). It stays valid as long as the
// engine that made it; once the page is replaced the engine goes and the function is dead.

#include <cstdint>
#include <memory>
#include <string>

namespace qv::browser {

class ScriptEngine;

class ScriptFunction {
 public:
  ScriptFunction(std::weak_ptr<ScriptEngine> engine, uint32_t id, std::string source)
      : engine_(std::move(engine)), id_(id), source_(std::move(source)) {}
  std::shared_ptr<ScriptEngine> Engine() const { return engine_.lock(); }
  uint32_t Id() const { return id_; }
  // Where the function came from, for error reports.
  const std::string& Source() const { return source_; }

 private:
  std::weak_ptr<ScriptEngine> engine_;
  uint32_t id_;
  std::string source_;
};

}  // namespace qv::browser
