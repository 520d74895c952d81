// Declared dialogs: their items from the rows, the host's dialog, and the
// fields written back.
#include "ui/dialog.hpp"

#include <string.h>

#include "far/field_text.hpp"
#include "host/host.hpp"
#include "texts/messages.hpp"
#include "working_copy/run_check.hpp"

namespace {

DialogRow Row(RowKind kind, const char *name, int label, RowField field, int x1, int y1, int x2,
              int y2, DWORD flags) {
  return DialogRow{kind, name, label, field, x1, y1, x2, y2, flags, nullptr, false, false};
}

int ItemType(RowKind kind) {
  switch (kind) {
    case RowKind::Box:
      return DI_DOUBLEBOX;
    case RowKind::Radio:
      return DI_RADIOBUTTON;
    case RowKind::Check:
      return DI_CHECKBOX;
    case RowKind::Edit:
      return DI_EDIT;
    case RowKind::Button:
      return DI_BUTTON;
    case RowKind::Text:
    case RowKind::Separator:
      break;
  }
  return DI_TEXT;
}

// The check or radio state that the row's field gives.
int StateOf(const DialogRow &row) {
  const RowField &field = row.Bound;
  if (row.Kind == RowKind::Check && field.Flag != nullptr) return *field.Flag ? 1 : 0;
  if (row.Kind != RowKind::Radio) return 0;
  if (field.Choice != nullptr) return *field.Choice == field.Value ? 1 : 0;
  if (field.Flag != nullptr) return *field.Flag == (field.Value != 0) ? 1 : 0;
  return 0;
}

// The text of an edit item: the host keeps the field terminated; strnlen
// guards a field it did not.
std::string EditText(const FarDialogItem &item) {
  return std::string(item.Data, strnlen(item.Data, sizeof item.Data));
}

// What the user left in `item` goes into the row's field.  A radio button
// sets its group's choice only when it is the one selected.
void Remember(const DialogRow &row, const FarDialogItem &item) {
  const RowField &field = row.Bound;
  switch (row.Kind) {
    case RowKind::Check:
      if (field.Flag != nullptr) *field.Flag = item.Selected != 0;
      break;
    case RowKind::Radio:
      if (item.Selected == 0) break;
      if (field.Choice != nullptr) *field.Choice = field.Value;
      if (field.Flag != nullptr) *field.Flag = field.Value != 0;
      break;
    case RowKind::Edit:
      if (field.Text != nullptr) *field.Text = EditText(item);
      break;
    default:
      break;
  }
}

}  // namespace

DialogRow Box(int x1, int y1, int x2, int y2, int label) {
  return Row(RowKind::Box, "frame", label, RowField(), x1, y1, x2, y2, 0);
}

DialogRow Text(const char *name, int label, int x1, int y1, int x2, int y2, DWORD flags) {
  return Row(RowKind::Text, name, label, RowField(), x1, y1, x2, y2, flags);
}

DialogRow Separator(int x1, int y1, int x2, int y2) {
  return Row(RowKind::Separator, "", kNoLabel, RowField(), x1, y1, x2, y2, 0);
}

DialogRow Radio(const char *name, int label, RowField field, int x1, int y, int x2, DWORD flags) {
  return Row(RowKind::Radio, name, label, field, x1, y, x2, 0, flags);
}

DialogRow Check(const char *name, int label, RowField field, int x1, int y, int x2) {
  return Row(RowKind::Check, name, label, field, x1, y, x2, 0, 0);
}

DialogRow Edit(const char *name, RowField field, const char *history, int x1, int y, int x2,
               DWORD flags) {
  DialogRow row = Row(RowKind::Edit, name, kNoLabel, field, x1, y, x2, 0, flags);
  row.History = history;
  return row;
}

DialogRow Button(const char *name, int label, int y) {
  return Row(RowKind::Button, name, label, RowField(), 0, y, 0, 0, DIF_CENTERGROUP);
}

int DialogDeclaration::IndexOf(const char *name) const {
  if (name == nullptr || name[0] == '\0') return -1;
  for (size_t i = 0; i < Rows.size(); ++i)
    if (strcmp(Rows[i].Name, name) == 0) return static_cast<int>(i);
  return -1;
}

std::vector<FarDialogItem> DialogItems(const DialogDeclaration &dialog) {
  std::vector<FarDialogItem> items(dialog.Rows.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const DialogRow &row = dialog.Rows[i];
    FarDialogItem &item = items[i];
    // Every byte the host receives is set: the unused ones are zero.
    memset(&item, 0, sizeof item);
    item.Type = ItemType(row.Kind);
    item.X1 = row.X1;
    item.Y1 = row.Y1;
    item.X2 = row.X2;
    item.Y2 = row.Y2;
    item.Focus = row.Focused ? 1 : 0;
    item.Flags = row.Flags;
    if (row.Kind == RowKind::Separator) item.Flags |= DIF_SEPARATOR;
    item.DefaultButton = row.Default ? 1 : 0;
    if (row.Kind == RowKind::Edit) {
      item.Flags |= DIF_HISTORY;
      item.History = row.History;
      if (row.Bound.Text != nullptr) CopyToField(item.Data, row.Bound.Text->c_str());
    } else {
      item.Selected = StateOf(row);
      CopyToField(item.Data, row.Label == kNoLabel ? "" : MessageText(row.Label));
    }
  }
  return items;
}

std::string DialogSession::Show() {
  NoteUserPause();
  const int closedBy =
      HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, dialog_.Width, dialog_.Height, nullptr,
                      items_.data(), static_cast<int>(items_.size()));
  for (size_t i = 0; i < items_.size(); ++i) Remember(dialog_.Rows[i], items_[i]);
  if (closedBy < 0 || static_cast<size_t>(closedBy) >= items_.size()) return "";
  return dialog_.Rows[static_cast<size_t>(closedBy)].Name;
}
