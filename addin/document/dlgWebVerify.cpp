#include "addin/document/dlgWebVerify.h"

#include <cmath>
#include <initializer_list>

#include "addin/questions/g_construction.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/custom_properties.h"
#include "word/dialogs.h"
#include "word/document.h"
#include "word/find.h"
#include "word/paragraphs.h"
#include "word/range.h"
#include "word/running_application.h"
#include "word/shape.h"
#include "word/window.h"

namespace qv::addin {
namespace {

using automation::Variant;

constexpr const char* kIntroduction =
    "Use the Enhanced Web Preview function if a Word document that you added to a Quorvanta "
    "lesson did not convert properly and lost some of its formatting. \r\n\r\n"
    "Enhanced Web Preview attempts to change the formatting of your document (but not its "
    "appearance) to make it compatible with Internet Explorer and Netscape 6+.\r\n\r\n"
    "This application is still under development. Please send problems, suggestions, or copies "
    "of documents that this wizard could not fix to support@quorvanta.example.";

// Where a floating shape placed left of the page goes: just inside it.
constexpr double kShapeLeftInPage = 2;
constexpr int32_t kBack = 0, kNext = 1, kCancel = 2;

// Layout in twips: the banner across the top, the steps' texts below it, the buttons at the
// bottom.
constexpr double kWidth = 7500, kHeight = 5100;
constexpr double kBannerHeight = 900;
constexpr double kTextLeft = 100, kTextTop = kBannerHeight + 120, kTextWidth = kWidth - 200;
constexpr double kFrameTop = 4260, kButtonTop = 240, kButtonWidth = 1200, kButtonHeight = 420;

void SetVisible(std::initializer_list<ui::Control*> controls, bool visible) {
  for (ui::Control* c : controls)
    c->Visible(visible);
}

}  // namespace

void addWebVerifyInfo(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  ignore([&] {
    auto props = doc.CustomDocumentProperties();
    if (!doc.Properties().Find("WebVerify")) {
      props->Add("WebVerify", false, word::msoPropertyTypeString, Variant(kWebVerifyVersion));
      return;
    }
    auto property = props->Item(Variant("WebVerify"));
    if (property->Value().ToText() != kWebVerifyVersion)
      property->SetValue(Variant(kWebVerifyVersion));
  });
}

std::shared_ptr<dlgWebVerify> dlgWebVerify::Create() {
  return std::make_shared<dlgWebVerify>();
}

dlgWebVerify::dlgWebVerify()
    : ui::Form("dlgWebVerify"),
      Banner(Add<ui::PictureBox>("Banner")),
      Desc(Add<ui::Label>("Desc")),
      CurrFileLoc(Add<ui::Label>("CurrFileLoc")),
      NewFileTxt(Add<ui::Label>("NewFileTxt")),
      SaveTxt(Add<ui::Label>("SaveTxt")),
      Browse(Add<ui::CommandButton>("Browse")),
      CvtTxt(Add<ui::Label>("CvtTxt")),
      CvtPgrs(Add<ui::Label>("CvtPgrs")),
      BtnFrm(Add<ui::Frame>("BtnFrm")),
      BtnLn(Add<ui::Line>("BtnLn")),
      Vers(Add<ui::Label>("Vers")),
      BtnBack(AddIndexed<ui::CommandButton>("Btns", kBack)),
      BtnNext(AddIndexed<ui::CommandButton>("Btns", kNext)),
      BtnCancel(AddIndexed<ui::CommandButton>("Btns", kCancel)) {
  Caption("Quorvanta Web Verification Wizard");
  BorderStyle(ui::vbFixedDialog);
  SetClientSize(kWidth, kHeight);
  Font().Name = "Arial";
  for (ui::Control* c : AllControls())
    c->Font().Name = "Arial";

  Browse.Caption("&Save As...");
  CvtTxt.Caption("Converting...");
  CvtTxt.Visible(false);
  CvtPgrs.Visible(false);
  for (ui::Label* label : {&Desc, &CurrFileLoc, &NewFileTxt})
    label->WordWrap = true;
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{&BtnLn, &Vers, &BtnBack, &BtnNext, &BtnCancel})
    c->Container(&BtnFrm);
  BtnBack.Caption("&Back");
  BtnNext.Caption("&Next");
  BtnCancel.Caption("&Cancel");
  BtnCancel.Cancel(true);

  OnLoad = [this] { Form_Load(); };
  for (int32_t i : {kBack, kNext, kCancel})
    Controls("Btns", i).OnClick = [this, i] { Btns_Click(i); };
  Browse.OnClick = [this] { Browse_Click(); };
}

// ---- steps ----

