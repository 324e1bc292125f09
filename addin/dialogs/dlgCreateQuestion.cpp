#include "addin/dialogs/dlgCreateQuestion.h"

#include <array>
#include <limits>
#include <optional>

#include "addin/addin_app.h"
#include "addin/connect/command_bar_setup.h"
#include "addin/library/public_classes.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "browser/web_browser.h"
#include "office/command_bars.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "ui/msgbox.h"
#include "ui/toolkit.h"
#include "word/application.h"

namespace qv::addin {
namespace {

using automation::ObjectRef;
using automation::Variant;

struct OfferedType {
  int32_t code;
  const char* className;
};

// The types the dialog offers, in list order: the position is what LastQType stores.
constexpr std::array<OfferedType, 8> kOffered = {{
    {kTrueFalse, "TrueFalse"},
    {kMultipleChoice, "MultipleChoice"},
    {kMultipleResponse, "MultipleCorrect"},
    {kMultipleChoiceFIB, "MultipleChoiceFillInTheBlank"},
    {kMultipleResponseFIB, "MultipleCorrectFillInTheBlank"},
    {kFillInTheBlank, "FillInTheBlank"},
    {kDragAndDrop, "ImageTag"},
    {kHotSpot, "ImageHotSpot"},
}};

constexpr const char* kProgIdPrefix = "KZOWord.";
// The example browser completes a navigation before Navigate returns; the wait for a complete
// page still gives the message loop its turns, and never more than this many.
constexpr int kMaxLoadTurns = 1000;
constexpr int32_t kReadyStateComplete = 4;

// The choice types ask for the number of answers.
bool AsksForAnswerCount(int32_t code) {
  return code >= 0 && code <= 4;
}

// The answer count a text stands for: the number rounded half to even, as the host converts; no
// value for a text that is not a number, or one too large to be a count.
std::optional<int32_t> AnswerCountOf(const std::string& text) {
  const Variant typed(text);
  if (text.empty() || !typed.IsNumeric()) return std::nullopt;
  const double value = typed.ToDouble();
  if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()) ||
      value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::nullopt;
  return typed.ToInt32();
}

void Tell(const char* text) {
  ui::MsgBox(AddinApp(), text, ui::vbOKOnly);
}

void StoreSetting(const char* name, const std::string& value) {
  online::reg::SetValue(G().hive, online::kAddinKey, name, Variant(value), online::reg::REG_SZ);
}

// The name of the question class that builds type `code`.
std::string QuestionClassName(int32_t code) {
  for (const auto& type : kOffered)
    if (type.code == code) return type.className;
  return "";
}

}  // namespace

std::shared_ptr<dlgCreateQuestion> dlgCreateQuestion::Create() {
  return std::make_shared<dlgCreateQuestion>();
}

dlgCreateQuestion::dlgCreateQuestion()
    : ui::Form("dlgCreateQuestion"),
      QuestionTypes(Add<ui::Frame>("QuestionTypes")),
      lstQTypes(Add<ui::ListBox>("lstQTypes")),
      lblNumAns(Add<ui::Label>("lblNumAns")),
      txtNumAns(Add<ui::TextBox>("txtNumAns")),
      btnContinue(Add<ui::CommandButton>("btnContinue")),
      btnCancel(Add<ui::CommandButton>("btnCancel")),
      Frame3(Add<ui::Frame>("Frame3")),
      quizPreview(Add<browser::WebBrowser>("quizPreview")),
      Frame2(Add<ui::Frame>("Frame2")),
      picPreview(Add<ui::Image>("picPreview")),
      MakeQuestion(CreatePublicObject) {
  Caption("Add New Question...");
  BorderStyle(ui::vbFixedDialog);
  SetClientSize(10140, 7665);

  QuestionTypes.Caption("Question types");
  QuestionTypes.Move(90, 45, 3120, 2040);
  lstQTypes.Container(&QuestionTypes);
  lstQTypes.Move(90, 315, 2940, 1620);
  lblNumAns.Caption("How many answer choices?");
  lblNumAns.Move(225, 2340, 2085, 240);
  txtNumAns.Move(2385, 2250, 645, 330);
  btnContinue.Caption("&Add");
  btnContinue.Move(225, 2700, 1320, 420);
  btnContinue.Default(true);
  btnCancel.Caption("&Cancel");
  btnCancel.Move(1755, 2700, 1320, 420);
  btnCancel.Cancel(true);
  Frame3.Caption("Working sample");
  Frame3.Move(3285, 45, 6765, 4200);
  quizPreview.Container(&Frame3);
  quizPreview.Move(45, 315, 6675, 3840);
  Frame2.Caption("How the sample looks in Word");
  Frame2.Move(3285, 4365, 6765, 3210);
  picPreview.Container(&Frame2);
  picPreview.Move(90, 315, 6585, 2805);
  for (ui::Frame* frame : {&QuestionTypes, &Frame3, &Frame2}) {
    frame->Font().Name = "Arial";
    frame->Font().Size = 12;
  }

  OnLoad = [this] { Form_Load(); };
  OnUnload = [this](int32_t&) { Form_Unload(); };
  lstQTypes.OnClick = [this] { lstQTypes_Click(); };
  lstQTypes.OnDblClick = [this] { CreateQTI(); };
  btnContinue.OnClick = [this] { CreateQTI(); };
  btnCancel.OnClick = [this] { Unload(); };
}

// ---- events ----

void dlgCreateQuestion::Form_Load() {
  // The example browser reports a complete page only once it has navigated: a blank page first,
  // so that waiting for a complete page before the first example cannot wait for ever.
  automation::ErrorsIgnored ignore;
  ignore([&] { quizPreview.Navigate("about:blank"); });
}

