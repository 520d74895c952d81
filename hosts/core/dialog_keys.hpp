// Hot keys in a dialog: Alt+letter (or the letter alone when the focus is
// not in an edit line) acts on the item whose label marks that letter.
#ifndef QUILLET_HOSTCORE_DIALOG_KEYS_HPP
#define QUILLET_HOSTCORE_DIALOG_KEYS_HPP

#include <stdint.h>

#include "core/dialog_model.hpp"

namespace hostcore {

// The item a hot key reaches: a button, check box or radio button whose
// label marks `key`, or the first focusable item after a text label that
// marks it; -1 when none.
int DialogHotKeyItem(const DialogModel &dialog, uint32_t key);
// Acts on that item as the user's key does: focuses it; a check box
// toggles, a radio button is selected; a button closes the dialog.
// Returns the closing item, or kDialogStaysOpen.
int PressDialogHotKey(DialogModel &dialog, int item);

}  // namespace hostcore

#endif
