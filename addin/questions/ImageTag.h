#pragma once
// The drag-and-drop question (type code 6): the body row is an area of fixed height holding
// floating items, pictures and text labels, each fixed (background) or moveable (blue outline).
// The author leaves each moveable item where the learner must put it. Automation clients reach
// it as "KZOWord.ImageTag".

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Document;
class Shape;
class Table;
}  // namespace qv::word

namespace qv::addin {

class ImageTag : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Builds a question with an empty 100-point drop area as wide as the text at the insertion
  // point of the active document (of a new one when none is open). Errors are reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  void DeleteAnswer(const std::shared_ptr<word::Document>& doc);
  // Complete when the drop area holds a moveable item; pictures pasted into the area become
  // fixed items first. Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // Asks fixed or moveable and for a picture file, and adds the picture as an item.
  void InsertPic(const std::shared_ptr<word::Document>& doc);
  // Asks fixed or moveable and adds a white text label.
  void InsertTag(const std::shared_ptr<word::Document>& doc);
  // Gives a floating shape the look, marker and z-order place of an item.
  void FormatShape(const std::shared_ptr<word::Shape>& shape,
                   const std::shared_ptr<word::Table>& table, bool moveable);
  // The attribute form of the question's own attributes (points, partial credit, feedback).
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);
};

}  // namespace qv::addin
