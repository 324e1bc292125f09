#include "addin/dialogs/dlgMark.h"

#include <string_view>

#include "addin/constants.h"
#include "addin/dialogs/clsHTMEvent.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_ids.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_select_element.h"
#include "browser/web_browser.h"
#include "online/course_host_name.h"
#include "platform/text/replace.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/inline_shape.h"

namespace qv::addin {
namespace {

using platform::ReplaceAll;

using automation::ObjectRef;
using automation::Variant;

constexpr const char* kCaptionSuffix = " - Set Question Attributes (Score, Feedback, Answers)";
constexpr const char* kChecked = "&checked=on";
// The browser completes navigations before Navigate returns; the wait for it still gives the
// message loop its turns, and never more than this many.
constexpr int kMaxLoadTurns = 1000;
constexpr int32_t kQueryUnloadCloseBox = 0;

template <class T>
const std::shared_ptr<T>& Required(const std::shared_ptr<T>& object) {
  if (!object) automation::Raise(automation::err::kObjectNotSet);
  return object;
}

}  // namespace

std::shared_ptr<dlgMark> dlgMark::Create() {
  return std::make_shared<dlgMark>();
}

dlgMark::dlgMark()
    : ui::Form("dlgMark"),
      markWindow(Add<browser::WebBrowser>("markWindow")),
      OKButton(Add<ui::CommandButton>("OKButton")),
      CancelButton(Add<ui::CommandButton>("CancelButton")) {
  Caption("Set Question Attributes");
  SetClientSize(9600, 7200);
  OKButton.Caption("&OK");
  CancelButton.Caption("&Cancel");
  Form_Resize();

  OnLoad = [this] { Form_Load(); };
  OnResize = [this] { Form_Resize(); };
  OnQueryUnload = [this](int32_t& cancel, int32_t mode) { Form_QueryUnload(cancel, mode); };
  OnUnload = [this](int32_t&) { Form_Unload(); };
  OKButton.OnClick = [this] { OKButton_Click(); };
  CancelButton.OnClick = [this] { CancelButton_Click(); };
  markWindow.OnDocumentComplete(
      [this](const ObjectRef&, const std::string&) { markWindow_DocumentComplete(); });
}

dlgMark::~dlgMark() {
  ReleasePage();
}

// ---- events ----

void dlgMark::Form_Load() {
  qEvent = std::make_shared<clsHTMEvent>();
  qEvent->HTMLEvent = [this] { qEvent_HTMLEvent(); };
  selectedAnswer_ = -99;
  cancelled_ = false;
  markWindow.Navigate("about:blank");
  for (int turn = 0; markWindow.ReadyState() != 4 && turn < kMaxLoadTurns; ++turn)
    ui::DoEvents();
}

void dlgMark::markWindow_DocumentComplete() {
  document_ = markWindow.Document();
  if (!document_ || !qEvent) return;
  automation::Put(document_, "onclick", Variant(ObjectRef(qEvent)));
  automation::Put(document_, "onkeypress", Variant(ObjectRef(qEvent)));
}

void dlgMark::qEvent_HTMLEvent() {
  automation::ErrorsIgnored ignore;
  ignore([&] {
    if (!document_) return;
    auto window = automation::Get(document_, "parentWindow").ToObject();
    auto source = automation::Get(automation::Get(window, "event").ToObject(), "srcElement");
    if (automation::Get(source.ToObject(), "name").ToText() != "newQID") return;
    const std::string id = NewID(16);
    auto form = PageForm();
    if (form) automation::Put(form->Item("newQIDText").ToObject(), "Value", Variant(id));
    automation::Put(document_->GetElementById("newQIDShow"), "innerHTML", Variant(id));
  });
}

void dlgMark::OKButton_Click() {
  // OK accepts at once: an emptied points field is how the author removes the points, and an
  // unchosen answer is caught when the document is validated.
  Hide();
}

void dlgMark::CancelButton_Click() {
  cancelled_ = true;
  Hide();
}

void dlgMark::Form_QueryUnload(int32_t& cancel, int32_t unloadMode) {
  (void)cancel;
  // Closing the window is not accepting the page: the caller must not read back from it.
  if (unloadMode == kQueryUnloadCloseBox) cancelled_ = true;
}

void dlgMark::Form_Unload() {
  ReleasePage();
}

void dlgMark::Form_Resize() {
  constexpr double kButtonWidth = 1215, kButtonHeight = 375, kMargin = 120;
  const double w = ScaleWidth(), h = ScaleHeight();
  const double buttonTop = h - kButtonHeight - kMargin;
  markWindow.Move(0, 0, w, buttonTop > kMargin ? buttonTop - kMargin : 0);
  CancelButton.Move(w - kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight);
  OKButton.Move(w - 2 * (kButtonWidth + kMargin), buttonTop, kButtonWidth, kButtonHeight);
}

void dlgMark::ReleasePage() {
  if (document_) {
    // The document holds the relay through these handlers; the page may outlive the dialog's
    // use of it.
    automation::ErrorsIgnored ignore;
    ignore([&] { automation::Put(document_, "onclick", Variant()); });
    ignore([&] { automation::Put(document_, "onkeypress", Variant()); });
  }
  document_.reset();
  qEvent.reset();
}

// ---- showing ----

bool dlgMark::Display(int32_t questionType, const std::string& page) {
  return automation::TrapValue(
      [&] {
        if (!IsLoaded()) Load();
        questionType_ = questionType;
        // A page shown again in the same dialog is read afresh.
        selectedAnswer_ = -99;
        // The type names table raises "Subscript out of range" for a code outside 0 to 10.
        Caption(G().typeNames.At(questionType) + kCaptionSuffix);
        auto document = markWindow.Document();
        if (!document) automation::Raise(automation::err::kObjectNotSet);
        document->Open("text/html");
        document->Write(page);
        document->Close();
        Show(ui::vbModal);
        return !cancelled_ && document_ != nullptr;
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgMark.Display", e.number, true);
        cancelled_ = true;
        automation::ErrorsIgnored ignore;
        ignore([&] { Unload(); });
      },
      false);
}

bool dlgMark::DisplayHelp(int32_t id) {
  automation::Trap(
      [&] {
        if (!IsLoaded()) Load();
        CancelButton.Enabled(false);
        Caption("Quorvanta Online Help");
        // Help always comes from the deployment's own course host; the author's host only
        // travels along in the query.
        markWindow.Navigate(std::string("http://") + online::kDefaultCourseHost +
                            "/engine/help/info.asp?id=" + std::to_string(id) +
                            "&ver=" + kVersionNo + "&strHost=" + G().strHost + G().strQuery);
        Show(ui::vbModal);
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgMark.DisplayHelp", e.number, true);
        cancelled_ = true;
        automation::ErrorsIgnored ignore;
        ignore([&] { Unload(); });
      });
  return true;
}

// ---- reading the page ----

std::shared_ptr<browser::HTMLFormElement> dlgMark::PageForm() const {
  return document_ ? document_->Form(0) : nullptr;
}

ObjectRef dlgMark::Field(const std::string& name) const {
  auto form = PageForm();
  if (!form) return nullptr;
  auto fields = form->ElementsNamed(name);
  return fields.size() == 1 ? fields.front() : nullptr;
}

std::string dlgMark::GetVal(const std::string& name, bool escapeAmpersand) {
  auto field = Field(name);
  if (!field) return "";
  std::string value = automation::Get(field, "value").ToText();
  value = ReplaceAll(ReplaceAll(value, "\u201C", "\""), "\u201D", "\"");
  if (escapeAmpersand) value = ReplaceAll(value, "&", std::string(1, kAmpersandSubstitute));
  return value;
}

std::string dlgMark::GetSelVal(const std::string& name) {
  if (!Field(name)) return "";
  auto list = std::dynamic_pointer_cast<browser::HTMLSelectElement>(Field("partial"));
  return list ? list->SelectedText() : "";
}

std::string dlgMark::GetCheckBox(const std::string& name) {
  auto field = Field(name);
  return field && automation::Get(field, "checked").ToBool() ? kChecked : "";
}

std::string dlgMark::GetRadioBtn(const std::string& name, int16_t markerIndex) {
  (void)name;
  if (selectedAnswer_ == -99) FindSelectedAnswer();
  return markerIndex == selectedAnswer_ ? kChecked : "";
}

void dlgMark::FindSelectedAnswer() {
  selectedAnswer_ = -1;
  auto form = PageForm();
  if (!form) return;
  auto buttons = form->ElementsNamed("ans");
  if (buttons.empty()) return;
  // A question with a single answer has a single button, which the form answers as itself
  // rather than as a group; it is read the same way, or its answer could never be marked.
  const size_t count = buttons.size() == 1 ? 1 : static_cast<size_t>(GroupLength("ans"));
  for (size_t k = 0; k < count; ++k) {
    auto button = std::dynamic_pointer_cast<browser::HTMLInputElement>(buttons[k]);
    if (!button || !button->Checked()) continue;
    automation::ErrorsIgnored ignore;
    selectedAnswer_ = ignore.Value(
        [&] { return static_cast<int16_t>(Variant(button->Value()).ToInt32()); }, int16_t{-1});
    return;
  }
}

int32_t dlgMark::GroupLength(const std::string& name) const {
  auto form = PageForm();
  if (!form) return 0;
  const auto count = static_cast<int32_t>(form->ElementsNamed(name).size());
  return count == 1 ? 0 : count;
}

// ---- writing back ----

void dlgMark::ReloadQInfo(const std::shared_ptr<word::InlineShape>& questionMarker) {
  if (!document_) return;
  std::string attributes = AttrPrefix(Required(questionMarker)->AlternativeText());
  auto append = [&](const char* key, const std::string& value) {
    if (!value.empty()) attributes += std::string("&") + key + "=" + value;
  };
  append("title", GetVal("title", true));
  append("qID", GetVal("qID", true));
  append("points", GetVal("points", true));
  append("partial", GetSelVal("partial"));
  append("pcomm", GetVal("pcomm", true));
  append("fcomm", GetVal("fcomm", true));
  questionMarker->SetAlternativeText(attributes);
}

void dlgMark::ReloadRadioInfo(const std::shared_ptr<word::InlineShape>& answerMarker,
                              int16_t markerIndex) {
  if (!document_) return;
  answerMarker->SetAlternativeText(AttrPrefix(Required(answerMarker)->AlternativeText()) +
                                   GetRadioBtn("ans", markerIndex));
}

void dlgMark::ReloadCheckboxInfo(const std::shared_ptr<word::InlineShape>& answerMarker,
                                 int16_t markerIndex) {
  if (!document_) return;
  answerMarker->SetAlternativeText(AttrPrefix(Required(answerMarker)->AlternativeText()) +
                                   GetCheckBox("ans" + std::to_string(markerIndex)));
}

void dlgMark::ReloadFIBInfo(const std::shared_ptr<word::InlineShape>& blank, int16_t markerIndex) {
  if (!document_) return;
  Required(blank);
  const std::string field = "fib" + std::to_string(markerIndex);
  const std::string w = GetVal(field + "_w", true);
  const std::string h = GetVal(field + "_h", true);
  if (IsTextBoxControl(blank)) {
    automation::Put(blank->OLEFormat()->Object(), "Text", Variant(GetVal(field + "_I", false)));
    return;
  }
  const std::string answerField = field + (h != "1" ? "_T" : "_I");
  std::string ans = GetVal(answerField, true);
  ans = ReplaceAll(ans, "&", "\x01");
  ans = ReplaceAll(ReplaceAll(ans, "\u201C", "\""), "\u201D", "\"");
  blank->SetAlternativeText(AttrPrefix(blank->AlternativeText()) + "&ans=" + ans + "&h=" + h +
                            "&w=" + w);
  // The placeholder picture takes the size of the box the author shaped, both ways: a picture
  // that keeps its proportions would let the width undo the height.
  auto box = std::dynamic_pointer_cast<browser::Element>(Field(answerField));
  if (!box) return;
  blank->SetLockAspectRatio(false);
  blank->SetHeight(word::Application::PixelsToPoints(box->ClientHeight() + 3, true));
  blank->SetWidth(word::Application::PixelsToPoints(box->ClientWidth() + 3));
}

// ---- automation ----

const automation::DispatchTable& dlgMark::Members() const {
  using automation::Args;
  auto picture = [](Args& a, size_t i) {
    auto p = std::dynamic_pointer_cast<word::InlineShape>(a.Object(i));
    if (!p) automation::Raise(automation::err::kTypeMismatch);
    return p;
  };
  static const automation::DispatchTable table =
      automation::ClassTable<dlgMark>("dlgMark")
          .Inherit(ui::Form::CommonMembers())
          .Method("Display", [](dlgMark& f, Args& a) { return f.Display(a.Int(0), a.Text(1)); })
          .Method("DisplayHelp", [](dlgMark& f, Args& a) { return f.DisplayHelp(a.Int(0)); })
          .Method("GetSelVal", [](dlgMark& f, Args& a) { return f.GetSelVal(a.Text(0)); })
          .Method("GetVal", [](dlgMark& f, Args& a) { return f.GetVal(a.Text(0), a.Bool(1)); })
          .Method("GetRadioBtn",
                  [](dlgMark& f, Args& a) {
                    return f.GetRadioBtn(a.Text(0), static_cast<int16_t>(a.Int(1)));
                  })
          .Method("GetCheckBox", [](dlgMark& f, Args& a) { return f.GetCheckBox(a.Text(0)); })
          .Sub("ReloadQInfo", [picture](dlgMark& f, Args& a) { f.ReloadQInfo(picture(a, 0)); })
          .Sub("ReloadRadioInfo",
               [picture](dlgMark& f, Args& a) {
                 f.ReloadRadioInfo(picture(a, 0), static_cast<int16_t>(a.Int(1)));
               })
          .Sub("ReloadCheckboxInfo",
               [picture](dlgMark& f, Args& a) {
                 f.ReloadCheckboxInfo(picture(a, 0), static_cast<int16_t>(a.Int(1)));
               })
          .Sub("ReloadFIBInfo",
               [picture](dlgMark& f, Args& a) {
                 f.ReloadFIBInfo(picture(a, 0), static_cast<int16_t>(a.Int(1)));
               })
          .Get("Document", [](dlgMark& f) { return Variant(ObjectRef(f.Document())); })
          .Build();
  return table;
}

}  // namespace qv::addin
