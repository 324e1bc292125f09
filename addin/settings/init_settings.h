#pragma once
// The settings initialisation of the add-in, run once when the add-in object is created: reads
// IMG_PATH, strHost, strQuery and numAs from the registry and fills the per-type tables. Later
// changes to those settings take effect at the next start of the word processor.

#include "addin/settings/g_state.h"

namespace qv::addin {

// Fills the add-in's module state, G().
void InitSettings();
// Fills `g` (the same steps, for any instance).
void InitSettings(GState& g);

}  // namespace qv::addin
