// The host's dialogs: their items, and showing them.
#ifndef QUILLET_UI_DIALOG_HPP
#define QUILLET_UI_DIALOG_HPP

#include <string>
#include <vector>

#include "far/far_api.hpp"

// One dialog item; `selected` is the check or radio state.
FarDialogItem DialogItem(int type, int x1, int y1, int x2, int y2, int focus, int selected,
                         DWORD flags, int defaultButton, const char *text);
// An edit line that keeps its history under `history`, holding `text`.
FarDialogItem HistoryEdit(int x1, int y1, int x2, int focus, const char *history, DWORD flags,
                          const std::string &text = std::string());

// Runs a dialog of `count` items, centred, `width` by `height`, no help topic.
int RunDialog(FarDialogItem *items, int count, int width, int height);

// The text of an edit item, cut to at most `maxChars` characters.
std::string EditValue(const FarDialogItem &item, size_t maxChars);
// True when the edit item holds no text.
inline bool EditEmpty(const FarDialogItem &item) { return item.Data[0] == '\0'; }

// A dialog built item by item: each Add gives the item's index, which the
// caller keeps under a name, and the host receives the items in the order
// they were added.  What the user leaves in the dialog is read back by
// index after Run, into the command's own remembered state.
class DialogBuilder {
 public:
  int Add(const FarDialogItem &item) {
    items_.push_back(item);
    return static_cast<int>(items_.size()) - 1;
  }
  // Shows the dialog; the index of the item that closed it, or -1.
  int Run(int width, int height) {
    return RunDialog(items_.data(), static_cast<int>(items_.size()), width, height);
  }
  FarDialogItem &operator[](int index) { return items_[static_cast<size_t>(index)]; }
  bool Selected(int index) const { return items_[static_cast<size_t>(index)].Selected != 0; }
  // The text of an edit item, cut to at most `maxChars` characters.
  std::string Value(int index, size_t maxChars = sizeof(FarDialogItem{}.Data)) const {
    return EditValue(items_[static_cast<size_t>(index)], maxChars);
  }
  bool Empty(int index) const { return EditEmpty(items_[static_cast<size_t>(index)]); }

 private:
  std::vector<FarDialogItem> items_;
};

#endif
