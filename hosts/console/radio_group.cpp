// Radio buttons.
#include "console/radio_group.hpp"

#include "console/label.hpp"

namespace console {

void DrawRadioButton(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label,
                     bool selected, bool focused, const BoxLook &look) {
  term.Put(y, x, selected ? "(*)" : "( )", focused ? look.Focus : look.Body);
  term.Put(y, x + 3, " ", look.Body);
  PutLabel(term, y, x + 4, label, look.Body, look.HotKey);
  if (focused) term.ShowCursor(y, x + 1);
}

}  // namespace console
