#pragma once
// The attribute dialog doubling as a help window: a fresh dlgMark shows one help page of the
// course host (always the deployment's default course host) and returns when the author closes
// it. Errors are reported and not passed on.

#include <cstdint>

namespace qv::addin {

// Shows help page `id` modally in a fresh attribute dialog.
void DisplayHelp(int32_t id);

}  // namespace qv::addin
