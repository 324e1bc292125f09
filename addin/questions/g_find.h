#pragma once
// Module G's ways of finding questions in a document: the guard every inserting command runs
// first, the question at the selection (through nested tables, or through one selected floating
// shape), and what a question class needs to place new rows and shapes.

#include <cstdint>
#include <memory>
#include <optional>

namespace qv::word {
class Document;
class InlineShape;
class Selection;
class Table;
}  // namespace qv::word

namespace qv::addin {

// EverythingOK modes: what the command is about to insert (any other mode refuses silently).
inline constexpr int32_t kInsertingQuestion = 1;
inline constexpr int32_t kInsertingPageBreak = 2;

// Whether a command may insert at the selection of the active document: false when the word
// processor was started by another program (after showing help page 1001 and reporting it), or
// when the selection lies in a question (after telling the author, for modes 1 and 2). Never
// raises.
bool EverythingOK(int32_t mode);

// The question table at the document's selection, or null: the innermost table of the selection
// and the tables enclosing it, or the question a single selected floating shape is anchored in.
// Never raises; errors are reported.
std::shared_ptr<word::Table> GetCurrentQuestion(const std::shared_ptr<word::Document>& doc);

// Switches the active window (or its active pane, when split) from normal view to print layout.
void EnsurePrintView();

// The first table of the main text whose range holds the picture; null when none does.
std::shared_ptr<word::Table> FindTableOfShape(const std::shared_ptr<word::InlineShape>& picture,
                                              const std::shared_ptr<word::Document>& doc);
// The number of floating shapes anchored inside the table's range.
int32_t CountShapesInTable(const std::shared_ptr<word::Table>& table);
// The z-order position a new floating answer shape of the question should take: below the
// lowest shape that carries a `type`, when that lies below the highest plain answer shape;
// otherwise the highest plain answer shape's position.
int32_t NextShapeZOrder(const std::shared_ptr<word::Table>& table);
// The number of floating shapes in the selection; empty when it cannot be read.
std::optional<int32_t> SelectedShapeCount(word::Selection& selection);

// The widths (whole points) of the picture column and the text column of the answer rows of the
// selection's first table: those of the first row with two cells and a picture in cell 1, else
// 20 and the text width minus 20.
int32_t AnswerImageColumnWidth(word::Selection& selection);
int32_t AnswerTextColumnWidth(word::Selection& selection);

}  // namespace qv::addin
