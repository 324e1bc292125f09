#include "tools/lib/coursehost/course_host.h"

#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ctime>
#include <nlohmann/json.hpp>

#include "automation/text/ascii.h"
#include "automation/text/cp1252.h"
#include "online/course_host_name.h"
#include "platform/profile.h"
#include "tools/lib/coursehost/form_fields.h"
#include "tools/lib/coursehost/pages.h"

namespace qv::tools {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr size_t kLogLimit = 1000;

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::gmtime_r(&now, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

HttpResponse ErrorPage(int status) {
  const std::string title = std::string(ReasonPhrase(status));
  return {status, "text/html; charset=utf-8", HtmlPage(title, "The course host cannot answer.")};
}

}  // namespace

CourseHost::CourseHost(CourseHostOptions options)
    : options_(std::move(options)),
      store_(options_.reportDir.empty() ? platform::ProfileSubdir("coursehost/reports")
                                        : options_.reportDir) {
  if (options_.hostName.empty()) options_.hostName = online::kDefaultCourseHost;
  options_.workers = std::max<size_t>(1, options_.workers);
}

CourseHost::~CourseHost() {
  Stop();
}

void CourseHost::Start() {
  if (acceptor_.joinable()) return;  // already serving
  listener_ = platform::ListenLoopback(options_.port, port_);
  stop_ = false;
  acceptor_ = std::thread([this] { AcceptLoop(); });
  for (size_t i = 0; i < options_.workers; ++i)
    workers_.emplace_back([this] { WorkerLoop(); });
}

void CourseHost::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (acceptor_.joinable()) acceptor_.join();
  for (auto& w : workers_)
    w.join();
  workers_.clear();
  std::lock_guard lock(mutex_);
  waiting_.clear();
  listener_.Close();
}

std::vector<RequestRecord> CourseHost::Requests() const {
  std::lock_guard lock(mutex_);
  return {log_.begin(), log_.end()};
}

void CourseHost::Record(RequestRecord record) {
  {
    std::lock_guard lock(mutex_);
    log_.push_back(record);
    if (log_.size() > kLogLimit) log_.pop_front();
  }
  if (options_.onRequest) options_.onRequest(record);
}

void CourseHost::AcceptLoop() {
  while (!stop_) {
    auto socket = platform::AcceptConnection(listener_, 50ms);
    if (!socket.Valid()) continue;
    std::lock_guard lock(mutex_);
    // When every worker is busy and the queue is full, the newcomer is dropped rather than
    // letting a flood of connections grow the queue without end.
    if (waiting_.size() >= options_.maxWaiting) continue;
    waiting_.push_back(std::move(socket));
    wake_.notify_one();
  }
}

void CourseHost::WorkerLoop() {
  for (;;) {
    platform::Socket socket;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || !waiting_.empty(); });
      if (stop_) return;
      socket = std::move(waiting_.front());
      waiting_.pop_front();
    }
    Serve(std::move(socket));
  }
}

void CourseHost::Serve(platform::Socket socket) {
  HttpRequest request;
  const int refusal = ReadRequest(socket, request);
  const HttpResponse response = refusal ? ErrorPage(refusal) : Answer(request);
  // Recorded before the answer leaves, so that whoever has the answer also finds the record.
  Record({request.method, request.path, request.query, response.status});
  platform::SendAll(socket, FormatResponse(response, request.method == "HEAD"),
                    options_.connectionTimeout);
  // Closing with unread input would reset the connection and could destroy the answer before
  // the client has read it: end our side first and let the client close.
  ::shutdown(socket.Fd(), SHUT_WR);
  char sink[4096];
  size_t got = 0;
  const auto deadline = Clock::now() + 500ms;
  while (!stop_ && Clock::now() < deadline &&
         platform::ReceiveSome(socket, sink, sizeof sink, 50ms, got) !=
             platform::NetStatus::Closed) {
  }
}

int CourseHost::ReadRequest(const platform::Socket& socket, HttpRequest& request) const {
  const auto deadline = Clock::now() + options_.connectionTimeout;
  std::string data;
  char chunk[4096];
  // Receives more input in short slices, so that Stop() never waits long for a slow client.
  const auto receive = [&]() -> int {
    for (;;) {
      if (stop_ || Clock::now() >= deadline) return 408;
      size_t got = 0;
      switch (platform::ReceiveSome(socket, chunk, sizeof chunk, 50ms, got)) {
        case platform::NetStatus::Ok:
          data.append(chunk, got);
          return 0;
        case platform::NetStatus::TimedOut:
          continue;
        default:
          return 400;  // the client went away in the middle of its request
      }
    }
  };
  size_t headEnd = std::string::npos;
  while ((headEnd = platform::FindHeadEnd(data)) == std::string::npos) {
    if (data.size() > options_.maxHeadBytes) return 400;
    if (const int status = receive()) return status;
  }
  if (headEnd > options_.maxHeadBytes) return 400;
  auto parsed = ParseRequestHead(std::string_view(data).substr(0, headEnd));
  if (!parsed) return 400;
  request = std::move(*parsed);
  if (request.method != "GET" && request.method != "HEAD" && request.method != "POST") return 501;
  if (platform::FindHeader(request.headers, "Transfer-Encoding")) return 501;
  size_t length = 0;
  if (const auto text = platform::FindHeader(request.headers, "Content-Length")) {
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), length);
    if (ec == std::errc::result_out_of_range) return 413;
    if (ec != std::errc() || end != text->data() + text->size()) return 400;
    if (length > options_.maxBodyBytes) return 413;
  }
  request.body = data.substr(headEnd);
  data.clear();
  while (request.body.size() < length) {
    if (const int status = receive()) return status;
    request.body += data;
    data.clear();
  }
  request.body.resize(length);
  return 0;
}

HttpResponse CourseHost::Answer(const HttpRequest& request) const {
  const std::string path = text::AsciiLowered(request.path);
  if (request.method == "POST") {
    if (path == "/err/rpterr.asp") return StoreReport(request);
    if (path == "/engine/help/info.asp") {
      const std::string answer =
          options_.versionAnswer.value_or("ver=" + std::to_string(options_.version) + ";");
      return {200, "text/plain; charset=windows-1252", text::Utf8ToCp1252(answer)};
    }
    return ErrorPage(404);
  }
  // The portal titles name the host the browser asked for, port included, as the real course
  // host's do: the add-in finds the portal's windows by the host text it was configured with.
  const std::string host = platform::FindHeader(request.headers, "Host").value_or("");
  const bool plainName = !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
           c == '[' || c == ']';
  });
  if (const auto title = PageTitle(request.path, plainName ? host : options_.hostName)) {
    return {200, "text/html; charset=utf-8", HtmlPage(*title, request.target)};
  }
  return ErrorPage(404);
}

HttpResponse CourseHost::StoreReport(const HttpRequest& request) const {
  nlohmann::json fields = nlohmann::json::object();
  for (auto& [name, value] : DecodeForm(request.body))
    fields[name] = value;
  const nlohmann::json report = {
      {"received", UtcNow()},
      {"path", request.path},
      {"fields", fields},
      // The body exactly as it came, its bytes read as code page 1252.
      {"raw", text::Cp1252ToUtf8(request.body)},
  };
  if (!store_.Store(report.dump(2) + "\n")) return ErrorPage(500);
  return {200, "text/plain; charset=windows-1252", ""};
}

}  // namespace qv::tools
