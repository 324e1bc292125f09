#pragma once
// The driver of tests and automation scripts: it acts on forms through handlers registered per
// form name, answers message boxes from a queue or a handler, answers file dialogs, and keeps a
// transcript of everything the user would have seen.
//
//  - Forms: when a form is shown, the next one-time handler for its name (OnFormOnce, in the
//    order registered) runs, else its standing handler (OnForm). A modal form's handler runs
//    inside Show; a modeless form's handler runs at the next DoEvents (the caller of Show goes on
//    first, as it would on the host), and only if the form is then still shown. A modal form
//    without a handler, or still shown after its handler, is closed by its close box (Form).
//  - Message boxes: queued answers first, in order; then the handler; else the default button.
//    An answer that is not a button of the box gives the default button.
//  - File dialogs: queued answers (a path, or cancel) in order, then the handler; else cancel.
//  - Transcript: every entry the toolkit records, in order (ui/transcript.h). Scripts index it
//    from 1, as the host's collections.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "ui/driver.h"

namespace qv::ui {

class ScriptedDriver : public Driver, public automation::Dispatch {
 public:
  using FormHandler = std::function<void(Form&)>;
  // Returns the button chosen; 0 takes the default button.
  using MsgBoxHandler = std::function<int32_t(const MessageBoxRequest&)>;
  using FileHandler = std::function<FileDialogAnswer(const FileDialogRequest&)>;

  // ---- forms ----
  void OnForm(const std::string& formName, FormHandler handler);
  void OnFormOnce(const std::string& formName, FormHandler handler);
  // ---- message boxes ----
  void AnswerMsgBox(int32_t answer) { msgBoxAnswers_.push_back(answer); }
  void OnMsgBox(MsgBoxHandler handler) { msgBoxHandler_ = std::move(handler); }
  size_t PendingMsgBoxAnswers() const { return msgBoxAnswers_.size(); }
  // ---- file dialogs ----
  void AnswerFileDialog(const std::string& path);
  void CancelFileDialog();
  void OnFileDialog(FileHandler handler) { fileHandler_ = std::move(handler); }
  // ---- transcript ----
  const std::vector<std::shared_ptr<TranscriptEntry>>& Transcript() const { return transcript_; }
  std::vector<std::string> Lines() const;
  // The lines joined with "\n".
  std::string Text() const;
  void ClearTranscript() { transcript_.clear(); }

  // ---- Driver ----
  int32_t MessageBox(const MessageBoxRequest& request) override;
  FileDialogAnswer FileDialog(const FileDialogRequest& request) override;
  void DriveModal(Form& form) override;
  void ShownModeless(Form& form) override;
  void Record(const TranscriptEntry& entry) override;

  const automation::DispatchTable& Members() const override;

 private:
  FormHandler TakeHandler(const std::string& formName);

  std::map<std::string, std::deque<FormHandler>> onceHandlers_;  // by lower-cased form name
  std::map<std::string, FormHandler> handlers_;
  std::deque<int32_t> msgBoxAnswers_;
  MsgBoxHandler msgBoxHandler_;
  std::deque<FileDialogAnswer> fileAnswers_;
  FileHandler fileHandler_;
  std::vector<std::shared_ptr<TranscriptEntry>> transcript_;
};

}  // namespace qv::ui
