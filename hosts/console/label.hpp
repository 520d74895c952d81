// A label with its hot key shown in the hot-key colour.
#ifndef QUILLET_CONSOLE_LABEL_HPP
#define QUILLET_CONSOLE_LABEL_HPP

#include "console/terminal.hpp"
#include "core/hot_key.hpp"

namespace console {

// Draws `label` at (y, x), cut to `width` cells when width >= 0.
void PutLabel(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, Role role,
              Role hotRole, int width = -1);

}  // namespace console

#endif
