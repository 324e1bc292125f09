#pragma once
// Module online of the add-in: the "Add to Course" command. It prepares the active document for
// the course (stamp, question check, page data, save) and then shows the course portal: a browser
// window that already shows the course host's lesson editor, lesson list or portal is brought to
// the front as it is; otherwise the portal opens in a new browser window.

#include <string>

#include "automation/dispatch.h"

namespace qv::addin {

// The "Add to Course" command. An error is reported and shown; a document that failed its check
// or could not be saved ends the command before any browser window is touched.
void FindIE();

// The first open browser window whose current page title contains `title`, compared without
// regard to case; null when none does. Windows whose page or title cannot be read are passed over.
automation::ObjectRef FindIEWin(const std::string& title);

// Brings the browser window to the front (minimised, then restored), navigates it to `address`
// when that is not empty, and gives its page the focus. Every step that fails is skipped.
void ShowIE(const automation::ObjectRef& window, const std::string& address);

// Where the portal is: the course host's own address (strHost + strQuery) for a user who has a
// portal, else the page of the default course host that creates one. No scheme in front.
std::string PortalAddress();

}  // namespace qv::addin
