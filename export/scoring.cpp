#include "export/scoring.h"

namespace qv::exporter {

ScoreRule RuleOf(const Question& q) {
  ScoreRule rule;
  rule.allOrNothing = !q.partial;
  switch (q.kind) {
    case QuestionKind::ShortAnswer:
      rule.manual = true;
      return rule;
    case QuestionKind::DragAndDrop:
    case QuestionKind::HotSpot:
      rule.parts = 1;
      break;
    default:
      rule.parts = (q.HasChoices() ? 1 : 0) + static_cast<int32_t>(q.sentence.blanks.size());
  }
  if (rule.parts == 0) return rule;
  rule.share = q.points / rule.parts;
  if (const int32_t correct = q.CorrectCount(); q.MultipleCorrect() && correct > 0)
    rule.choiceStep = rule.share / correct;
  int32_t moveable = 0;
  for (const auto& item : q.items)
    moveable += item.moveable ? 1 : 0;
  if (moveable > 0) rule.itemStep = rule.share / moveable;
  return rule;
}

}  // namespace qv::exporter
