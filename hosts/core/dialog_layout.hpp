// Where a dialog and its items sit on a screen: the dialog centred when the
// module asks (-1), each item at its coordinates inside, DIF_CENTERGROUP
// rows centred as one, separators across the box.
#ifndef QUILLET_HOSTCORE_DIALOG_LAYOUT_HPP
#define QUILLET_HOSTCORE_DIALOG_LAYOUT_HPP

#include <string>
#include <vector>

#include "core/dialog_model.hpp"

namespace hostcore {

// One item as drawn, relative to the dialog's top left corner.
struct ItemPlace {
  int Left = 0, Top = 0, Width = 0, Height = 1;
  std::string Text;   // the label as shown (without "&"), the box title, or the edit text
  int HotKeyAt = -1;  // in Text
  bool Separator = false;
};

struct DialogPlace {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // on the screen
  std::vector<ItemPlace> Items;                  // one per dialog item
};

// X1/Y1 of -1 centre the dialog on that axis, X2/Y2 then being its width
// and height; otherwise X1..X2 and Y1..Y2 are its screen corners.
DialogPlace PlaceDialog(const DialogModel &dialog, int screenWidth, int screenHeight);

// Width of a button, check box or radio button with `label` ("[ OK ]",
// "[x] Recursive", "(*) Trunk").
int ControlWidth(const FarDialogItem &item, const std::string &label);

}  // namespace hostcore

#endif
