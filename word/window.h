#pragma once
// A document window: its view (normal 1, print layout 3, web layout 6), its panes when split, its
// handle and its selection.

#include <memory>
#include <vector>

#include "automation/dispatch.h"

namespace qv::word {

class Document;
class Selection;

inline constexpr int32_t wdNormalView = 1;
inline constexpr int32_t wdPrintView = 3;
inline constexpr int32_t wdWebView = 6;
inline constexpr int32_t wdPaneNone = 0;

class Window;

class View : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;
  int32_t type = wdPrintView;
  // Set through the window: a split-special pane splits the window.
  std::weak_ptr<word::Window> window;
};

class Pane : public automation::Dispatch {
 public:
  explicit Pane(std::weak_ptr<word::Window> w);
  const automation::DispatchTable& Members() const override;
  std::shared_ptr<word::View> View() const { return view_; }
  void Close();

 private:
  std::weak_ptr<word::Window> window_;
  std::shared_ptr<word::View> view_ = std::make_shared<word::View>();
};

class Panes : public automation::Dispatch {
 public:
  explicit Panes(std::shared_ptr<word::Window> w) : window_(std::move(w)) {}
  const automation::DispatchTable& Members() const override;
  int32_t Count() const;
  std::shared_ptr<Pane> Item(int32_t index) const;

 private:
  std::shared_ptr<word::Window> window_;
};

class Window : public automation::Dispatch {
 public:
  Window(std::weak_ptr<Document> doc, int32_t handle);
  ~Window() override;
  const automation::DispatchTable& Members() const override;

  // Makes the window's own view and selection (needs the shared owner).
  void Init(const std::shared_ptr<Document>& doc);
  std::shared_ptr<word::View> View() const { return view_; }
  std::shared_ptr<word::Selection> Selection() const;
  std::shared_ptr<Pane> ActivePane() const;
  const std::vector<std::shared_ptr<Pane>>& PaneList() const { return panes_; }
  bool Split() const { return panes_.size() > 1; }
  void SetSplit(bool split);
  int32_t SplitSpecial() const { return splitSpecial_; }
  void SetSplitSpecial(int32_t v);
  void ClosePane(const Pane* p);
  int32_t Hwnd() const { return hwnd_; }
  // wdWindowStateNormal 0, wdWindowStateMaximize 1, wdWindowStateMinimize 2.
  int32_t WindowState() const { return windowState_; }
  void SetWindowState(int32_t state);
  // The desktop's show commands reach the window through its handle (platform/windows.h).
  void Show(int32_t command);
  std::shared_ptr<Document> Doc() const;
  void ScrollIntoView(const automation::ObjectRef&) const { Doc(); }
  void Activate();
  // Forgets the document and selection when the document closes.
  void Close();

 private:
  std::weak_ptr<Document> doc_;
  std::shared_ptr<word::View> view_ = std::make_shared<word::View>();
  std::vector<std::shared_ptr<Pane>> panes_;
  std::shared_ptr<word::Selection> selection_;
  int32_t splitSpecial_ = wdPaneNone;
  int32_t hwnd_;
  int32_t windowState_ = 0;
};

// The open windows of an application (one per open document here).
class Windows : public automation::Dispatch {
 public:
  explicit Windows(std::vector<std::shared_ptr<Window>> list) : list_(std::move(list)) {}
  const automation::DispatchTable& Members() const override;
  int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  std::shared_ptr<Window> Item(int32_t index) const;

 private:
  std::vector<std::shared_ptr<Window>> list_;
};

}  // namespace qv::word
