// Double clicks and the mouse reporting requests.
#include "console/mouse.hpp"

namespace console {

// Button presses and releases (1000), in the SGR form (1006) that carries
// any column and tells a release from a press.
const char *const kMouseOn = "\x1b[?1000h\x1b[?1006h";
const char *const kMouseOff = "\x1b[?1006l\x1b[?1000l";

namespace {
const std::chrono::milliseconds kDoubleClickTime(400);
}  // namespace

void ClickCounter::Note(MouseEvent &event) {
  if (event.What != MouseEvent::Press) return;
  auto now = std::chrono::steady_clock::now();
  event.Double = event.Button == button_ && event.Y == y_ && event.X == x_ &&
                 now - last_ <= kDoubleClickTime;
  // A third press starts a new pair.
  button_ = event.Double ? -1 : event.Button;
  y_ = event.Y;
  x_ = event.X;
  last_ = now;
}

}  // namespace console
