#include "addin/questions/g_construction.h"

#include <cmath>
#include <optional>
#include <string>

#include "addin/constants.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/document/page_breaks.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_ids.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "word/application.h"
#include "word/custom_properties.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/formatting.h"
#include "word/inline_shape.h"
#include "word/page_setup.h"
#include "word/selection.h"
#include "word/table.h"
#include "word/templates.h"
#include "word/window.h"

namespace qv::addin {
namespace {

using automation::Variant;

constexpr int32_t kDarkGrey = 0x666666;

struct TableSize {
  int32_t rows;
  int32_t columns;
};

TableSize TableSizeFor(int32_t type) {
  const int32_t answers = G().numAs;
  switch (type) {
    case kMultipleChoice:
    case kMultipleResponse:
      return {answers + 3, 2};
    case kMultipleChoiceFIB:
    case kMultipleResponseFIB:
      return {answers + 4, 2};
    case kTrueFalse:
      return {5, 2};
    default:
      return {4, 1};
  }
}

void SetTablePaddings(word::Table& table, double points) {
  auto& padding = table.MutableFmt().padding;
  padding = {points, points, points, points};
}

void SetCellPaddings(word::Cell& cell, double points) {
  for (auto side : {word::kTop, word::kBottom, word::kLeft, word::kRight})
    cell.SetPadding(side, points);
}

// A nested 1 x 1 box in a cell of the question table, as the word processor makes a new table.
std::shared_ptr<word::Table> AddBox(word::Document& doc, word::Cell& cell) {
  return doc.Tables()->Add(cell.Range(), 1, 1, word::wdWord9TableBehavior, word::wdAutoFitWindow);
}

void FullWidth(word::Table& box) {
  box.MutableFmt().preferredWidthType = word::wdPreferredWidthPercent;
  box.MutableFmt().preferredWidth = 100;
}

// Reads a custom property as a number: nullopt when missing; the number otherwise (a value that
// is not a number reads as -1, which no step of the stamp acts on).
std::optional<int32_t> NumericProperty(word::Document& doc, const std::string& name) {
  auto* property = doc.Properties().Find(name);
  if (!property) return std::nullopt;
  automation::ErrorsIgnored ignore;
  return ignore.Value([&] { return property->value.ToInt32(); }, -1);
}

std::string CourseHostForStamp() {
  const std::string& host = G().strHost;
  return host.substr(std::min(host.size(), host.find_first_not_of(' ')));
}

}  // namespace

std::shared_ptr<word::Table> SetupTable(int32_t type, const std::shared_ptr<word::Application>& app,
                                        dlgProgress& progress) {
  int step = 0;
  return automation::TrapValue(
      [&]() -> std::shared_ptr<word::Table> {
        step = 1;
        if (!app) automation::Raise(automation::err::kObjectNotSet);
        auto doc = app->Documents()->Count() == 0 ? app->Documents()->Add() : app->ActiveDocument();
        step = 2;
        if (!EverythingOK(kInsertingQuestion)) return nullptr;
        step = 3;
        auto selection = doc->Selection();
        if (BreakNeededBefore(type, *doc)) {
          InsertBreakAtSelection(*doc);
        } else {
          // Room for the table: an empty paragraph of its own, clear of the text around it.
          selection->InsertBefore("\r\n");
          selection->Collapse(word::wdCollapseStart);
          selection->InsertBefore("\r\n");
          selection->InsertAfter("\r\n");
          selection->Collapse(word::wdCollapseEnd);
          selection->MoveEnd(word::wdCharacter, -1);
        }
        step = 4;
        const TableSize shape = TableSizeFor(type);
        if (!HasChoiceAnswers(type)) {
          // Pictures and answer shapes of these types are placed freely over the question.
          doc->SetSnapToGrid(false);
          doc->SetSnapToShapes(true);
        }
        step = 5;
        progress.Show(ui::vbModeless);
        progress.AddMessage("Creating " + G().typeNames.At(type) + " Question...");
        step = 6;
        if (doc->FormsDesign()) doc->ToggleFormsDesign();
        step = 7;
        progress.AddMessage("Creating Table...");
        step = 8;
        selection->MoveEnd(word::wdCharacter, 1);
        selection->Collapse(word::wdCollapseEnd);
        step = 9;
        auto table = doc->Tables()->Add(selection->Range(), shape.rows, shape.columns);
        step = 10;
        auto paragraphs = table->Range()->ParagraphFormat();
        paragraphs->SetKeepTogether(true);
        paragraphs->SetKeepWithNext(true);
        paragraphs->SetSpaceAfter(0);
        step = 11;
        table->Borders()->SetEnable(false);
        step = 12;
        const auto& page = doc->PageSetup()->Data();
        const double textWidth =
            std::nearbyint(page.pageWidth - page.leftMargin - page.rightMargin);
        step = 13;
        progress.AddMessage("Setting up elements...");
        step = 14;
        table->AutoFitBehavior(word::wdAutoFitFixed);
        step = 15;
        auto borders = table->Rows()->Borders();
        borders->Item(word::wdBorderVertical)->SetLineStyle(word::wdLineStyleSingle);
        borders->Item(word::wdBorderVertical)->SetColor(word::wdColorBlack);
        step = 16;
        borders->SetShadow(false);
        step = 17;
        borders->Item(word::wdBorderHorizontal)->SetLineStyle(word::wdLineStyleSingle);
        borders->Item(word::wdBorderHorizontal)->SetColor(kDarkGrey);
        step = 18;
        for (int32_t r = 1; r <= 3; ++r) {
          auto row = table->Rows()->Item(r);
          auto cells = row->Cells();
          cells->Merge();
          row->Cells()->SetWidth(textWidth);
          if (r < 3) row->Range()->Font()->SetColor(word::wdColorWhite);
        }
        step = 19;
        table->Cell(1, 1)->SetPadding(word::kTop, 2);
        table->Cell(2, 1)->SetPadding(word::kTop, 2);
        step = 20;
        table->Shading()->SetBackgroundPatternColor(word::wdColorBlack);
        step = 21;
        {
          auto font = table->Range()->Font();
          font->SetColor(word::wdColorBlack);
          font->SetName("Arial");
          font->SetSize(1);
        }
        step = 22;
        progress.AddMessage("Adding title...");
        step = 23;
        {
          auto cell = table->Cell(1, 1);
          doc->InlineShapes()->AddPicture(G().IMG_PATH + "1x1.gif", false, true, cell->Range());
          auto marker = cell->Range()->InlineShapes()->Item(1);
          marker->SetAlternativeText(kQuestionMarker + std::to_string(type) + "&qID=" + NewID(16) +
                                     "&points=10");
          marker->SetWidth(1);
          marker->SetHeight(1);
          marker->Borders()->SetEnable(false);
          step = 24;
          cell->Range()->Font()->SetSize(1);
          SetCellPaddings(*cell, 0);
        }
        step = 25;
        progress.AddMessage("Adding User help...");
        step = 26;
        {
          auto help = AddBox(*doc, *table->Cell(2, 1));
          help->Borders()->SetEnable(true);
          help->Borders()->SetOutsideColor(word::wdColorBlack);
          step = 27;
          const std::string& instructions = G().authorInstructions.At(type);
          if (!instructions.empty()) {
            help->Range()->Font()->SetSize(10);
            help->Range()->Font()->SetColor(word::wdColorWhite);
            help->Range()->InsertAfter(instructions);
          } else {
            help->Range()->Font()->SetSize(1);
          }
          step = 28;
          help->Range()->Font()->SetName("Arial");
          FullWidth(*help);
          help->Shading()->SetBackgroundPatternColor(word::wdColorBlack);
          SetTablePaddings(*help, 0);
        }
        step = 29;
        SetCellPaddings(*table->Cell(3, 1), 1);
        step = 30;
        {
          auto box = AddBox(*doc, *table->Cell(3, 1));
          box->Range()->Font()->SetColor(word::wdColorBlack);
          box->Borders()->SetEnable(false);
          FullWidth(*box);
          box->Range()->Font()->SetSize(12);
          box->Shading()->SetBackgroundPatternColor(word::wdColorWhite);
          step = 31;
          box->Range()->InsertAfter(G().questionPrompts.At(type) + "\r\n");
        }
        step = 32;
        table->Select();
        selection->Collapse(word::wdCollapseEnd);
        step = 33;
        if (BreakNeededAfter(type, *doc)) InsertBreakAtSelection(*doc);
        step = 34;
        return table;
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "G.SetupTable [" + std::to_string(step) + "]", e.number, true);
      },
      std::shared_ptr<word::Table>());
}

