#pragma once
// The Enhanced Web Preview wizard: three steps (what it does; which file it converts, with the
// advice to save it under a new name first; the conversion with its progress) that rewrite the
// formatting of a document, not its appearance, so that web browsers show it as the word
// processor does: floating pictures placed left of the page move into it, empty paragraphs get a
// blank, manual page breaks become paragraph ends, a split window is joined, the window shows the
// web layout, and the document is stamped as converted ("WebVerify").
//
// The wizard is modeless, so the author may go on working, even in another document, while the
// first two steps are shown: it converts the document that was active when it opened, in that
// document's own window, whichever document is active by then.

#include <cstdint>
#include <memory>
#include <string>

#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"

namespace qv::word {
class Document;
}

namespace qv::addin {

// The wizard's version, written to the document as custom property "WebVerify".
inline constexpr const char* kWebVerifyVersion = "0.6";
// The banner picture, a file of the add-in's picture folder.
inline constexpr const char* kWebVerifyBanner = "webverify_banner.gif";

// Sets custom property "WebVerify" of `doc` to the wizard's version (adding it as text when
// missing). Never raises.
void addWebVerifyInfo(word::Document& doc);

class dlgWebVerify : public ui::Form {
 public:
  static std::shared_ptr<dlgWebVerify> Create();
  dlgWebVerify();

  const automation::DispatchTable& Members() const override;

  // Remembers the active document and shows the wizard modelessly at its first step.
  void Display();
  // Converts the remembered document (the active one when none is remembered); every stage
  // that fails is skipped and the next one runs.
  void DoWebVerify();

  int32_t Step() const { return step_; }
  const std::shared_ptr<word::Document>& TargetDocument() const { return doc_; }

  ui::PictureBox& Banner;
  ui::Label& Desc;
  ui::Label& CurrFileLoc;
  ui::Label& NewFileTxt;
  ui::Label& SaveTxt;
  ui::CommandButton& Browse;
  ui::Label& CvtTxt;
  ui::Label& CvtPgrs;
  ui::Frame& BtnFrm;
  ui::Line& BtnLn;
  ui::Label& Vers;
  ui::CommandButton& BtnBack;
  ui::CommandButton& BtnNext;
  ui::CommandButton& BtnCancel;

 private:
  void Form_Load();
  void Btns_Click(int32_t index);
  void Browse_Click();
  void ShowStep1();
  void ShowStep2();
  void ShowStep3();
  // Shows the whole number nearest to from + (to - from) * fraction, followed by " %".
  void Progress(double fraction, double from, double to);

  void MoveShapesIntoThePage(word::Document& doc);
  void FillEmptyParagraphs(word::Document& doc);
  static void ReplaceManualPageBreaks(word::Document& doc);
  static void JoinSplitWindow(word::Document& doc);

  std::shared_ptr<word::Document> doc_;
  int32_t step_ = 0;
};

}  // namespace qv::addin
