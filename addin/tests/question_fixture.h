#pragma once
// What the question-table tests share: a fresh profile, a scripted user, a word processor
// registered as the running one with one empty document, the add-in's settings initialised with
// the marker pictures in a picture folder of the profile, and helpers to place the insertion
// point and to read a document's rendering without its random question identifiers.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/g_construction.h"
#include "addin/settings/g_state.h"
#include "addin/settings/init_settings.h"
#include "platform/testing/temp_profile.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/render.h"
#include "word/running_application.h"
#include "word/selection.h"
#include "word/table.h"
#include "word/tests/word_test_support.h"

namespace qv::addin::testing {

class QuestionTest : public ::testing::Test {
 protected:
  qv::testing::TempProfile profile;
  std::shared_ptr<ui::ScriptedDriver> driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit{ui::App("Word", "", "word"), driver};
  std::shared_ptr<word::Application> app;
  std::shared_ptr<word::Document> doc;
  GState saved = G();

  void SetUp() override {
    app = std::make_shared<word::Application>();
    word::RegisterRunningApplication(app);
    InitSettings();
    const auto images = profile.Dir() / "Img";
    std::filesystem::create_directories(images);
    for (const char* name : {"1x1.gif", "radio_blk.gif", "chk_blk.gif", "textbox.gif", "LO.gif"})
      word::testing::WritePicture(images, name, "gif", 1, 1);
    G().IMG_PATH = images.string() + "/";
    doc = app->Documents()->Add();
  }

  void TearDown() override {
    word::UnregisterRunningApplication(app.get());
    G() = saved;
  }

  // Builds the empty question table of `type` at the insertion point of the active document.
  std::shared_ptr<word::Table> Build(int32_t type) {
    auto progress = dlgProgress::Create();
    auto table = SetupTable(type, app, *progress);
    progress->DONE();
    return table;
  }

  // Puts text at the insertion point and leaves the insertion point after it.
  void Type(const std::string& text) { doc->Selection()->TypeText(text); }

  void PlaceAt(int64_t position) { doc->Selection()->SelectText(position, position); }
  void PlaceAtEnd() { PlaceAt(doc->Content()->End() - 1); }
  // The insertion point at the end of the text of cell (row, column) of `table`.
  void PlaceInCell(const std::shared_ptr<word::Table>& table, int32_t row, int32_t column) {
    auto cell = table->Cell(row, column);
    PlaceAt(cell->EndMark());
  }

  // The box nested in the merged cell of `row` (help box, question text box).
  std::shared_ptr<word::Table> NestedBox(const std::shared_ptr<word::Table>& table, int32_t row) {
    const int64_t start = table->Cell(row, 1)->Start();
    return doc->Range(start, start)->Tables()->Item(1);
  }

  // The document's rendering with every question identifier written as 16 "#".
  std::string Rendering() const { return WithoutIds(word::RenderDocument(*doc)); }
  // `text` with every question identifier ("qID=" and 16 letters or digits) written as 16 "#".
  static std::string WithoutIds(std::string text) {
    const auto isIdChar = [](char c) {
      return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    for (size_t at = text.find("qID="); at != std::string::npos; at = text.find("qID=", at + 4)) {
      const size_t id = at + 4;
      if (text.size() - id >= 16 &&
          std::all_of(text.begin() + id, text.begin() + id + 16, isIdChar))
        text.replace(id, 16, 16, '#');
    }
    return text;
  }

  // The text of a cell without its structure characters and paragraph marks.
  static std::string RangeTextOf(const std::shared_ptr<word::Cell>& cell) {
    std::string text = cell->Range()->Text();
    std::erase_if(text, [](char c) { return c == '\a' || c == '\r'; });
    return text;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& entry : driver->Transcript())
      if (entry->kind == ui::EntryKind::MessageBox) out.push_back(entry->text);
    return out;
  }
};

}  // namespace qv::addin::testing
