#pragma once
// What the tests of the picture questions share: picture files of a given size in points, the
// scripted author's answers to the chooser and the file dialog, and readers of the floating
// shapes anchored in a question.

#include <string>
#include <vector>

#include "addin/tests/question_fixture.h"
#include "word/shape.h"

namespace qv::addin::testing {

class PictureQuestionTest : public QuestionTest {
 protected:
  // A GIF picture the word processor shows `width` x `height` points large (multiples of 3).
  std::string Picture(const std::string& name, int width, int height) {
    return word::testing::WritePicture(profile.Dir(), name, "gif", width * 4 / 3, height * 4 / 3)
        .string();
  }

  // The author's answer to the next chooser: its button, or its close box ("").
  void ChooseNext(const std::string& button) {
    driver->OnFormOnce("dlgMoveFixed", [button](ui::Form& form) {
      if (!button.empty()) form.Controls(button).Click();
    });
  }

  // The floating shapes anchored in the table, back to front.
  std::vector<std::shared_ptr<word::Shape>> ShapesIn(const std::shared_ptr<word::Table>& table) {
    return table->Range()->ShapeRange()->List();
  }

  std::shared_ptr<word::Table> Question() { return doc->Tables()->Item(1); }
  // The insertion point in the question's area.
  void PlaceInArea() { PlaceInCell(Question(), 4, 1); }
};

}  // namespace qv::addin::testing
