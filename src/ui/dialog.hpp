// The host's dialogs, declared: a dialog is a list of rows, each a kind, a
// name, a label and the field of the command's remembered choices that it
// edits.  The host receives one item per row, in the order of the list;
// each item starts from its field, and what the user leaves goes back into
// the fields, whichever way the dialog closed.
#ifndef QUILLET_UI_DIALOG_HPP
#define QUILLET_UI_DIALOG_HPP

#include <string>
#include <vector>

#include "far/far_api.hpp"

// What a row shows.
enum class RowKind {
  Box,        // the double frame, with its title
  Text,       // a label
  Separator,  // a line across the frame
  Radio,      // a radio button; DIF_GROUP starts a group
  Check,      // a check box
  Edit,       // an edit line that keeps a history
  Button,     // a button; the host closes the dialog with it
};

// The remembered choice a row edits: a check box its flag, an edit line its
// text, a radio button the choice it stands for (an int, or a flag, set to
// `Value` when the button is the one selected).
struct RowField {
  bool *Flag = nullptr;
  int *Choice = nullptr;
  std::string *Text = nullptr;
  int Value = 0;
};
inline RowField Field(bool &flag) {
  RowField field;
  field.Flag = &flag;
  return field;
}
inline RowField Field(std::string &text) {
  RowField field;
  field.Text = &text;
  return field;
}
inline RowField Field(int &choice, int value) {
  RowField field;
  field.Choice = &choice;
  field.Value = value;
  return field;
}
inline RowField Field(bool &flag, bool value) {
  RowField field;
  field.Flag = &flag;
  field.Value = value ? 1 : 0;
  return field;
}

// No label: a row whose item carries no text.
const int kNoLabel = -1;

// One row: its item's place and flags beside what it is.  The flags are
// those the row adds to its kind's (a separator's and an edit line's
// history flag come with the kind).
struct DialogRow {
  RowKind Kind;
  const char *Name;  // what the command (and a test) calls it; "" for decoration
  int Label;         // message number of its text, or kNoLabel
  RowField Bound;
  int X1, Y1, X2, Y2;
  DWORD Flags;
  const char *History;  // an edit line's history
  bool Focused;         // the focus starts here
  bool Default;         // the host's default item (Enter)

  DialogRow WithFocus() const {
    DialogRow row = *this;
    row.Focused = true;
    return row;
  }
  DialogRow AsDefault() const {
    DialogRow row = *this;
    row.Default = true;
    return row;
  }
};

// The rows, one function per kind.
DialogRow Box(int x1, int y1, int x2, int y2, int label = kNoLabel);
DialogRow Text(const char *name, int label, int x1, int y1, int x2, int y2 = 0, DWORD flags = 0);
DialogRow Separator(int x1, int y1, int x2, int y2);
DialogRow Radio(const char *name, int label, RowField field, int x1, int y, int x2,
                DWORD flags = 0);
DialogRow Check(const char *name, int label, RowField field, int x1, int y, int x2);
DialogRow Edit(const char *name, RowField field, const char *history, int x1, int y, int x2,
               DWORD flags = 0);
// Buttons sit centred side by side on line `y`.
DialogRow Button(const char *name, int label, int y);

// A dialog: its size and its rows.
struct DialogDeclaration {
  int Width, Height;
  std::vector<DialogRow> Rows;

  // The index of the row named `name` (and of its item in the array the
  // host receives), or -1.
  int IndexOf(const char *name) const;
};

// The items the host receives for `dialog`, each from its row's field as
// it stands now.
std::vector<FarDialogItem> DialogItems(const DialogDeclaration &dialog);

// A declared dialog on the screen, as often as the command shows it: the
// first time each item starts from its row's field, later times as the
// host left it (an error box in between leaves the user's focus and
// text where they were).
class DialogSession {
 public:
  explicit DialogSession(const DialogDeclaration &dialog)
      : dialog_(dialog), items_(DialogItems(dialog)) {}
  // Shows the dialog, centred, with no help topic, and writes what the user
  // left into the rows' fields.  The name of the row that closed it, or ""
  // when the user left with Esc.
  std::string Show();

 private:
  const DialogDeclaration &dialog_;
  std::vector<FarDialogItem> items_;
};

#endif
