#pragma once
// The neutral quiz: what a course document holds once its question tables and markers are read,
// free of the word processor. Every writer (QTI 3.0, 2.1, 1.2, Moodle XML, the learner preview)
// reads only this model, so a question type is understood once.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qv::exporter {

// A picture of the document, stored once however often it is used.
struct Picture {
  std::string file;    // the name it is written under: "img1.png", ...
  std::string format;  // "gif", "png", "jpeg", "bmp"
  std::string bytes;
  int32_t pixelWidth = 0;
  int32_t pixelHeight = 0;
  std::string MimeType() const;
};

// Geometry in points, relative to the top left corner of the question's area.
struct Box {
  double left = 0, top = 0, width = 0, height = 0;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

struct Answer {
  std::string text;
  bool correct = false;
};

struct Blank {
  std::vector<std::string> accepted;  // each accepted answer, trimmed, in the author's order
  int32_t width = 20;                 // characters (`w`)
  int32_t height = 1;                 // lines (`h`)
};

// A drag-and-drop item: a label or a picture, fixed or moveable, at its authored place.
struct Item {
  bool moveable = false;
  std::string label;     // empty for a picture
  int32_t picture = -1;  // index into Quiz::pictures, or -1
  Box box;
};

// Hot-spot areas by the outline of their auto-shape.
enum class AreaShape { Rectangle, Ellipse, Polygon };

struct Area {
  AreaShape shape = AreaShape::Rectangle;
  int32_t autoShapeType = 1;
  Box box;
  // Corner points of a polygon, in points of the area (only for AreaShape::Polygon).
  std::vector<std::pair<double, double>> points;
};

enum class QuestionKind {
  SingleChoice,    // 0, 9
  MultipleChoice,  // 1
  SingleChoiceWithBlank,
  MultipleChoiceWithBlank,
  FillInTheBlank,  // 5
  DragAndDrop,     // 6
  HotSpot,         // 7
  ShortAnswer      // 10
};

// The sentence of the blank types: text pieces with blanks between them; pieces.size() is
// blanks.size() + 1.
struct Sentence {
  std::vector<std::string> pieces;
  std::vector<Blank> blanks;
};

struct Question {
  int32_t typeCode = 0;
  QuestionKind kind = QuestionKind::SingleChoice;
  std::string id;          // the document's qID as stored
  std::string identifier;  // an XML name made from it, unique in the quiz
  std::string text;        // the question text (row 3)
  double points = 0;
  bool partial = false;
  std::string correctFeedback;    // pcomm
  std::string incorrectFeedback;  // fcomm
  std::vector<Answer> answers;    // choice types
  Sentence sentence;              // blank types
  // Picture questions: the area's size, its pictures (hot spot: the first is the background),
  // drag-and-drop items and hot-spot areas, back to front.
  Box area;
  std::vector<int32_t> pictures;
  std::vector<Box> pictureBoxes;
  std::vector<Item> items;
  std::vector<Area> areas;
  // Short answer: the answer box the author sized, in points, and the lines it holds.
  Box answerBox;
  int32_t expectedLines = 1;
  int32_t expectedLength = 0;

  bool IsTrueFalse() const { return typeCode == 9; }
  bool MultipleCorrect() const {
    return kind == QuestionKind::MultipleChoice || kind == QuestionKind::MultipleChoiceWithBlank;
  }
  bool HasChoices() const { return !answers.empty(); }
  bool HasBlanks() const { return !sentence.blanks.empty(); }
  int32_t CorrectCount() const;
};

enum class PageKind { Text, Questions };

struct Page {
  PageKind kind = PageKind::Text;
  std::string title;                    // the short title of its first text or question
  std::vector<std::string> paragraphs;  // a text page's text
  std::vector<int32_t> pictures;        // a text page's pictures
  std::vector<Question> questions;
};

struct Quiz {
  std::string title;
  std::vector<Page> pages;
  std::vector<Picture> pictures;

  std::vector<const Question*> Questions() const;
  double TotalPoints() const;
};

// The short name of each question type, as writers and messages use it.
const char* KindName(QuestionKind kind);

}  // namespace qv::exporter
