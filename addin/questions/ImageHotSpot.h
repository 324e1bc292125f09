#pragma once
// The hot-spot question (type code 7): the body row is an area of fixed height holding pictures
// and, laid over them, translucent grey answer areas of any auto-shape type that mark the spots
// the learner must click. Automation clients reach it as "KZOWord.ImageHotSpot".

#include <cstdint>
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

class ImageHotSpot : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Builds a question with an empty 100-point area as wide as the text. Errors are reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  void DeleteAnswer(const std::shared_ptr<word::Document>& doc);
  // Complete with an answer area and a picture in the area; pictures pasted into the area
  // become pictures of the question first. Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // Asks for a picture file and adds the picture behind the answer areas.
  void InsertPic(const std::shared_ptr<word::Document>& doc);
  // Adds an answer area of auto-shape type `shapeType` (1 rectangle, 9 oval, ...).
  void InsertShape(const std::shared_ptr<word::Document>& doc, int16_t shapeType);
  // Gives a floating shape the look, marker and z-order place of a picture of the question.
  void FormatShape(const std::shared_ptr<word::Shape>& shape,
                   const std::shared_ptr<word::Table>& table);
  // The attribute form of the question's own attributes (points, partial credit, feedback).
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);
};

}  // namespace qv::addin
