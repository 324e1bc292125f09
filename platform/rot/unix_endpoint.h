#pragma once
// The local endpoint a serving program publishes: a Unix domain socket at a path in the profile,
// guarded by a lock file so that only one program publishes at a time. A socket left behind by a
// program that died is found by its free lock and replaced.

#include <filesystem>
#include <string>

#include "platform/net/tcp_socket.h"

namespace qv::platform::rot {

class PublishedEndpoint {
 public:
  PublishedEndpoint() = default;
  ~PublishedEndpoint();
  PublishedEndpoint(const PublishedEndpoint&) = delete;
  PublishedEndpoint& operator=(const PublishedEndpoint&) = delete;

  // Takes the lock and listens at `socketPath`; false with the reason in `why` when another
  // program publishes there or the socket cannot be made. The socket appears at its path only
  // once it listens, so a client that finds the path can connect.
  bool Publish(const std::filesystem::path& socketPath, const std::filesystem::path& lockPath,
               std::string& why);
  // Removes the socket (when it is still ours) and frees the lock.
  void Withdraw();

  bool Published() const { return listener_.Valid(); }
  const Socket& Listener() const { return listener_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  Socket listener_;
  int lockFd_ = -1;
  std::filesystem::path path_;
  unsigned long inode_ = 0;
};

enum class ConnectOutcome { Connected, NotRunning, Failed };

// Connects to the endpoint at `socketPath`. NotRunning when nothing publishes there (no socket,
// or a socket nobody listens on); Failed, with the reason, for anything else, including a peer
// that runs as another user.
ConnectOutcome ConnectEndpoint(const std::filesystem::path& socketPath, Socket& socket,
                               std::string& why);

// Accepts one waiting client, non-blocking, checked to run as this user; an invalid socket when
// none waits (or the one waiting was refused).
Socket AcceptClient(const Socket& listener);

}  // namespace qv::platform::rot
