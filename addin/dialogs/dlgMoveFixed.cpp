#include "addin/dialogs/dlgMoveFixed.h"

#include <algorithm>
#include <array>

#include "addin/addin_app.h"
#include "addin/questions/report_error.h"
#include "automation/error_trap.h"
#include "automation/text/ascii.h"
#include "ui/msgbox.h"

namespace qv::addin {
namespace {

constexpr const char* kPictureTitle = "Select a picture from your computer to use...";
// One entry: the description, a bar, the pattern list. It offers a few kinds more than the
// chooser accepts; a file of those kinds is refused after it is picked.
constexpr const char* kPictureFilter =
    "All Pictures "
    "(*.emf;*.wmf;*.jpg;*.jpeg;*.jfif;*.jpe;*.png;*.bmp;*.dib;*.rle;*.bmz;*.gif;*.gfa;*.emz;*.wmz;"
    "*.pcz;*.fpx;*.pcd;*.pcx;*.mix;*.tif;*.tiff;*.cdr;*.cgm;*.eps;*.pCt;*.pict;*.wpg)|"
    "(*.emf;*.wmf;*.jpg;*.jpeg;*.jfif;*.jpe;*.png;*.bmp;*.dib;*.rle;*.bmz;*.gif;*.gfa;*.emz;*.wmz;"
    "*.pcz;*.fpx;*.pcd;*.pcx;*.mix;*.tif;*.tiff;*.cdr;*.cgm;*.eps;*.pCt;*.pict;*.wpg)";

constexpr std::array<const char*, 21> kAcceptedExtensions = {
    "wmf", "emf", "jpg", "jpeg", "jfif", "jpe", "png", "bmp", "dib", "rle", "bmz",
    "gif", "gfa", "emz", "wmz",  "pcz",  "fpx", "pcd", "pcx", "mix", "tif"};

}  // namespace

std::shared_ptr<dlgMoveFixed> dlgMoveFixed::Create() {
  return std::make_shared<dlgMoveFixed>();
}

dlgMoveFixed::dlgMoveFixed()
    : ui::Form("dlgMoveFixed"),
      btnLbl(Add<ui::Label>("btnLbl")),
      btnMoveable(Add<ui::CommandButton>("btnMoveable")),
      btnFixed(Add<ui::CommandButton>("btnFixed")),
      dlgFileOpen(Add<ui::CommonDialog>("dlgFileOpen")) {
  Caption("What would you like to create?");
  BorderStyle(ui::vbFixedDialog);
  SetClientSize(7740, 2250);
  btnLbl.Caption("What type of item would you like to create?");
  btnLbl.Move(315, 225, 5640, 420);
  btnLbl.Font().Name = "Arial";
  btnLbl.Font().Size = 12;
  btnMoveable.Caption("Moveable");
  btnMoveable.Move(210, 750, 3450, 1275);
  btnFixed.Caption("Fixed");
  btnFixed.Move(4095, 765, 3480, 1275);
  for (ui::CommandButton* button : {&btnMoveable, &btnFixed}) {
    button->Font().Name = "Arial";
    button->Font().Size = 14.25;
  }
  btnFixed.OnClick = [this] { Choose(kChoiceFixed); };
  btnMoveable.OnClick = [this] { Choose(kChoiceMoveable); };
}

void dlgMoveFixed::Choose(int32_t choice) {
  choice_ = choice;
  Hide();
}

int32_t dlgMoveFixed::Display(int32_t kind) {
  automation::Trap(
      [&] {
        kind_ = kind;
        choice_ = kChoiceNone;
        const std::string word = kind != kItemImage ? "Label" : "Image";
        btnFixed.Caption("Add Fixed " + word);
        btnMoveable.Caption("Add Moveable " + word);
        btnLbl.Caption("What type of " + word + " would you like to add?");
        Show(ui::vbModal);
      },
      [](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgMoveFixed.Display", e.number, true);
      });
  return choice_;
}

std::string dlgMoveFixed::GetImageFile() {
  dlgFileOpen.DialogTitle = kPictureTitle;
  dlgFileOpen.Filter = kPictureFilter;
  dlgFileOpen.FilterIndex = 1;
  dlgFileOpen.CancelError = true;
  while (true) {
    try {
      dlgFileOpen.ShowOpen();
    } catch (const automation::AutomationError&) {
      // Cancel, or a dialog that cannot show: either way no file was chosen, and asking again
      // could only fail the same way.
      return "";
    }
    const std::string file = dlgFileOpen.FileName;
    if (IsPicture(file)) return file;
    ui::MsgBox(AddinApp(), "Please choose a valid picture format to use", ui::vbOKOnly);
  }
}

void dlgMoveFixed::DONE() {
  Unload();
}

bool dlgMoveFixed::IsPicture(const std::string& path) {
  // Only the file's own name counts: a dotted folder name is no extension.
  const auto slash = path.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot == std::string::npos) return true;
  std::string extension = text::AsciiLowered(name.substr(dot + 1));
  return std::find(kAcceptedExtensions.begin(), kAcceptedExtensions.end(), extension) !=
         kAcceptedExtensions.end();
}

const automation::DispatchTable& dlgMoveFixed::Members() const {
  using automation::Args;
  static const automation::DispatchTable table =
      automation::ClassTable<dlgMoveFixed>("dlgMoveFixed")
          .Inherit(ui::Form::CommonMembers())
          .Method("GetImageFile", [](dlgMoveFixed& f, Args&) { return f.GetImageFile(); })
          .Sub("DONE", [](dlgMoveFixed& f, Args&) { f.DONE(); })
          .Method("IsPicture", [](dlgMoveFixed&, Args& a) { return IsPicture(a.Text(0)); })
          .Method("Display", [](dlgMoveFixed& f, Args& a) { return f.Display(a.Int(0)); })
          .Build();
  return table;
}

}  // namespace qv::addin
