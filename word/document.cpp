#include "word/document.h"

#include <algorithm>
#include <cmath>

#include "word/application.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/errors.h"
#include "word/inline_shape.h"
#include "word/page_setup.h"
#include "word/paragraphs.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/structure.h"
#include "word/table.h"
#include "word/window.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

Document::Document(Application* app)
    : app_(app),
      story_(std::make_unique<Story>()),
      props_(std::make_unique<PropertyStore>()),
      page_(std::make_unique<PageSetupData>()) {
  story_->SetListener(this);
}

Document::~Document() {
  for (auto& s : shapes_)
    s->Detach();
  shapes_.clear();
  story_->SetListener(nullptr);
}

std::shared_ptr<Document> Document::Create(Application* app, std::string name) {
  auto doc = std::make_shared<Document>(app);
  doc->name_ = std::move(name);
  doc->window_ = std::make_shared<word::Window>(doc, app ? app->NextWindowHandle() : 0x10000);
  doc->window_->Init(doc);
  doc->saved_ = true;
  return doc;
}

std::shared_ptr<Document> Document::Self() {
  return std::static_pointer_cast<Document>(shared_from_this());
}

Story& Document::GetStory() {
  if (closed_) RaiseDeleted();
  return *story_;
}

void Document::BeforeRemove(int64_t from, int64_t to) {
  // A shape goes with its anchor paragraph: when the removed text holds the mark that ends it.
  // Only the anchors in the span are looked at, not every shape of the document.
  std::vector<Shape*> doomed;
  const MarkList& anchors = story_->Anchors();
  for (size_t i = story_->FirstAnchorAt(from); i < anchors.size(); ++i) {
    const int64_t a = anchors[i]->Pos();
    if (a >= to) break;
    if (ParagraphEnd(*story_, a) <= to)
      doomed.push_back(&static_cast<ShapeAnchor*>(anchors[i]->owner)->Owner());
  }
  for (Shape* s : doomed)
    RemoveShape(s);
}

bool Document::HasShapeAnchoredIn(int64_t from, int64_t to) const {
  const size_t i = story_->FirstAnchorAt(from);
  return i < story_->Anchors().size() && story_->Anchors()[i]->Pos() < to;
}

std::vector<Shape*> Document::ShapesAnchoredIn(int64_t from, int64_t to) const {
  std::vector<Shape*> found;
  const MarkList& anchors = story_->Anchors();
  for (size_t i = story_->FirstAnchorAt(from); i < anchors.size() && anchors[i]->Pos() <= to; ++i)
    found.push_back(&static_cast<ShapeAnchor*>(anchors[i]->owner)->Owner());
  return found;
}

namespace {

// The room left between the z-order keys of neighbouring shapes, so that a shape moved between two
// others takes the middle without renumbering the rest.
constexpr uint64_t kZStride = uint64_t{1} << 20;

}  // namespace

void Document::AddShape(std::shared_ptr<Shape> s) {
  s->zKey_ = shapes_.empty() ? kZStride : shapes_.back()->zKey_ + kZStride;
  shapes_.push_back(std::move(s));
}

size_t Document::ShapeIndex(const Shape* s) const {
  auto it = std::lower_bound(shapes_.begin(), shapes_.end(), s->zKey_,
                             [](const auto& p, uint64_t key) { return p->zKey_ < key; });
  return it != shapes_.end() && it->get() == s ? static_cast<size_t>(it - shapes_.begin())
                                               : SIZE_MAX;
}

std::shared_ptr<Shape> Document::TakeShape(const Shape* s) {
  const size_t i = ShapeIndex(s);
  if (i == SIZE_MAX) return nullptr;
  auto keep = shapes_[i];
  shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(i));
  return keep;
}

void Document::RemoveShape(const Shape* s) {
  auto keep = TakeShape(s);
  if (!keep) return;
  keep->Detach();
  saved_ = false;
}

