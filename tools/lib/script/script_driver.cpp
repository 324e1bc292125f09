#include "tools/lib/script/script_driver.h"

#include "ui/form.h"
#include "ui/toolkit.h"

namespace qv::tools {

using automation::Args;
using automation::ObjectRef;
using automation::Variant;

namespace {

using Failures = std::shared_ptr<std::vector<std::string>>;

// A script function handed over as a handler; the script's value is its default member. What it
// raises goes on to the caller as always, and is also kept for the end of the run.
Variant CallScript(const ObjectRef& fn, std::vector<Variant> args, const Failures& failures) {
  try {
    return automation::Invoke(*fn, fn->Members().DefaultMember(), automation::CallKind::Method,
                              args);
  } catch (const automation::AutomationError& e) {
    failures->push_back(e.Description());
    throw;
  }
}

}  // namespace

const automation::DispatchTable& ScriptDriver::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<ScriptDriver>("Driver")
          .Sub("AnswerMsgBox", [](ScriptDriver& d, Args& a) { d.Driver().AnswerMsgBox(a.Int(0)); })
          .Sub("OnMsgBox",
               [](ScriptDriver& d, Args& a) {
                 if (!a.Has(0)) {
                   d.Driver().OnMsgBox(nullptr);
                   return;
                 }
                 ObjectRef fn = a.Object(0);
                 d.Driver().OnMsgBox([fn, f = d.failures_](const ui::MessageBoxRequest& r) {
                   return CallScript(fn, {Variant(r.prompt), Variant(r.style), Variant(r.title)}, f)
                       .ToInt32();
                 });
               })
          .Sub("OnForm",
               [](ScriptDriver& d, Args& a) {
                 ObjectRef fn = a.Object(1);
                 d.Driver().OnForm(a.Text(0), [fn, f = d.failures_](ui::Form& form) {
                   CallScript(fn, {Variant(form.shared_from_this())}, f);
                 });
               })
          .Sub("OnFormOnce",
               [](ScriptDriver& d, Args& a) {
                 ObjectRef fn = a.Object(1);
                 d.Driver().OnFormOnce(a.Text(0), [fn, f = d.failures_](ui::Form& form) {
                   CallScript(fn, {Variant(form.shared_from_this())}, f);
                 });
               })
          .Sub("AnswerFileDialog",
               [](ScriptDriver& d, Args& a) { d.Driver().AnswerFileDialog(a.Text(0)); })
          .Sub("CancelFileDialog", [](ScriptDriver& d, Args&) { d.Driver().CancelFileDialog(); })
          .Get("TranscriptCount",
               [](ScriptDriver& d) {
                 return Variant::Long(int64_t(d.Driver().Transcript().size()));
               })
          .GetArgs("Transcript",
                   [](ScriptDriver& d, Args& a) {
                     const int32_t i = a.Int(0);
                     const auto& t = d.Driver().Transcript();
                     if (i < 1 || static_cast<size_t>(i) > t.size())
                       automation::Raise(automation::err::kSubscript);
                     return Variant(t[static_cast<size_t>(i - 1)]);
                   })
          .Get("TranscriptText", [](ScriptDriver& d) { return d.Driver().Text(); })
          .Get("TranscriptLines",
               [](ScriptDriver& d) {
                 std::vector<Variant> lines;
                 for (const auto& l : d.Driver().Lines())
                   lines.emplace_back(l);
                 return Variant::Array(0, std::move(lines));
               })
          .Sub("ClearTranscript", [](ScriptDriver& d, Args&) { d.Driver().ClearTranscript(); })
          .GetArgs("Form",
                   [](ScriptDriver&, Args& a) {
                     ui::FormRef f = ui::Toolkit::Current().FindForm(a.Text(0));
                     if (!f) automation::Raise(automation::err::kNoSuchItem);
                     return Variant(f);
                   })
          .Get("FormCount", [](ScriptDriver&) { return ui::Toolkit::Current().FormCount(); })
          .Method("DoEvents",
                  [](ScriptDriver&, Args&) { return ui::Toolkit::Current().DoEvents(); })
          .Build();
  return table;
}

}  // namespace qv::tools
