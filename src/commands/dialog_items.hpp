// Building blocks of the commands' static dialog tables and their error box.
#ifndef QUILLET_DIALOG_ITEMS_HPP
#define QUILLET_DIALOG_ITEMS_HPP

#include <string>

#include "far/far_api.hpp"

// One dialog item; `selected` is the check or radio state.
FarDialogItem DialogItem(int type, int x1, int y1, int x2, int y2, int focus, int selected,
                         DWORD flags, int defaultButton, const char *text);
// An edit line that keeps its history under `history`.
FarDialogItem HistoryEdit(int x1, int y1, int x2, int focus, const char *history, DWORD flags);

// Runs a dialog of `count` items, centred, `width` by `height`, no help topic.
int RunDialog(FarDialogItem *items, int count, int width, int height);

// The warning box with one OK button; `text` is "Error\n<line>".
void ShowErrorBox(const char *text);

// The text of an edit item, cut to at most `maxChars` characters.
std::string EditValue(const FarDialogItem &item, size_t maxChars);
// True when the edit item holds no text.
inline bool EditEmpty(const FarDialogItem &item) { return item.Data[0] == '\0'; }

#endif
