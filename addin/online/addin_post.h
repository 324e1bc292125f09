#pragma once
// How the add-in posts to the course host: its agent name and sender field, and the program's
// busy pointer while a post blocks the user-interface thread.

#include "online/modWinInet.h"

namespace qv::addin {

online::PostOptions AddinPostOptions();

}  // namespace qv::addin
