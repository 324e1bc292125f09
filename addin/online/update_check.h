#pragma once
// Module online of the add-in: the weekly check for a newer version of the add-ins, and the update
// page that the "Get Update" / "Get Upgrade" commands open.

namespace qv::addin {

// Asks the course host for the newest version, at most once in 7 days and only when the user
// agrees; true when a newer version was announced to the user.
bool checkForUpgrade();

// Starts the browser program on the update page.
void ShowUpdatePage();

}  // namespace qv::addin
