#pragma once
// A single-selection list. Entries are texts in list order, counted from 0; ListIndex is the
// selected entry (-1: none). Selecting an entry, by the program or the user, raises Click, as the
// host's list does; the text of a list is the selected entry's text ("" without a selection).

#include <string>
#include <vector>

#include "ui/control.h"

namespace qv::ui {

class ListBox : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  bool TakesFocus() const override { return true; }

  // Adds an entry at the end, or before entry `index`; an index beyond the end raises 5.
  void AddItem(const std::string& item, int32_t index = -1);
  // Removes entry `index`; the selection follows its entry, or is cleared with it.
  void RemoveItem(int32_t index);
  void Clear();
  // The entry at `index`; an index outside the list reads as "" (as the host's list does).
  std::string List(int32_t index) const;
  // Replaces entry `index`; raises 381 outside the list.
  void List(int32_t index, const std::string& item);
  int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
  int32_t ListIndex() const { return listIndex_; }
  // Selects entry `index` (-1: none) and raises Click when the selection changes; an index
  // outside -1..ListCount-1 raises 380 "Invalid property value".
  void ListIndex(int32_t index);

  std::string Text() const override;
  // Selects the first entry with exactly this text; a text not in the list leaves no selection.
  void Text(const std::string& text) override;

  // The user double-clicks entry `index`: it is selected (Click), then DblClick.
  void DblClickItem(int32_t index);

 private:
  std::vector<std::string> items_;
  int32_t listIndex_ = -1;
};

// A check box. Value is 0 (unchecked), 1 (checked) or 2 (grayed); a change of Value raises
// Click, and the user's click toggles between 0 and 1.
class CheckBox : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  bool TakesFocus() const override { return true; }

  int32_t Value() const { return value_; }
  // Raises 380 outside 0..2.
  void Value(int32_t value);
  void Click() override;

 private:
  int32_t value_ = 0;
};

}  // namespace qv::ui
