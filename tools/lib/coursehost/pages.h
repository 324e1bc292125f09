#pragma once
// The pages the course host serves to browsers: the tutorial, the update page, the portal, the
// help pages and the example pages that the add-in opens. Each is a small HTML page whose title
// the browser shows, so that browser windows can be found by title as on the real course host.

#include <optional>
#include <string>
#include <string_view>

namespace qv::tools {

// A readable title from the last segment of `path`: the extension dropped, words split at "_",
// "-" and where a lower-case letter meets an upper-case one, each word begun with a capital
// ("qti_examples-2.htm" -> "Qti Examples 2", "CreatePortal.asp" -> "Create Portal").
std::string TitleFromPath(std::string_view path);

// The title of the page at `path` (compared without regard to case), or nullopt when the course
// host has no page there. The portal pages carry the course host's name `host` in their titles.
std::optional<std::string> PageTitle(std::string_view path, std::string_view host);

// A complete page (the frame every page of ours shares) with the title as its heading and
// `paragraph` (plain text) below it.
std::string HtmlPage(std::string_view title, std::string_view paragraph);

}  // namespace qv::tools
