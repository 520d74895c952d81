// The host's own one-line question: a framed dialog with a prompt, an edit
// line and a button row, for a new name or a selection mask.
#ifndef QUILLET_CONSOLE_INPUT_BOX_HPP
#define QUILLET_CONSOLE_INPUT_BOX_HPP

#include <string>

#include "console/terminal.hpp"
#include "core/history.hpp"
#include "core/host_texts.hpp"

namespace console {

struct InputBoxText {
  std::string Title, Prompt;  // shown as they are (no hot-key marks)
  std::string Button = hostcore::Say(hostcore::HostText::ButtonOk);
  const char *History = nullptr;  // the edit line's history, none when null
  int Width = 72;                 // the dialog's width, frame and margins included
  bool StartFromHistory = false;  // start from the history's last line, not `text`
  bool NeedText = false;          // an empty line counts as not confirmed
};

// Asks, starting from `text`; true with the line typed when confirmed.
bool AskLine(Terminal &term, hostcore::HistoryStore &histories, const InputBoxText &box,
             std::string &text);

}  // namespace console

#endif
