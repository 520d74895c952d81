// Dialog focus, radio groups, check boxes, edit lines, histories and the
// write-back on close.
#include "core/dialog_model.hpp"

#include <string.h>

#include "far/field_text.hpp"

namespace hostcore {

namespace {
int Count(const DialogModel &dialog) { return static_cast<int>(dialog.Items.size()); }
bool HasHistory(const FarDialogItem &item) {
  return IsEditLine(item) && (item.Flags & DIF_HISTORY) && item.History != nullptr;
}
}  // namespace

bool IsEditLine(const FarDialogItem &item) {
  return item.Type == DI_EDIT || item.Type == DI_PSWEDIT || item.Type == DI_FIXEDIT;
}

bool IsFocusable(const FarDialogItem &item) {
  return IsEditLine(item) || item.Type == DI_BUTTON || item.Type == DI_CHECKBOX ||
         item.Type == DI_RADIOBUTTON;
}

DialogModel NewDialog(INT_PTR pluginNumber, int x1, int y1, int x2, int y2, const char *helpTopic,
                      const FarDialogItem *items, int count, const HistoryStore &histories) {
  DialogModel dialog;
  dialog.PluginNumber = pluginNumber;
  dialog.X1 = x1;
  dialog.Y1 = y1;
  dialog.X2 = x2;
  dialog.Y2 = y2;
  dialog.HelpTopic = helpTopic != nullptr ? helpTopic : "";
  if (items != nullptr && count > 0) dialog.Items.assign(items, items + count);
  for (FarDialogItem &item : dialog.Items) {
    if (HasHistory(item) && (item.Flags & DIF_USELASTHISTORY) && item.Data[0] == '\0')
      CopyToField(item.Data, LastInHistory(histories, item.History).c_str());
  }
  for (int i = 0; i < Count(dialog) && dialog.Focus < 0; ++i) {
    const FarDialogItem &item = dialog.Items[static_cast<size_t>(i)];
    if (IsFocusable(item) && item.Focus) dialog.Focus = i;
  }
  if (dialog.Focus < 0) MoveFocus(dialog, 1);
  return dialog;
}

void MoveFocus(DialogModel &dialog, int step) {
  int count = Count(dialog);
  if (count == 0) return;
  step = step < 0 ? -1 : 1;
  int at = dialog.Focus;
  if (at < 0) at = step > 0 ? -1 : count;
  for (int tries = 0; tries < count; ++tries) {
    at = ((at + step) % count + count) % count;
    if (IsFocusable(dialog.Items[static_cast<size_t>(at)])) {
      dialog.Focus = at;
      return;
    }
  }
}

void SetFocus(DialogModel &dialog, int item) {
  if (item >= 0 && item < Count(dialog) && IsFocusable(dialog.Items[static_cast<size_t>(item)]))
    dialog.Focus = item;
}

int DefaultButton(const DialogModel &dialog) {
  for (int i = 0; i < Count(dialog); ++i) {
    const FarDialogItem &item = dialog.Items[static_cast<size_t>(i)];
    if (item.Type == DI_BUTTON && item.DefaultButton) return i;
  }
  return -1;
}

void SelectRadio(FarDialogItem *items, int count, int index) {
  if (items == nullptr || index < 0 || index >= count || items[index].Type != DI_RADIOBUTTON)
    return;
  int first = index;
  while (first > 0 && !(items[first].Flags & DIF_GROUP) && items[first - 1].Type == DI_RADIOBUTTON)
    --first;
  for (int i = first; i < count && items[i].Type == DI_RADIOBUTTON; ++i) {
    if (i != first && (items[i].Flags & DIF_GROUP)) break;
    items[i].Selected = 0;
  }
  items[index].Selected = 1;
}

void SelectRadio(DialogModel &dialog, int index) {
  SelectRadio(dialog.Items.data(), Count(dialog), index);
}

void ToggleCheck(DialogModel &dialog, int index) {
  if (index < 0 || index >= Count(dialog)) return;
  FarDialogItem &item = dialog.Items[static_cast<size_t>(index)];
  if (item.Type == DI_CHECKBOX) item.Selected = item.Selected ? 0 : 1;
}

std::string EditText(const FarDialogItem &item) {
  return std::string(item.Data, strnlen(item.Data, sizeof(item.Data)));
}

void SetEditText(DialogModel &dialog, int index, const std::string &text) {
  if (index < 0 || index >= Count(dialog)) return;
  FarDialogItem &item = dialog.Items[static_cast<size_t>(index)];
  if (IsEditLine(item)) CopyToField(item.Data, text.c_str());
}

std::vector<std::string> EditHistory(const DialogModel &dialog, int index,
                                     const HistoryStore &histories) {
  if (index < 0 || index >= Count(dialog)) return {};
  const FarDialogItem &item = dialog.Items[static_cast<size_t>(index)];
  if (!HasHistory(item)) return {};
  auto found = histories.find(item.History);
  return found != histories.end() ? found->second : std::vector<std::string>();
}

int PressEnter(const DialogModel &dialog) {
  if (dialog.Focus >= 0 && dialog.Items[static_cast<size_t>(dialog.Focus)].Type == DI_BUTTON)
    return dialog.Focus;
  int button = DefaultButton(dialog);
  return button >= 0 ? button : dialog.Focus;
}

int PressSpace(DialogModel &dialog) {
  if (dialog.Focus < 0) return kDialogStaysOpen;
  int type = dialog.Items[static_cast<size_t>(dialog.Focus)].Type;
  if (type == DI_BUTTON) return dialog.Focus;
  if (type == DI_CHECKBOX) ToggleCheck(dialog, dialog.Focus);
  if (type == DI_RADIOBUTTON) SelectRadio(dialog, dialog.Focus);
  return kDialogStaysOpen;
}

int DialogResult(const DialogModel &dialog, int item) {
  return item >= 0 && item < Count(dialog) ? item : -1;
}

void CloseDialog(const DialogModel &dialog, int result, FarDialogItem *items, int count,
                 HistoryStore &histories) {
  if (items != nullptr) {
    for (int i = 0; i < count && i < Count(dialog); ++i)
      items[i] = dialog.Items[static_cast<size_t>(i)];
  }
  if (result == -1) return;
  for (const FarDialogItem &item : dialog.Items) {
    if (HasHistory(item)) AddToHistory(histories, item.History, EditText(item));
  }
}

}  // namespace hostcore
