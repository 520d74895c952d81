// A check box: "[x] Label".
#ifndef QUILLET_CONSOLE_CHECK_BOX_HPP
#define QUILLET_CONSOLE_CHECK_BOX_HPP

#include "console/terminal.hpp"
#include "core/hot_key.hpp"

namespace console {

void DrawCheckBox(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, bool checked,
                  bool focused, const BoxLook &look);

}  // namespace console

#endif
