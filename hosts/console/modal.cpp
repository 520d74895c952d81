// The modal loop.
#include "console/modal.hpp"

namespace console {

void RunModal(Terminal &term, Modal &modal) {
  term.PushLayer([&] { modal.Draw(term); });
  while (!modal.Done()) {
    Event event;
    if (!modal.BeforeWait(event)) {
      if (modal.Done()) break;
      term.Redraw();
      event = term.Next(modal.WaitMs());
    }
    if (event.What == Event::Closed) {
      modal.OnClosed();
      break;
    }
    modal.OnEvent(event);
  }
  term.PopLayer();
  term.Redraw();
}

}  // namespace console
