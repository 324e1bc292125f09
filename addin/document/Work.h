#pragma once
// Work: the public document-processing class of the add-in ("KZOWord.Work"). Automation clients
// outside the library insert and remove web page breaks with it, validate a whole document before
// it goes to the course host, and turn the pictures of an old three-row question into floating
// shapes.

#include <memory>

#include "automation/dispatch.h"

namespace qv::word {
class Document;
class Range;
class Table;
}  // namespace qv::word

namespace qv::addin {

inline constexpr const char* kProgIdWork = "KZOWord.Work";

class Work : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Stamps the document as a course document and inserts a web page break at its insertion
  // point. Always false.
  bool InsertBreak(word::Document& doc);
  // Removes the break marker selected in the document. Always false.
  bool DeleteBreak(word::Document& doc);
  // A table of exactly 3 rows gets every picture of row 3 turned into a floating shape; true
  // when at least one was.
  bool UpdateQTable(word::Table& table);
  // Checks every question of a course document; see validate_doc.h.
  bool ValidateDoc(const std::shared_ptr<word::Document>& doc);
  // Records the page titles and types of a course document and saves it; true when they were
  // recorded, false when the document is not a course document.
  bool ProcessKZOInfo(word::Document& doc);
  // Turns pictures pasted into a drag-and-drop or hot-spot question at `range` into its items.
  // Always true.
  bool ProcessPaste(word::Range& range, word::Document& doc);
};

}  // namespace qv::addin
