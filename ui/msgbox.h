#pragma once
// The host's MsgBox: shows `prompt` with the buttons, icon and default button of `style`
// (ui/constants.h) and returns the button chosen (vbOK, vbCancel, ...). An empty title shows the
// program's title, App.Title. The driver of the current toolkit answers it and records it.

#include <cstdint>
#include <string>

#include "ui/app.h"
#include "ui/constants.h"

namespace qv::ui {

int32_t MsgBox(const std::string& prompt, int32_t style = vbOKOnly, const std::string& title = "");
// For a component with an App of its own (the add-in inside the word processor's process): an
// empty title shows `app.Title`.
int32_t MsgBox(const ui::App& app, const std::string& prompt, int32_t style = vbOKOnly,
               const std::string& title = "");

}  // namespace qv::ui
