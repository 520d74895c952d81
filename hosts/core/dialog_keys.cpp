// Dialog hot keys.
#include "core/dialog_keys.hpp"

#include "core/hot_key.hpp"

namespace hostcore {

int DialogHotKeyItem(const DialogModel &dialog, uint32_t key) {
  key = FoldKey(key);
  if (key == 0) return -1;
  int count = static_cast<int>(dialog.Items.size());
  for (int i = 0; i < count; ++i) {
    const FarDialogItem &item = dialog.Items[static_cast<size_t>(i)];
    if (IsEditLine(item) || (item.Type != DI_TEXT && !IsFocusable(item))) continue;
    if (HotKeyOf(ParseHotKey(EditText(item))) != key) continue;
    if (IsFocusable(item)) return i;
    for (int next = i + 1; next < count; ++next) {
      if (IsFocusable(dialog.Items[static_cast<size_t>(next)])) return next;
    }
  }
  return -1;
}

int PressDialogHotKey(DialogModel &dialog, int item) {
  if (item < 0 || item >= static_cast<int>(dialog.Items.size())) return kDialogStaysOpen;
  SetFocus(dialog, item);
  int type = dialog.Items[static_cast<size_t>(item)].Type;
  if (type == DI_BUTTON) return item;
  if (type == DI_CHECKBOX) ToggleCheck(dialog, item);
  if (type == DI_RADIOBUTTON) SelectRadio(dialog, item);
  return kDialogStaysOpen;
}

}  // namespace hostcore