void dlgWebVerify::Form_Load() {
  Banner.Move(0, 0, kWidth, kBannerHeight);
  // The banner is decoration: without its file the wizard works all the same.
  try {
    Banner.LoadPicture(G().IMG_PATH + kWebVerifyBanner);
  } catch (const automation::AutomationError&) {
    Banner.LoadPicture("");
  }
  Desc.Caption(kIntroduction);
  Desc.Move(kTextLeft, kTextTop, kTextWidth, kFrameTop - kTextTop - 120);
  BtnFrm.Move(0, kFrameTop, kWidth, kHeight - kFrameTop);
  BtnLn.X1 = 0;
  BtnLn.X2 = kWidth;
  BtnLn.Y1 = BtnLn.Y2 = 60;
  Vers.Caption(std::string("beta v") + kWebVerifyVersion);
  Vers.Move(kTextLeft, kButtonTop + 90, 1800, 240);
  for (int32_t i : {kBack, kNext, kCancel})
    Controls("Btns", i).Move(kWidth - (3 - i) * (kButtonWidth + 120), kButtonTop, kButtonWidth,
                             kButtonHeight);
  ShowStep1();
}

void dlgWebVerify::ShowStep1() {
  step_ = 1;
  SetVisible({&Browse, &CurrFileLoc, &NewFileTxt, &SaveTxt}, false);
  BtnBack.Enabled(false);
  BtnBack.Visible(false);
  BtnNext.Caption("&Next");
  BtnNext.Enabled(true);
  BtnNext.Visible(true);
  BtnCancel.Enabled(true);
  BtnCancel.Visible(true);
  Desc.Visible(true);
}

void dlgWebVerify::ShowStep2() {
  step_ = 2;
  Desc.Visible(false);
  BtnBack.Enabled(true);
  BtnBack.Visible(true);
  BtnNext.Caption("&Convert!");
  BtnNext.Enabled(true);
  BtnNext.Visible(true);
  BtnCancel.Enabled(true);
  BtnCancel.Visible(true);
  CurrFileLoc.Caption(
      "We strongly recommend that you save this document with a new filename before "
      "continuing.\r\n");
  // Folder and name are joined with this platform's path separator, as every path the add-in
  // shows or stores is.
  std::string file = "This document has not yet been saved";
  automation::ErrorsIgnored ignore;
  ignore([&] {
    if (doc_ && !doc_->Path().empty()) file = doc_->Path() + "/" + doc_->Name();
  });
  NewFileTxt.Caption("File to convert:\r\n" + file + "\r\n\r\n");
  SaveTxt.Caption("Save this file now ");
  CurrFileLoc.Move(kTextLeft, kTextTop, kTextWidth, 600);
  NewFileTxt.Move(kTextLeft, kTextTop + 720, kTextWidth, 1200);
  SaveTxt.Move(kTextLeft, kTextTop + 2040, 1800, 300);
  Browse.Move(kTextLeft + 1860, kTextTop + 1980, 1500, kButtonHeight);
  SetVisible({&CurrFileLoc, &NewFileTxt, &SaveTxt, &Browse}, true);
}

void dlgWebVerify::ShowStep3() {
  step_ = 3;
  SetVisible({&Desc, &Browse, &CurrFileLoc, &SaveTxt}, false);
  for (ui::CommandButton* b : {&BtnBack, &BtnNext, &BtnCancel}) {
    b->Enabled(false);
    b->Visible(false);
  }
  CvtTxt.Move(kTextLeft, kTextTop + 2040, 3000, 300);
  CvtPgrs.Move(kTextLeft, kTextTop + 2400, 3000, 300);
  CvtTxt.Visible(true);
  CvtPgrs.Visible(true);
}

void dlgWebVerify::Progress(double fraction, double from, double to) {
  const auto percent = static_cast<int64_t>(std::nearbyint(from + (to - from) * fraction));
  CvtPgrs.Caption(std::to_string(percent) + " %");
  CvtPgrs.Refresh();
}

// ---- buttons ----

void dlgWebVerify::Btns_Click(int32_t index) {
  if (index == kBack) {
    ShowStep1();
  } else if (index == kNext) {
    if (step_ == 1) {
      ShowStep2();
    } else if (step_ == 2) {
      ShowStep3();
      DoWebVerify();
      Unload();
    }
  } else if (index == kCancel) {
    Unload();
  }
}

void dlgWebVerify::Browse_Click() {
  automation::Trap(
      [&] {
        // The Save As dialog saves the active document: make that the one being converted.
        if (doc_) doc_->Activate();
        word::Application* app = doc_ ? doc_->App() : word::RunningApplication().get();
        if (!app) automation::Raise(automation::err::kObjectNotSet);
        app->Dialogs()->Item(word::wdDialogFileSaveAs)->Show();
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgWebVerify.Browse_Click", e.number, true);
      });
  ShowStep2();
}