void FinishQuestion(const std::shared_ptr<word::Table>& table,
                    const std::shared_ptr<word::Document>& doc) {
  if (!table || !doc) automation::Raise(automation::err::kObjectNotSet);
  auto selection = doc->Selection();
  table->Select();
  selection->Collapse(word::wdCollapseEnd);
  selection->InsertBefore("\r\n");
  selection->Collapse(word::wdCollapseEnd);
  StampDocument(*doc);
  auto prompt = table->Cell(3, 1)->Range();
  prompt->MoveEnd(word::wdParagraph, -3);
  prompt->MoveEnd(word::wdCharacter, -1);
  prompt->Collapse(word::wdCollapseEnd);
  prompt->Select();
  doc->ActiveWindow()->ScrollIntoView(table->Range());
  doc->Activate();
}

void StampDocument(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  auto installMenus = [&] {
    ignore([&] { doc.App()->AddIns()->Item(Variant(G().menusTemplatePath))->SetInstalled(true); });
  };
  const std::optional<int32_t> converted = NumericProperty(doc, "KZOConvert");
  if (!converted) {
    ignore([&] {
      doc.CustomDocumentProperties()->Add("KZOConvert", false, word::msoPropertyTypeString,
                                          Variant(std::to_string(kConvertedMark)));
    });
    installMenus();
  } else if (*converted == kConvertedMark - 1) {
    ignore([&] {
      doc.CustomDocumentProperties()
          ->Item(Variant("KZOConvert"))
          ->SetValue(Variant(std::to_string(kConvertedMark)));
    });
    installMenus();
  } else if (*converted == kConvertedMark) {
    installMenus();
  }
  // Ver and Site say which version of the add-in last wrote the document, and for which course.
  const std::string host = CourseHostForStamp();
  ignore([&] { SetTextProperty(doc, "Ver", kVersionNo); });
  ignore([&] { SetTextProperty(doc, "Site", host); });
}

void SetTextProperty(word::Document& doc, const std::string& name, const std::string& value) {
  auto props = doc.CustomDocumentProperties();
  if (doc.Properties().Find(name))
    props->Item(Variant(name))->SetValue(Variant(value));
  else
    props->Add(name, false, word::msoPropertyTypeString, Variant(value));
}

bool IsConvertedDocument(word::Document& doc, int32_t value) {
  automation::ErrorsIgnored ignore;
  return ignore.Value(
      [&] {
        auto* property = doc.Properties().Find("KZOConvert");
        return property != nullptr && property->value.ToInt32() == value;
      },
      false);
}

}  // namespace qv::addin