void Document::MoveShape(const Shape* s, size_t newIndex) {
  auto keep = TakeShape(s);
  if (!keep) return;
  newIndex = std::min(newIndex, shapes_.size());
  shapes_.insert(shapes_.begin() + static_cast<std::ptrdiff_t>(newIndex), keep);
  const uint64_t before = newIndex > 0 ? shapes_[newIndex - 1]->zKey_ : 0;
  const uint64_t after =
      newIndex + 1 < shapes_.size() ? shapes_[newIndex + 1]->zKey_ : before + 2 * kZStride;
  if (after - before >= 2) {
    keep->zKey_ = before + (after - before) / 2;
  } else {
    for (size_t k = 0; k < shapes_.size(); ++k)
      shapes_[k]->zKey_ = (k + 1) * kZStride;
  }
}

std::shared_ptr<Shape> Document::NewShapeName(const std::shared_ptr<Shape>& s) {
  if (s->Data().name.empty()) {
    const char* kind = s->Data().type == msoPicture   ? "Picture "
                       : s->Data().type == msoTextBox ? "Text Box "
                                                      : "Rectangle ";
    s->Mutable().name = kind + std::to_string(++shapeCounter_);
  }
  return s;
}

std::shared_ptr<word::Range> Document::Range(int64_t start, int64_t end) {
  GetStory();
  return std::make_shared<word::Range>(Self(), start, end);
}

std::shared_ptr<word::Range> Document::Content() {
  return Range(0, GetStory().Length());
}

std::shared_ptr<word::Tables> Document::Tables() {
  return std::make_shared<word::Tables>(Self(), Content());
}

std::shared_ptr<word::InlineShapes> Document::InlineShapes() {
  return std::make_shared<word::InlineShapes>(Self(), Content());
}

std::shared_ptr<word::Shapes> Document::Shapes() {
  GetStory();
  return std::make_shared<word::Shapes>(Self());
}

std::shared_ptr<word::Paragraphs> Document::Paragraphs() {
  return std::make_shared<word::Paragraphs>(Self(), Content());
}

std::shared_ptr<CustomDocumentProperties> Document::CustomDocumentProperties() {
  GetStory();
  return std::make_shared<word::CustomDocumentProperties>(Self());
}

std::shared_ptr<word::PageSetup> Document::PageSetup() {
  GetStory();
  return std::make_shared<word::PageSetup>(Self());
}

std::shared_ptr<word::Window> Document::ActiveWindow() {
  GetStory();
  return window_;
}

std::shared_ptr<word::Windows> Document::Windows() {
  GetStory();
  return std::make_shared<word::Windows>(std::vector<std::shared_ptr<word::Window>>{window_});
}

std::shared_ptr<word::Selection> Document::Selection() {
  GetStory();
  return window_->Selection();
}

void Document::ToggleFormsDesign() {
  GetStory();
  formsDesign_ = !formsDesign_;
}

void Document::SetSnapToGrid(bool v) {
  GetStory();
  snapToGrid_ = v;
  saved_ = false;
}

void Document::SetSnapToShapes(bool v) {
  GetStory();
  snapToShapes_ = v;
  saved_ = false;
}

double Document::TextWidth() const {
  return std::round(page_->pageWidth - page_->leftMargin - page_->rightMargin);
}

std::string Document::Path() const {
  return file_.empty() ? "" : file_.parent_path().string();
}

std::string Document::FullName() const {
  return file_.empty() ? name_ : file_.string();
}

void Document::SetFile(std::filesystem::path file) {
  file_ = std::move(file);
  name_ = file_.filename().string();
}

void Document::Save() {
  GetStory();
  if (file_.empty()) {
    std::string chosen;
    if (!app_ || !app_->ChooseSaveAs(*this, chosen))
      throw automation::AutomationError(kErrCommandFailed, "Command failed");
    SaveAs(chosen);
    return;
  }
  if (saveFormat_ == wdFormatDocument)
    WriteDocumentFile(*this, file_);
  else
    WriteDocxFile(*this, file_);
  saved_ = true;
}

