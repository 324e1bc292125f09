#include "ui/common_dialog.h"

#include <filesystem>

#include "ui/driver.h"
#include "ui/toolkit.h"

namespace qv::ui {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& CommonDialog::Members() const {
  static const DispatchTable table =
      ClassTable<CommonDialog>("CommonDialog")
          .Inherit(Control::CommonMembers())
          .Prop(
              "DialogTitle", [](CommonDialog& d) { return d.DialogTitle; },
              [](CommonDialog& d, const Variant& v) { d.DialogTitle = v.ToText(); })
          .Prop(
              "Filter", [](CommonDialog& d) { return d.Filter; },
              [](CommonDialog& d, const Variant& v) { d.Filter = v.ToText(); })
          .Prop(
              "FilterIndex", [](CommonDialog& d) { return d.FilterIndex; },
              [](CommonDialog& d, const Variant& v) { d.FilterIndex = v.ToInt32(); })
          .Prop(
              "FileName", [](CommonDialog& d) { return d.FileName; },
              [](CommonDialog& d, const Variant& v) { d.FileName = v.ToText(); })
          .Get("FileTitle", [](CommonDialog& d) { return d.FileTitle; })
          .Prop(
              "InitDir", [](CommonDialog& d) { return d.InitDir; },
              [](CommonDialog& d, const Variant& v) { d.InitDir = v.ToText(); })
          .Prop(
              "DefaultExt", [](CommonDialog& d) { return d.DefaultExt; },
              [](CommonDialog& d, const Variant& v) { d.DefaultExt = v.ToText(); })
          .Prop(
              "Flags", [](CommonDialog& d) { return d.Flags; },
              [](CommonDialog& d, const Variant& v) { d.Flags = v.ToInt32(); })
          .Prop(
              "CancelError", [](CommonDialog& d) { return d.CancelError; },
              [](CommonDialog& d, const Variant& v) { d.CancelError = v.ToBool(); })
          .Sub("ShowOpen", [](CommonDialog& d, Args&) { d.ShowOpen(); })
          .Sub("ShowSave", [](CommonDialog& d, Args&) { d.ShowSave(); })
          .Build();
  return table;
}

void CommonDialog::Run(bool save) {
  Toolkit& tk = Toolkit::Current();
  FileDialogRequest request{save, DialogTitle, Filter, FilterIndex, FileName, InitDir, Flags};
  FileDialogAnswer answer = tk.Driver().FileDialog(request);
  if (!answer.cancelled && answer.path.empty()) answer.cancelled = true;
  if (!answer.cancelled && save && !DefaultExt.empty() &&
      !std::filesystem::path(answer.path).has_extension())
    answer.path += "." + DefaultExt;

  TranscriptEntry e;
  e.kind = EntryKind::FileDialog;
  e.title = DialogTitle;
  e.save = save;
  e.cancelled = answer.cancelled;
  e.text = answer.path;
  tk.Record(e);

  if (answer.cancelled) {
    if (CancelError) automation::Raise(automation::err::kDialogCancelled);
    return;
  }
  FileName = answer.path;
  // Either separator ends the folder: paths may come from the host's conventions.
  const auto slash = FileName.find_last_of("/\\");
  FileTitle = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
}

}  // namespace qv::ui
