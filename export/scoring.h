#pragma once
// How a question's points are earned, once for every writer and the learner preview. A question
// is made of parts: its choice (when it has answers), each blank, its moveable items together
// (drag and drop), its areas (hot spot). The points are shared equally among the parts.
//
// Without partial credit a learner earns all the points when every part is right, else none.
// With partial credit each part earns its share: a blank when its answer is one of the accepted
// ones (exact, case-sensitive, blanks at both ends ignored); a choice with one correct answer when
// it is chosen; a choice with several correct answers earns share / (number correct) for each
// correct answer ticked and loses as much for each wrong one, never below nothing; moveable
// items earn share / (number moveable) each, when dropped on their own place. A click inside any
// area of a hot spot earns its points. A short answer is marked by a person and earns nothing
// automatically.

#include "export/quiz_model.h"

namespace qv::exporter {

struct ScoreRule {
  int32_t parts = 0;
  double share = 0;       // the points of one part
  double choiceStep = 0;  // several correct answers: the value of one right (or wrong) tick
  double itemStep = 0;    // drag and drop: the value of one item on its place
  bool allOrNothing = true;
  bool manual = false;  // short answer
};

ScoreRule RuleOf(const Question& q);

}  // namespace qv::exporter
