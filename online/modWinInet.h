#pragma once
// Module modWinInet: the one network client of the add-in and of the installer. It posts one
// URL-encoded form to the default course host and returns the answer's body as text. Both
// programs share this code; they differ only in the agent name and the sender field they add to
// every form (PostSender).

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/net/internet_client.h"

namespace qv::online {

// Who is posting: the agent name given to the internet handle and the sender field appended to
// every form.
struct PostSender {
  std::string_view agent;
  std::string_view field;
};
inline constexpr PostSender kWordAddInSender{"Word Add-In", "&sender=KZOWord"};
inline constexpr PostSender kInitializerSender{"Quorvanta Initializer", "&sender=KZOInitializer"};

inline constexpr int kMousePointerDefault = 0;
inline constexpr int kMousePointerHourglass = 11;

struct PostOptions {
  explicit PostOptions(PostSender who) : sender(who) {}

  PostSender sender;
  // Sets the program's mouse pointer (the forms toolkit's screen pointer); nothing when empty.
  std::function<void(int)> setMousePointer;
  // Makes the internet client for one post; the socket client when empty.
  std::function<std::unique_ptr<platform::InternetClient>()> makeClient;
};

// Posts `data` (already form-encoded) plus the sender field to `path` on the default course host
// with HTTP/1.0 and returns the answer's body, read in 100-byte pieces, each piece padded with
// blanks to 100 characters. Every failure is silent: the result is then what was read so far.
std::string HttpPost(std::string_view data, std::string_view path, const PostOptions& options);

// Every character except A-Z, a-z, 0-9, "@", "_", "-" and "." becomes "%" and the two upper-case
// hexadecimal digits of its code page 1252 code; characters outside the code page become "%3F".
std::string URLEncode(std::string_view text);

// Posts the report as the field "msg" to the error report page; the answer is ignored.
void SendErrorReport(std::string_view text, const PostOptions& options);

}  // namespace qv::online
