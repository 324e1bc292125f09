#pragma once
// How the browser gets a page: "about:blank" is empty, "file:" addresses and plain paths are
// read from disk, "http:" addresses are fetched with a GET through the platform's internet
// client (so the host override table applies). Anything else fails with a reason.

#include <functional>
#include <string>

namespace qv::browser {

struct FetchResult {
  bool ok = false;
  int32_t status = 0;  // HTTP status, 200 for files
  std::string body;
  std::string error;  // why it failed, for the error page
};

using Fetcher = std::function<FetchResult(const std::string& url)>;

// Completes an address as the browser's address bar does: a missing scheme becomes "http://"
// unless the text names an existing file.
std::string NormalizeAddress(const std::string& address);

// The platform's way of getting a page.
FetchResult FetchPage(const std::string& url);

// The page shown when a page cannot be fetched.
std::string ErrorPage(const std::string& url, const std::string& reason);

}  // namespace qv::browser
