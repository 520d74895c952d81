// Placement of dialogs and their items.
#include "core/dialog_layout.hpp"

#include <algorithm>
#include <map>

#include "core/column_layout.hpp"
#include "core/hot_key.hpp"

namespace hostcore {

namespace {
// "[ " + label + " ]" and "[x] " + label.
const int kControlChrome = 4;

void PlaceAxis(int first, int second, int screen, int &start, int &size) {
  if (first == -1) {
    size = second;
    start = (screen - size) / 2;
  } else {
    start = first;
    size = second - first + 1;
  }
  size = std::max(size, 1);
  start = std::max(0, start);
}
}  // namespace

int ControlWidth(const FarDialogItem &item, const std::string &label) {
  if (item.Type == DI_BUTTON || item.Type == DI_CHECKBOX || item.Type == DI_RADIOBUTTON)
    return TextWidth(label) + kControlChrome;
  return TextWidth(label);
}

DialogPlace PlaceDialog(const DialogModel &dialog, int screenWidth, int screenHeight) {
  DialogPlace place;
  PlaceAxis(dialog.X1, dialog.X2, screenWidth, place.Left, place.Width);
  PlaceAxis(dialog.Y1, dialog.Y2, screenHeight, place.Top, place.Height);

  // The first box frames the separators.
  int boxLeft = 0, boxRight = place.Width - 1;
  for (const FarDialogItem &item : dialog.Items) {
    if (item.Type == DI_DOUBLEBOX || item.Type == DI_SINGLEBOX) {
      boxLeft = item.X1;
      boxRight = item.X2;
      break;
    }
  }

  std::map<int, std::vector<size_t>> centredRows;
  for (size_t i = 0; i < dialog.Items.size(); ++i) {
    const FarDialogItem &item = dialog.Items[i];
    ItemPlace at;
    at.Left = item.X1;
    at.Top = item.Y1;
    if (IsEditLine(item)) {
      at.Text = EditText(item);
      at.Width = std::max(1, item.X2 - item.X1 + 1);
    } else if (item.Type == DI_DOUBLEBOX || item.Type == DI_SINGLEBOX) {
      at.Text = EditText(item);
      at.Width = std::max(1, item.X2 - item.X1 + 1);
      at.Height = std::max(1, item.Y2 - item.Y1 + 1);
    } else {
      HotKeyLabel label = ParseHotKey(EditText(item));
      at.Text = label.Text;
      at.HotKeyAt = label.HotKeyAt;
      at.Width = ControlWidth(item, label.Text);
      if (item.Type == DI_VTEXT) {
        at.Height = std::max(1, at.Width);
        at.Width = 1;
      }
    }
    if (item.Type == DI_TEXT && (item.Flags & DIF_SEPARATOR)) {
      at.Separator = true;
      at.Left = boxLeft;
      at.Width = std::max(1, boxRight - boxLeft + 1);
    } else if (item.Flags & DIF_CENTERGROUP) {
      centredRows[item.Y1].push_back(i);
    } else if (item.Type == DI_TEXT && item.X1 == -1) {
      at.Left = (place.Width - at.Width) / 2;
    }
    place.Items.push_back(at);
  }

  // Each row of centred items is laid out left to right, one blank apart,
  // and the whole row centred in the dialog.
  for (const auto &row : centredRows) {
    int total = -1;
    for (size_t i : row.second) total += place.Items[i].Width + 1;
    int x = std::max(0, (place.Width - total) / 2);
    for (size_t i : row.second) {
      place.Items[i].Left = x;
      x += place.Items[i].Width + 1;
    }
  }
  return place;
}

}  // namespace hostcore
