#pragma once
// The local course host: a small HTTP/1.0 server on 127.0.0.1 that answers what the add-in and
// the installer ask of the real course host. It stores the error reports posted to
// "/Err/rptErr.asp", answers the update check at "/engine/help/info.asp", and serves the pages the
// add-in opens in browsers (pages.h); everything else is "404 Not Found".
//
// It serves on its own threads from Start() until Stop() (or destruction). Hostile input is
// bounded: the size of a request, the time a connection may take, and the number of connections
// served at once; a malformed request is answered "400 Bad Request".

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/tcp_socket.h"
#include "tools/lib/coursehost/http_request.h"
#include "tools/lib/coursehost/report_store.h"

namespace qv::tools {

struct RequestRecord {
  std::string method;  // empty when the request line could not be read
  std::string path;
  std::string query;
  int status = 0;
};

struct CourseHostOptions {
  uint16_t port = 0;                         // 0: any free port
  std::filesystem::path reportDir;           // empty: "coursehost/reports" in the profile
  int version = 27;                          // the newest version the update check announces
  std::optional<std::string> versionAnswer;  // the update check's whole answer; default "ver=N;"
  std::string hostName;                      // titles' host name without a Host header; default the
                                             // deployment's course host
  size_t maxHeadBytes = 16 * 1024;
  size_t maxBodyBytes = 1024 * 1024;
  std::chrono::milliseconds connectionTimeout{5000};    // to receive a whole request
  size_t workers = 4;                                   // connections served at once
  size_t maxWaiting = 64;                               // accepted connections waiting for a worker
  std::function<void(const RequestRecord&)> onRequest;  // called after each answer
};

class CourseHost {
 public:
  explicit CourseHost(CourseHostOptions options = {});
  ~CourseHost();
  CourseHost(const CourseHost&) = delete;
  CourseHost& operator=(const CourseHost&) = delete;

  // Listens and starts serving; throws std::system_error when the port cannot be had.
  void Start();
  // Stops accepting, ends the connections in progress and waits for the threads.
  void Stop();

  uint16_t Port() const { return port_; }
  const ReportStore& Reports() const { return store_; }
  // The requests answered so far (the most recent 1000), oldest first.
  std::vector<RequestRecord> Requests() const;

  // The answer to one request; public so that the routing can be checked without sockets.
  HttpResponse Answer(const HttpRequest& request) const;

 private:
  void AcceptLoop();
  void WorkerLoop();
  void Serve(platform::Socket socket);
  // Reads one request within the connection's time; the status of a refusal otherwise.
  int ReadRequest(const platform::Socket& socket, HttpRequest& request) const;
  HttpResponse StoreReport(const HttpRequest& request) const;
  void Record(RequestRecord record);

  CourseHostOptions options_;
  ReportStore store_;
  uint16_t port_ = 0;
  platform::Socket listener_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<platform::Socket> waiting_;
  std::deque<RequestRecord> log_;
  std::atomic<bool> stop_{false};
  std::thread acceptor_;
  std::vector<std::thread> workers_;
};

}  // namespace qv::tools
