#include "ui/transcript.h"

#include "ui/constants.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;

const char* EntryKindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::MessageBox:
      return "MsgBox";
    case EntryKind::FormShown:
      return "Show";
    case EntryKind::FormHidden:
      return "Hide";
    case EntryKind::FormUnloaded:
      return "Unload";
    case EntryKind::CloseRefused:
      return "CloseRefused";
    case EntryKind::Caption:
      return "Caption";
    case EntryKind::FileDialog:
      return "FileDialog";
  }
  return "";
}

const char* AnswerName(int32_t answer) {
  switch (answer) {
    case vbOK:
      return "OK";
    case vbCancel:
      return "Cancel";
    case vbAbort:
      return "Abort";
    case vbRetry:
      return "Retry";
    case vbIgnore:
      return "Ignore";
    case vbYes:
      return "Yes";
    case vbNo:
      return "No";
    default:
      return "?";
  }
}

namespace {

const char* IconName(int32_t icon) {
  switch (icon) {
    case vbCritical:
      return "Critical";
    case vbQuestion:
      return "Question";
    case vbExclamation:
      return "Exclamation";
    case vbInformation:
      return "Information";
    default:
      return "";
  }
}

const char* ButtonSetText(int32_t set) {
  switch (set) {
    case vbOKCancel:
      return "[OK, Cancel]";
    case vbAbortRetryIgnore:
      return "[Abort, Retry, Ignore]";
    case vbYesNoCancel:
      return "[Yes, No, Cancel]";
    case vbYesNo:
      return "[Yes, No]";
    case vbRetryCancel:
      return "[Retry, Cancel]";
    default:
      return "[OK]";
  }
}

const char* ModeText(int32_t mode) {
  switch (mode) {
    case vbFormControlMenu:
      return "by close box";
    case vbFormCode:
      return "by code";
    case -1:
      return "forced";
    default:
      return "by the session";
  }
}

}  // namespace

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\"\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::string TranscriptEntry::Line() const {
  switch (kind) {
    case EntryKind::MessageBox: {
      std::string line = "MsgBox " + Quoted(title) + " " + ButtonSetText(buttons);
      if (icon) line += std::string(" ") + IconName(icon);
      line += std::string(" default=") + AnswerName(defaultAnswer);
      return line + ": " + Quoted(text) + " -> " + AnswerName(answer);
    }
    case EntryKind::FormShown:
      return "Show " + form + (modal ? " modal " : " modeless ") + Quoted(text);
    case EntryKind::FormHidden:
      return "Hide " + form;
    case EntryKind::FormUnloaded:
      return "Unload " + form + " " + ModeText(unloadMode);
    case EntryKind::CloseRefused:
      return "CloseRefused " + form + " " + ModeText(unloadMode);
    case EntryKind::Caption:
      return "Caption " + form + (control.empty() ? "" : "." + control) + " " + Quoted(text);
    case EntryKind::FileDialog:
      return std::string(save ? "ShowSave " : "ShowOpen ") + Quoted(title) + " -> " +
             (cancelled ? std::string("Cancel") : Quoted(text));
  }
  return "";
}

const DispatchTable& TranscriptEntry::Members() const {
  static const DispatchTable table =
      ClassTable<TranscriptEntry>("TranscriptEntry")
          .Get("Kind", [](TranscriptEntry& e) { return std::string(EntryKindName(e.kind)); })
          .Get("Form", [](TranscriptEntry& e) { return e.form; })
          .Get("Control", [](TranscriptEntry& e) { return e.control; })
          .Get("Title", [](TranscriptEntry& e) { return e.title; })
          .Get("Text", [](TranscriptEntry& e) { return e.text; })
          .Get("Buttons", [](TranscriptEntry& e) { return e.buttons; })
          .Get("Icon", [](TranscriptEntry& e) { return e.icon; })
          .Get("DefaultAnswer", [](TranscriptEntry& e) { return e.defaultAnswer; })
          .Get("Answer", [](TranscriptEntry& e) { return e.answer; })
          .Get("Modal", [](TranscriptEntry& e) { return e.modal; })
          .Get("UnloadMode", [](TranscriptEntry& e) { return e.unloadMode; })
          .Get("Cancelled", [](TranscriptEntry& e) { return e.cancelled; })
          .Get("Line", [](TranscriptEntry& e) { return e.Line(); })
          .Default("Line")
          .Build();
  return table;
}

}  // namespace qv::ui
