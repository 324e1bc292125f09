#include "helper/dlgIE.h"

#include <chrono>
#include <thread>

#include "ui/toolkit.h"

namespace qv::helper {

dlgIE::dlgIE() : Form("dlgIE") {
  BorderStyle(ui::vbSizable);
  btnOK.Caption("&OK");
  btnOK.Default(true);
  btnOK.Move(0, 0, 1215, 375);
  OnLoad = [this] { Form_Load(); };
  OnResize = [this] { Form_Resize(); };
  btnOK.OnClick = [this] { Hide(); };
}

bool dlgIE::Display(const std::string& address, const std::string& title) {
  address_ = address;
  initialWidth_ = 12000;
  initialHeight_ = 8000;
  Caption(title);
  Load();
  Show(ui::vbModal);
  Unload();
  return true;
}

void dlgIE::Form_Load() {
  winIE.Navigate("about:blank");
  Width(initialWidth_);
  Height(initialHeight_);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kBlankPageWaitMs);
  while (winIE.ReadyState() != 4 && std::chrono::steady_clock::now() < deadline) {
    ui::DoEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  winIE.Navigate(address_);
}

void dlgIE::Form_Resize() {
  double width = Width() - 200;
  if (width < 0) width = 200;
  double height = Height() - btnOK.Height() - 600;
  if (height < 0) height = 500;
  winIE.Move(50, 50, width, height);
  btnOK.Top(height + 100);
  btnOK.Left(Width() / 2 - btnOK.Width() / 2);
}

}  // namespace qv::helper
