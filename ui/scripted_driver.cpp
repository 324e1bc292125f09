#include "ui/scripted_driver.h"

#include <algorithm>

#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "ui/form.h"
#include "ui/toolkit.h"

namespace qv::ui {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

void ScriptedDriver::OnForm(const std::string& formName, FormHandler handler) {
  handlers_[text::AsciiLowered(formName)] = std::move(handler);
}

void ScriptedDriver::OnFormOnce(const std::string& formName, FormHandler handler) {
  onceHandlers_[text::AsciiLowered(formName)].push_back(std::move(handler));
}

void ScriptedDriver::AnswerFileDialog(const std::string& path) {
  fileAnswers_.push_back(FileDialogAnswer{false, path});
}

void ScriptedDriver::CancelFileDialog() {
  fileAnswers_.push_back(FileDialogAnswer{true, ""});
}

ScriptedDriver::FormHandler ScriptedDriver::TakeHandler(const std::string& formName) {
  const std::string key = text::AsciiLowered(formName);
  if (auto it = onceHandlers_.find(key); it != onceHandlers_.end() && !it->second.empty()) {
    FormHandler h = std::move(it->second.front());
    it->second.pop_front();
    return h;
  }
  if (auto it = handlers_.find(key); it != handlers_.end()) return it->second;
  return nullptr;
}

int32_t ScriptedDriver::MessageBox(const MessageBoxRequest& request) {
  if (!msgBoxAnswers_.empty()) {
    const int32_t answer = msgBoxAnswers_.front();
    msgBoxAnswers_.pop_front();
    return answer;
  }
  if (msgBoxHandler_) {
    MsgBoxHandler h = msgBoxHandler_;
    if (const int32_t answer = h(request)) return answer;
  }
  return request.DefaultAnswer();
}

FileDialogAnswer ScriptedDriver::FileDialog(const FileDialogRequest& request) {
  if (!fileAnswers_.empty()) {
    FileDialogAnswer a = fileAnswers_.front();
    fileAnswers_.pop_front();
    return a;
  }
  if (fileHandler_) {
    FileHandler h = fileHandler_;
    return h(request);
  }
  return FileDialogAnswer{};
}

void ScriptedDriver::DriveModal(Form& form) {
  if (FormHandler h = TakeHandler(form.Name())) h(form);
}

void ScriptedDriver::ShownModeless(Form& form) {
  FormHandler h = TakeHandler(form.Name());
  if (!h) return;
  std::weak_ptr<Form> weak = std::static_pointer_cast<Form>(form.shared_from_this());
  Toolkit::Current().Post([weak, h = std::move(h)] {
    // The window may have closed before the user got to it.
    if (auto f = weak.lock(); f && f->IsLoaded() && f->Visible()) h(*f);
  });
}

void ScriptedDriver::Record(const TranscriptEntry& entry) {
  transcript_.push_back(std::make_shared<TranscriptEntry>(entry));
}

std::vector<std::string> ScriptedDriver::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(transcript_.size());
  for (const auto& e : transcript_)
    lines.push_back(e->Line());
  return lines;
}

std::string ScriptedDriver::Text() const {
  std::string out;
  for (const auto& e : transcript_) {
    if (!out.empty()) out += '\n';
    out += e->Line();
  }
  return out;
}

const DispatchTable& ScriptedDriver::Members() const {
  static const DispatchTable table =
      ClassTable<ScriptedDriver>("ScriptedDriver")
          .Sub("AnswerMsgBox", [](ScriptedDriver& d, Args& a) { d.AnswerMsgBox(a.Int(0)); })
          .Get("PendingMsgBoxAnswers",
               [](ScriptedDriver& d) { return Variant::Long(int64_t(d.PendingMsgBoxAnswers())); })
          .Sub("AnswerFileDialog",
               [](ScriptedDriver& d, Args& a) { d.AnswerFileDialog(a.Text(0)); })
          .Sub("CancelFileDialog", [](ScriptedDriver& d, Args&) { d.CancelFileDialog(); })
          .Get("TranscriptCount",
               [](ScriptedDriver& d) { return Variant::Long(int64_t(d.Transcript().size())); })
          .GetArgs("Transcript",
                   [](ScriptedDriver& d, Args& a) {
                     const auto& transcript = d.Transcript();
                     return Variant(transcript[automation::CollectionPosition(
                         a.Int(0), transcript.size(), automation::err::kSubscript)]);
                   })
          .Get("TranscriptText", [](ScriptedDriver& d) { return d.Text(); })
          .Sub("ClearTranscript", [](ScriptedDriver& d, Args&) { d.ClearTranscript(); })
          .GetArgs("Form",
                   [](ScriptedDriver&, Args& a) {
                     FormRef f = Toolkit::Current().FindForm(a.Text(0));
                     if (!f) automation::Raise(automation::err::kNoSuchItem);
                     return Variant(f);
                   })
          .Get("FormCount", [](ScriptedDriver&) { return Toolkit::Current().FormCount(); })
          .Method("DoEvents", [](ScriptedDriver&, Args&) { return Toolkit::Current().DoEvents(); })
          .Build();
  return table;
}

}  // namespace qv::ui
