// A push button: "[ Label ]", the focused one in the focus colour.
#ifndef QUILLET_CONSOLE_BUTTON_HPP
#define QUILLET_CONSOLE_BUTTON_HPP

#include "console/terminal.hpp"
#include "core/hot_key.hpp"

namespace console {

// The cells a button with `label` takes.
int ButtonWidth(const hostcore::HotKeyLabel &label);
void DrawButton(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, bool focused,
                const BoxLook &look);

}  // namespace console

#endif
