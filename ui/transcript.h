#pragma once
// One entry of what the user saw and did: a message box and its answer, a form shown, hidden,
// unloaded or refusing to close, a caption changed on a shown form, a file dialog's result.
// Drivers receive every entry (Driver::Record); the scripted driver keeps them as its transcript.
// Entries are automation objects, so scripts read them by property, and each has one text line:
//
//   MsgBox "Title" [OK, Cancel] Question default=OK: "prompt" -> Cancel
//   Show dlgMark modal "Caption"          Show dlgProgress modeless "Please Wait..."
//   Hide dlgMark
//   Unload dlgMark by code | by close box | forced
//   CloseRefused dlgMark by close box | by code
//   Caption dlgProgress.Status "Creating Table..."      Caption dlgMark "New caption"
//   ShowOpen "Title" -> "/path/file.gif"                ShowSave "Title" -> Cancel
//
// Texts appear between double quotes; a double quote inside is doubled, and CR, LF and tab are
// written \r, \n and \t so that one entry is always one line.

#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace qv::ui {

enum class EntryKind {
  MessageBox,
  FormShown,
  FormHidden,
  FormUnloaded,
  CloseRefused,
  Caption,
  FileDialog
};

// The name a script sees in TranscriptEntry.Kind ("MsgBox", "Show", "Hide", ...).
const char* EntryKindName(EntryKind kind);

class TranscriptEntry : public automation::Dispatch {
 public:
  EntryKind kind = EntryKind::MessageBox;
  std::string form;           // the form's name (forms, captions)
  std::string control;        // the control's display name; empty for the form's own caption
  std::string title;          // message box and file dialog title
  std::string text;           // message box prompt; caption; file dialog path
  int32_t buttons = 0;        // message box: button set (0..5)
  int32_t icon = 0;           // message box: icon (0, 16, 32, 48, 64)
  int32_t defaultAnswer = 0;  // message box: the answer of its default button
  int32_t answer = 0;         // message box: the button chosen
  bool modal = false;         // form shown modally
  int32_t unloadMode = 0;     // Unload and CloseRefused: 0 close box, 1 code; Unload: -1 forced
  bool save = false;          // file dialog: ShowSave
  bool cancelled = false;     // file dialog cancelled

  const automation::DispatchTable& Members() const override;
  std::string Line() const;
};

// The host's name of a message box result ("OK", "Cancel", "Yes", ...).
const char* AnswerName(int32_t answer);
// Writes text between double quotes with the escapes described above.
std::string Quoted(const std::string& text);

}  // namespace qv::ui
