#pragma once
// The add-in's own program object: its title is what message boxes without a title of their own
// show ("Quorvanta Word Add-in"), though the add-in runs inside the word processor's process.

#include "ui/app.h"

namespace qv::addin {

inline constexpr const char* kAddinTitle = "Quorvanta Word Add-in";

// The add-in's App (title, and the folder of the loaded library).
const ui::App& AddinApp();

}  // namespace qv::addin
