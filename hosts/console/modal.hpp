// The host's one event loop.  Every screen that waits for the user (the
// panels, a menu, a message box, a dialog, a list, the viewer, the editor,
// the help) is a Modal: it draws itself as the top layer and is handed each
// event until it says it is done.  The loop redraws before every wait, so a
// widget only changes its state.
#ifndef QUILLET_CONSOLE_MODAL_HPP
#define QUILLET_CONSOLE_MODAL_HPP

#include "console/terminal.hpp"

namespace console {

class Modal {
 public:
  virtual ~Modal() = default;
  // Draws the widget over the layers under it.
  virtual void Draw(Terminal &term) = 0;
  // A key, a mouse report, a wake, a resize or the end of a timed wait.
  virtual void OnEvent(const Event &event) = 0;
  // Called before every wait: the widget may end itself here (a close from
  // another thread) or hand an event of its own (keys posted by the module)
  // instead of waiting.  True when `event` is to be handled now.
  virtual bool BeforeWait(Event &event) {
    (void)event;
    return false;
  }
  // How long the next wait may last, in milliseconds; -1: until an event.
  virtual int WaitMs() const { return -1; }
  // The terminal went away (hang-up, SIGTERM): the widget ends as after Esc.
  virtual void OnClosed() {}

  void End() { done_ = true; }
  bool Done() const { return done_; }

 private:
  bool done_ = false;
};

// Runs `modal` on top of what the terminal shows until it ends or the
// terminal goes away; the screen under it is drawn anew afterwards.
void RunModal(Terminal &term, Modal &modal);

}  // namespace console

#endif
