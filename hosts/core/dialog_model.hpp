// The host's dialog: a working copy of the module's FarDialogItem array
// with focus, Tab order, radio groups, check boxes, edit lines and their
// histories, the default button, and the items written back on close.
#ifndef QUILLET_HOSTCORE_DIALOG_MODEL_HPP
#define QUILLET_HOSTCORE_DIALOG_MODEL_HPP

#include <string>
#include <vector>

#include "core/history.hpp"
#include "far/far_api.hpp"

namespace hostcore {

struct DialogModel {
  // The call as the module made it.
  INT_PTR PluginNumber = 0;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::string HelpTopic;
  // The items the user works on; written back into the module's array on close.
  std::vector<FarDialogItem> Items;
  int Focus = -1;  // the focused item, -1 when none can take focus
};

// A closing item that does not close: the key changed the dialog only.
const int kDialogStaysOpen = -2;

// Builds the dialog over a copy of the items: empty edit lines that ask for
// DIF_USELASTHISTORY get the newest entry of their history, and the focus
// goes to the first focusable item that asks for it, else the first one.
DialogModel NewDialog(INT_PTR pluginNumber, int x1, int y1, int x2, int y2, const char *helpTopic,
                      const FarDialogItem *items, int count, const HistoryStore &histories);

bool IsFocusable(const FarDialogItem &item);
bool IsEditLine(const FarDialogItem &item);
// Tab (1) and Shift+Tab (-1): the next focusable item in item order, round
// the end.
void MoveFocus(DialogModel &dialog, int step);
void SetFocus(DialogModel &dialog, int item);
// The button marked DefaultButton, or -1.
int DefaultButton(const DialogModel &dialog);

// Selects radio button `index` and clears the others of its group.  A group
// runs from a radio button with DIF_GROUP over the radio buttons that follow
// it, up to the next DIF_GROUP or the first item that is not a radio button.
void SelectRadio(FarDialogItem *items, int count, int index);
void SelectRadio(DialogModel &dialog, int index);
void ToggleCheck(DialogModel &dialog, int index);
// An edit line's text, and the user's change to it (cut to the field).
std::string EditText(const FarDialogItem &item);
void SetEditText(DialogModel &dialog, int index, const std::string &text);
// The history an edit line offers (newest last), empty without DIF_HISTORY.
std::vector<std::string> EditHistory(const DialogModel &dialog, int index,
                                     const HistoryStore &histories);

// Enter: a focused button closes with itself, anything else with the
// default button, or with the focused item when there is none.
int PressEnter(const DialogModel &dialog);
// Space: toggles a focused check box, selects a focused radio button
// (kDialogStaysOpen), or closes with a focused button.
int PressSpace(DialogModel &dialog);

// What the dialog returns for a closing item: the item, or -1 (Esc, or no
// such item).
int DialogResult(const DialogModel &dialog, int item);
// Ends the dialog: the items go back into the module's array, and when the
// user confirmed (result other than -1) every history edit line's text is
// kept under its history name.
void CloseDialog(const DialogModel &dialog, int result, FarDialogItem *items, int count,
                 HistoryStore &histories);

}  // namespace hostcore

#endif
