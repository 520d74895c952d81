// Dialog items and the host's dialog.
#include "ui/dialog.hpp"

#include <string.h>

#include "host/host.hpp"
#include "runner/run_check.hpp"

FarDialogItem DialogItem(int type, int x1, int y1, int x2, int y2, int focus, int selected,
                         DWORD flags, int defaultButton, const char *text) {
  FarDialogItem item;
  memset(&item, 0, sizeof item);
  item.Type = type;
  item.X1 = x1;
  item.Y1 = y1;
  item.X2 = x2;
  item.Y2 = y2;
  item.Focus = focus;
  item.Selected = selected;
  item.Flags = flags;
  item.DefaultButton = defaultButton;
  CopyToField(item.Data, text);
  return item;
}

FarDialogItem HistoryEdit(int x1, int y1, int x2, int focus, const char *history, DWORD flags,
                          const std::string &text) {
  FarDialogItem item = DialogItem(DI_EDIT, x1, y1, x2, 0, focus, 0, flags, 0, text.c_str());
  item.History = history;
  return item;
}

int RunDialog(FarDialogItem *items, int count, int width, int height) {
  NoteUserPause();
  return HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, width, height, nullptr, items, count);
}

std::string EditValue(const FarDialogItem &item, size_t maxChars) {
  // The host keeps the field terminated; strnlen guards a field it did not.
  size_t length = strnlen(item.Data, sizeof item.Data);
  if (length > maxChars) length = maxChars;
  return std::string(item.Data, length);
}
