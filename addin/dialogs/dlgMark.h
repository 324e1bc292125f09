#pragma once
// The attribute dialog: a modal window that shows a generated attribute form page (MarkBuilder)
// in its browser control and, once the author has pressed OK, writes the form's values back into
// the question's marker pictures. A question type's MarkQuestion calls Display; when it returns
// true, it calls ReloadQInfo for the question marker and the read-back of its type for each
// answer or blank marker, by marker index, while the dialog is hidden but still loaded; then it
// unloads the dialog.
//
// The same dialog doubles as a help window (DisplayHelp): a help page of the course host instead
// of a form, with OK as the only button.
//
// Every write-back keeps the marker head and replaces all pairs after it with what the page
// holds; a value that reads empty is not written. Once the page is gone (the dialog was closed
// with its close box, or unloaded) the write-backs leave the markers alone: an absent page must
// not read as a page of empty fields.

#include <cstdint>
#include <memory>
#include <string>

#include "ui/command_button.h"
#include "ui/form.h"

namespace qv::browser {
class HTMLDocument;
class HTMLFormElement;
class WebBrowser;
}  // namespace qv::browser

namespace qv::word {
class InlineShape;
}

namespace qv::addin {

class clsHTMEvent;

class dlgMark : public ui::Form {
 public:
  static std::shared_ptr<dlgMark> Create();
  dlgMark();
  ~dlgMark() override;

  const automation::DispatchTable& Members() const override;

  // Shows `page` for a question of type `questionType` (0 to 10) modally. True when the author
  // pressed OK; false after Cancel, the close box, or an error (reported, dialog unloaded).
  bool Display(int32_t questionType, const std::string& page);
  // Shows help page `id` of the course host modally; Cancel is disabled. Always true.
  bool DisplayHelp(int32_t id);

  // The text of the selected option of the partial-credit list, when the form has `name`.
  std::string GetSelVal(const std::string& name);
  // A field's value with typographic double quotes made plain; with `escapeAmpersand` every "&"
  // becomes the ampersand substitute, as attribute values store it. Missing fields read "".
  std::string GetVal(const std::string& name, bool escapeAmpersand);
  // "&checked=on" when the checked button of radio group `name` is the one for `markerIndex`.
  std::string GetRadioBtn(const std::string& name, int16_t markerIndex);
  // "&checked=on" when check box `name` is checked.
  std::string GetCheckBox(const std::string& name);

  void ReloadQInfo(const std::shared_ptr<word::InlineShape>& questionMarker);
  void ReloadRadioInfo(const std::shared_ptr<word::InlineShape>& answerMarker, int16_t markerIndex);
  void ReloadCheckboxInfo(const std::shared_ptr<word::InlineShape>& answerMarker,
                          int16_t markerIndex);
  void ReloadFIBInfo(const std::shared_ptr<word::InlineShape>& blank, int16_t markerIndex);

  // The page shown (null before the page completes and after unload).
  std::shared_ptr<browser::HTMLDocument> Document() const { return document_; }
  bool Cancelled() const { return cancelled_; }
  int32_t QuestionType() const { return questionType_; }

  browser::WebBrowser& markWindow;
  ui::CommandButton& OKButton;
  ui::CommandButton& CancelButton;

 private:
  void Form_Load();
  void Form_QueryUnload(int32_t& cancel, int32_t unloadMode);
  void Form_Unload();
  void Form_Resize();
  void markWindow_DocumentComplete();
  void qEvent_HTMLEvent();
  void OKButton_Click();
  void CancelButton_Click();

  void FindSelectedAnswer();
  int32_t GroupLength(const std::string& name) const;
  std::shared_ptr<browser::HTMLFormElement> PageForm() const;
  // The inverse of GetVal's lookups: the one object the form answers for `name`, or null.
  automation::ObjectRef Field(const std::string& name) const;
  void ReleasePage();

  std::shared_ptr<browser::HTMLDocument> document_;
  std::shared_ptr<clsHTMEvent> qEvent;
  bool cancelled_ = false;
  int16_t selectedAnswer_ = -99;
  int32_t questionType_ = 0;
};

}  // namespace qv::addin