// ---- showing ----

void dlgWebVerify::Display() {
  auto app = word::RunningApplication();
  if (!app) automation::Raise(automation::err::kObjectNotSet);
  doc_ = app->ActiveDocument();
  Show(ui::vbModeless);
}

// ---- converting ----

void dlgWebVerify::DoWebVerify() {
  automation::ErrorsIgnored ignore;
  std::shared_ptr<word::Document> doc = doc_;
  if (!doc) {
    ignore([&] {
      if (auto app = word::RunningApplication()) doc = app->ActiveDocument();
    });
  }
  if (!doc) return;
  MoveShapesIntoThePage(*doc);
  FillEmptyParagraphs(*doc);
  Progress(0.6, 0, 100);
  ignore([&] { ReplaceManualPageBreaks(*doc); });
  ui::DoEvents();
  Progress(0.7, 0, 100);
  ignore([&] { JoinSplitWindow(*doc); });
  ui::DoEvents();
  Progress(0.8, 0, 100);
  ignore([&] { doc->ActiveWindow()->View()->type = word::wdWebView; });
  ui::DoEvents();
  Progress(0.9, 0, 100);
  addWebVerifyInfo(*doc);
  ui::DoEvents();
  Progress(0.95, 0, 100);
  StampDocument(*doc);
  ui::DoEvents();
  Progress(1.0, 0, 100);
}

void dlgWebVerify::MoveShapesIntoThePage(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  std::shared_ptr<word::ShapeRange> shapes;
  ignore([&] { shapes = doc.Content()->ShapeRange(); });
  const int32_t n = shapes ? shapes->Count() : 0;
  for (int32_t i = 1; i <= n; ++i) {
    ignore([&] {
      auto shape = shapes->Item(i);
      // Every shape of the same paragraph moves with it, so that their placement to each other
      // is kept.
      if (shape->Data().left < 0) shape->Anchor()->ShapeRange()->SetLeft(kShapeLeftInPage);
    });
    Progress(static_cast<double>(i) / n, 0, 50);
    ui::DoEvents();
  }
}

void dlgWebVerify::FillEmptyParagraphs(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  std::shared_ptr<word::Paragraphs> paragraphs;
  ignore([&] { paragraphs = doc.Paragraphs(); });
  const int32_t count = paragraphs ? paragraphs->Count() : 0;
  for (int32_t i = 1; i <= count; ++i) {
    ignore([&] {
      auto range = paragraphs->Item(i)->Range();
      if (range->Text() == "\r") range->InsertBefore(" ");
    });
    Progress(static_cast<double>(i) / count, 51, 60);
    ui::DoEvents();
  }
}

void dlgWebVerify::ReplaceManualPageBreaks(word::Document& doc) {
  auto stillThere = [&] {
    auto probe = doc.Content()->Find();
    probe->text = "^m";
    return probe->Execute();
  };
  while (stillThere()) {
    auto find = doc.Content()->Find();
    find->format = false;
    find->replacement->text = "^p";
    find->text = "^m";
    find->forward = true;
    find->wrap = word::wdFindContinue;
    find->matchCase = false;
    find->matchWholeWord = false;
    find->matchWildcards = false;
    find->replace = word::wdReplaceAll;
    // A break the search finds but cannot replace would otherwise be searched for ever.
    if (!find->Execute()) break;
  }
}

void dlgWebVerify::JoinSplitWindow(word::Document& doc) {
  auto window = doc.ActiveWindow();
  if (window->SplitSpecial() == word::wdPaneNone && window->PaneList().size() >= 2)
    window->ActivePane()->Close();
}

// ---- automation ----

const automation::DispatchTable& dlgWebVerify::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<dlgWebVerify>("dlgWebVerify")
          .Inherit(ui::Form::CommonMembers())
          .Sub("Display", [](dlgWebVerify& f, automation::Args&) { f.Display(); })
          .Sub("DoWebVerify", [](dlgWebVerify& f, automation::Args&) { f.DoWebVerify(); })
          .Sub("addWebVerifyInfo",
               [](dlgWebVerify&, automation::Args& a) {
                 auto doc = std::dynamic_pointer_cast<word::Document>(a.Object(0));
                 if (!doc) automation::Raise(automation::err::kTypeMismatch);
                 addWebVerifyInfo(*doc);
               })
          .Get("Step", [](dlgWebVerify& f) { return f.Step(); })
          .Build();
  return table;
}

}  // namespace qv::addin
