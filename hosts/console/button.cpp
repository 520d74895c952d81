// Push buttons.
#include "console/button.hpp"

#include "console/label.hpp"
#include "core/column_layout.hpp"

namespace console {

int ButtonWidth(const hostcore::HotKeyLabel &label) { return hostcore::TextWidth(label.Text) + 4; }

void DrawButton(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, bool focused,
                const BoxLook &look) {
  Role role = focused ? look.Focus : look.Body;
  term.Put(y, x, "[ ", role);
  PutLabel(term, y, x + 2, label, role, look.HotKey);
  term.Put(y, x + 2 + hostcore::TextWidth(label.Text), " ]", role);
}

}  // namespace console
