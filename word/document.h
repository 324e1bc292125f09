#pragma once
// Document: one open document of the word processor. It owns its main text (the story), its
// floating shapes in z-order, custom properties, page setup and its window; it is told about
// every edit (saved flag, shapes anchored in removed text).

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "word/story.h"

namespace qv::word {

class Application;
class CustomDocumentProperties;
class InlineShapes;
class PageSetup;
class Paragraphs;
class Range;
class Selection;
class Shape;
class Shapes;
class Tables;
class Window;
class Windows;
struct PropertyStore;
struct PageSetupData;

class Document : public automation::Dispatch, public StoryListener {
 public:
  // Use Create: the document's window and selection need the shared owner.
  explicit Document(Application* app);
  ~Document() override;
  static std::shared_ptr<Document> Create(Application* app, std::string name);
  const automation::DispatchTable& Members() const override;

  // StoryListener
  void BeforeRemove(int64_t from, int64_t to) override;
  void Changed() override { saved_ = false; }

  std::shared_ptr<Document> Self();
  Story& GetStory();
  bool Closed() const { return closed_; }
  Application* App() const { return app_; }

  std::shared_ptr<word::Range> Range(int64_t start, int64_t end);
  std::shared_ptr<word::Range> Content();
  std::shared_ptr<word::Tables> Tables();
  std::shared_ptr<word::InlineShapes> InlineShapes();
  std::shared_ptr<word::Shapes> Shapes();
  std::shared_ptr<word::Paragraphs> Paragraphs();
  std::shared_ptr<word::CustomDocumentProperties> CustomDocumentProperties();
  std::shared_ptr<word::PageSetup> PageSetup();
  std::shared_ptr<word::Window> ActiveWindow();
  std::shared_ptr<word::Windows> Windows();
  std::shared_ptr<word::Selection> Selection();

  bool Saved() const { return saved_; }
  void SetSaved(bool v) { saved_ = v; }
  void MarkChanged() { saved_ = false; }
  bool FormsDesign() const { return formsDesign_; }
  void ToggleFormsDesign();
  // Whether the user (rather than a program) controls the document's window.
  bool UserControl() const { return userControl_; }
  void SetUserControl(bool v) { userControl_ = v; }
  bool SnapToGrid() const { return snapToGrid_; }
  bool SnapToShapes() const { return snapToShapes_; }
  void SetSnapToGrid(bool v);
  void SetSnapToShapes(bool v);

  const std::string& Name() const { return name_; }
  std::string Path() const;
  std::string FullName() const;
  const std::filesystem::path& File() const { return file_; }
  void Save();
  // `fileFormat`: wdFormatXMLDocument (12) or wdFormatDocumentDefault (16) writes docx, as does
  // a ".docx" name with no format given; otherwise the native format.
  void SaveAs(const std::string& fileName, int32_t fileFormat = -1);
  // The format the document is saved in by Save (that of the file it came from or went to).
  int32_t SaveFormat() const { return saveFormat_; }
  // Closes the document; `saveChanges`: wdSaveChanges (-1) saves first, others do not.
  void Close(int32_t saveChanges = 0);
  void Activate();

  // Floating shapes, back to front (ZOrderPosition = index + 1).
  const std::vector<std::shared_ptr<Shape>>& ShapeList() const { return shapes_; }
  // A new shape goes in front of all the others.
  void AddShape(std::shared_ptr<Shape> s);
  // The index of `s` in ShapeList (a search by its z-order key), or SIZE_MAX when it is not there.
  size_t ShapeIndex(const Shape* s) const;
  // Whether a floating shape is anchored in [from, to): a search of the anchors, not of every
  // shape.
  bool HasShapeAnchoredIn(int64_t from, int64_t to) const;
  // The floating shapes whose anchor lies in [from, to] (both ends included), in anchor order: a
  // search of the anchors, not of every shape.
  std::vector<Shape*> ShapesAnchoredIn(int64_t from, int64_t to) const;
  void RemoveShape(const Shape* s);
  void MoveShape(const Shape* s, size_t newIndex);
  PropertyStore& Properties() { return *props_; }
  PageSetupData& Page() { return *page_; }
  // The width between the margins, rounded to whole points.
  double TextWidth() const;
  // Reads a document file into this (empty) document; used by Documents.Open.
  void LoadFrom(const std::filesystem::path& file);
  void SetName(std::string name) { name_ = std::move(name); }
  void SetFile(std::filesystem::path file);
  // Called by Documents when the document leaves the collection.
  void MarkClosed();
  std::shared_ptr<Shape> NewShapeName(const std::shared_ptr<Shape>& s);

 private:
  // Takes `s` off the list of shapes (nullptr when it is not there).
  std::shared_ptr<Shape> TakeShape(const Shape* s);

  Application* app_;
  std::unique_ptr<Story> story_;
  std::vector<std::shared_ptr<Shape>> shapes_;
  std::unique_ptr<PropertyStore> props_;
  std::unique_ptr<PageSetupData> page_;
  std::shared_ptr<word::Window> window_;
  std::string name_;
  std::filesystem::path file_;
  bool saved_ = true;
  bool closed_ = false;
  bool formsDesign_ = false;
  bool snapToGrid_ = true;
  bool snapToShapes_ = false;
  bool userControl_ = true;
  int shapeCounter_ = 0;
  int32_t saveFormat_ = 0;
};

}  // namespace qv::word