void dlgCreateQuestion::Form_Unload() {
  if (!app_) return;
  automation::ErrorsIgnored ignore;
  ignore([&] {
    if (auto bars = app_->CommandBars()) EnableCommands(*bars);
  });
}

void dlgCreateQuestion::lstQTypes_Click() {
  const int32_t code = TypeCodeFromName(lstQTypes.Text());
  if (code == -1) return;
  const bool asks = AsksForAnswerCount(code);
  lblNumAns.Visible(asks);
  txtNumAns.Visible(asks);
  ShowPreviewPicture(code);
  LoadQuizFromSite(code);
}

void dlgCreateQuestion::ShowPreviewPicture(int32_t code) {
  // The preview pictures are files of the installation; one that is missing or damaged leaves
  // the picture empty rather than the dialog unusable.
  try {
    picPreview.LoadPicture(G().IMG_PATH + "qti" + std::to_string(code) + ".bmp");
  } catch (const automation::AutomationError&) {
    picPreview.LoadPicture("");
  }
}

void dlgCreateQuestion::LoadQuizFromSite(int32_t code) {
  for (int turn = 0; quizPreview.ReadyState() != kReadyStateComplete && turn < kMaxLoadTurns;
       ++turn)
    ui::DoEvents();
  quizPreview.Navigate(G().examplePages.At(code));
}

// ---- showing ----

void dlgCreateQuestion::Display(const std::shared_ptr<word::Application>& app) {
  automation::Trap(
      [&] {
        app_ = app;
        if (!EverythingOK(kInsertingQuestion)) {
          // Nothing was disabled: this dialog must not enable anything when it goes.
          app_.reset();
          return;
        }
        if (!app_ || !app_->CommandBars()) automation::Raise(automation::err::kObjectNotSet);
        DisableCommands(*app_->CommandBars());
        if (!IsLoaded()) Load();
        lstQTypes.Clear();
        for (const auto& type : kOffered)
          lstQTypes.AddItem(G().typeNames.At(type.code));
        txtNumAns.Text(std::to_string(G().numAs));
        SelectStoredType(
            online::reg::QueryValue(G().hive, online::kAddinKey, "LastQType", "").ToText());
        Show(ui::vbModeless);
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgCreateQuestion.Display", e.number, true);
        automation::ErrorsIgnored ignore;
        ignore([&] {
          if (IsLoaded())
            Unload();
          else
            Form_Unload();
        });
      });
}

void dlgCreateQuestion::SelectStoredType(const std::string& stored) {
  if (stored.empty()) {
    lstQTypes.ListIndex(0);
    return;
  }
  automation::Trap([&] { lstQTypes.ListIndex(Variant(stored).ToInt32()); },
                   [&](const automation::ErrInfo& e) {
                     ReportError(e.description, "dlgCreateQuestion.Display", e.number, true);
                     lstQTypes.ListIndex(0);
                   });
}

// ---- creating ----

void dlgCreateQuestion::CreateQTI() {
  bool hidden = false;
  automation::Trap(
      [&] {
        const int32_t code = TypeCodeFromName(lstQTypes.Text());
        if (code == -1) {
          Tell("Select a question type to create on the left and try again.");
          return;
        }
        const std::string typed = txtNumAns.Text();
        const std::optional<int32_t> count = AnswerCountOf(typed);
        if (AsksForAnswerCount(code)) {
          if (typed.empty()) return Tell("Enter the number of answers to create.");
          if (!count) return Tell("Enter a valid number of answers to create.");
          if (*count < 1) return Tell("Enter a positive number of answers to create.");
          if (*count < 2)
            return Tell(
                "This question type must have at least 2 answers in order to add it to your "
                "document.");
        }
        // Hidden, not unloaded: the commands stay disabled while the question is built.
        Hide();
        hidden = true;
        // The hidden box of a type without a count may hold anything; only a number is a count.
        if (count) G().numAs = *count;
        ObjectRef question = MakeQuestion(kProgIdPrefix + QuestionClassName(code));
        if (!question) automation::Raise(automation::err::kCannotCreate);
        automation::Call(question, "CreateQuestion", {Variant(ObjectRef(app_))});
        question.reset();
        if (count) StoreSetting("numAs", typed);
        StoreSetting("LastQType", std::to_string(lstQTypes.ListIndex()));
        Unload();
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgCreateQuestion.CreateQTI", e.number, true);
        // A hidden dialog nobody can reach would keep every command disabled.
        if (hidden) {
          automation::ErrorsIgnored ignore;
          ignore([&] { Unload(); });
        }
      });
}

// ---- automation ----

const automation::DispatchTable& dlgCreateQuestion::Members() const {
  using automation::Args;
  static const automation::DispatchTable table =
      automation::ClassTable<dlgCreateQuestion>("dlgCreateQuestion")
          .Inherit(ui::Form::CommonMembers())
          .Sub("Display",
               [](dlgCreateQuestion& f, Args& a) {
                 auto app = std::dynamic_pointer_cast<word::Application>(a.Object(0));
                 if (!app) automation::Raise(automation::err::kTypeMismatch);
                 f.Display(app);
               })
          .Sub("CreateQTI", [](dlgCreateQuestion& f, Args&) { f.CreateQTI(); })
          .Sub("LoadQuizFromSite",
               [](dlgCreateQuestion& f, Args& a) { f.LoadQuizFromSite(a.Int(0)); })
          .Build();
  return table;
}

}  // namespace qv::addin