void Document::SaveAs(const std::string& fileName, int32_t fileFormat) {
  GetStory();
  if (fileName.empty()) RaiseInvalidCall();
  std::filesystem::path p = std::filesystem::absolute(fileName);
  const bool docx = fileFormat == wdFormatXMLDocument || fileFormat == wdFormatDocumentDefault ||
                    (fileFormat < 0 && HasDocxExtension(p));
  if (docx)
    WriteDocxFile(*this, p);
  else
    WriteDocumentFile(*this, p);
  saveFormat_ = docx ? wdFormatXMLDocument : wdFormatDocument;
  SetFile(p);
  saved_ = true;
}

void Document::LoadFrom(const std::filesystem::path& file) {
  if (IsDocxFile(file)) {
    ReadDocxFile(*this, file);
    saveFormat_ = wdFormatXMLDocument;
  } else {
    ReadDocumentFile(*this, file);
  }
  SetFile(std::filesystem::absolute(file));
  saved_ = true;
}

void Document::Close(int32_t saveChanges) {
  GetStory();
  if (saveChanges == -1 && !saved_) Save();
  if (app_)
    app_->DocumentClosed(this);
  else
    MarkClosed();
}

void Document::MarkClosed() {
  if (closed_) return;
  for (auto& s : shapes_)
    s->Detach();
  shapes_.clear();
  window_->Close();
  closed_ = true;
  app_ = nullptr;
}

void Document::Activate() {
  GetStory();
  if (app_) app_->SetActiveDocument(this);
}

const DispatchTable& Document::Members() const {
  static const DispatchTable table =
      ClassTable<Document>("Document")
          .GetArgs("Range",
                   [](Document& d, Args& a) {
                     const int64_t len = d.GetStory().Length();
                     return d.Range(a.Opt(0, Variant(0)).ToInt32(),
                                    a.Opt(1, Variant::Long(len)).ToInt32());
                   })
          .Get("Content", [](Document& d) { return d.Content(); })
          .Get("Tables", [](Document& d) { return d.Tables(); })
          .Get("InlineShapes", [](Document& d) { return d.InlineShapes(); })
          .Get("Shapes", [](Document& d) { return d.Shapes(); })
          .Get("Paragraphs", [](Document& d) { return d.Paragraphs(); })
          .Get("CustomDocumentProperties", [](Document& d) { return d.CustomDocumentProperties(); })
          .Get("PageSetup", [](Document& d) { return d.PageSetup(); })
          .Get("ActiveWindow", [](Document& d) { return d.ActiveWindow(); })
          .Get("Windows", [](Document& d) { return d.Windows(); })
          .Prop(
              "Saved", [](Document& d) { return d.Saved(); },
              [](Document& d, const Variant& v) { d.SetSaved(v.ToBool()); })
          .Get("FormsDesign", [](Document& d) { return d.FormsDesign(); })
          .Sub("ToggleFormsDesign", [](Document& d, Args&) { d.ToggleFormsDesign(); })
          .Prop(
              "SnapToGrid", [](Document& d) { return d.SnapToGrid(); },
              [](Document& d, const Variant& v) { d.SetSnapToGrid(v.ToBool()); })
          .Prop(
              "SnapToShapes", [](Document& d) { return d.SnapToShapes(); },
              [](Document& d, const Variant& v) { d.SetSnapToShapes(v.ToBool()); })
          .Prop(
              "UserControl", [](Document& d) { return d.UserControl(); },
              [](Document& d, const Variant& v) { d.SetUserControl(v.ToBool()); })
          .Get("hwnd", [](Document& d) { return d.ActiveWindow()->Hwnd(); })
          .Get("Name", [](Document& d) { return d.Name(); })
          .Get("Path", [](Document& d) { return d.Path(); })
          .Get("FullName", [](Document& d) { return d.FullName(); })
          .Sub("Save", [](Document& d, Args&) { d.Save(); })
          .Sub("SaveAs",
               [](Document& d, Args& a) { d.SaveAs(a.Text(0), a.Opt(1, Variant(-1)).ToInt32()); })
          .Sub("Close", [](Document& d, Args& a) { d.Close(a.Opt(0, Variant(0)).ToInt32()); })
          .Sub("Activate", [](Document& d, Args&) { d.Activate(); })
          .Build();
  return table;
}

}  // namespace qv::word
