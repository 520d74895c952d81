// The help screen.
#include "console/help.hpp"

#include "console/text_view.hpp"
#include "core/text_document.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

const std::string &HelpText() {
  static const std::string text =
      "Quillet console: a two-panel file manager that hosts the Quillet CVS module\n"
      "\n"
      "Panels\n"
      "  Up, Down, PgUp, PgDn, Home, End   move the cursor (Left, Right: by columns)\n"
      "  Enter           enter a folder or \"..\"; run the command line if it holds text\n"
      "  Insert          select or unselect the current file\n"
      "  Shift+arrows    select while moving (also Shift+PgUp, PgDn, Home, End)\n"
      "  + / -           select files / unselect entries by a mask such as *.c,*.h\n"
      "  *               invert the selection of the files\n"
      "  Tab             switch panels\n"
      "  Ctrl+R          read the active panel again\n"
      "  Ctrl+L          show the info view of the active panel on the other side\n"
      "  Ctrl+\\          go to the root folder\n"
      "  Ctrl+0 .. Ctrl+9   view modes            alternative: Alt+0 .. Alt+9\n"
      "  F3 / F4         view / edit the current file\n"
      "  F6              rename the current file or folder\n"
      "  F7              make a folder (then F11 > CVS > Add)\n"
      "  F8              delete the selected entries, or the current one, after asking\n"
      "  F10             quit, after asking\n"
      "  F11             plug-ins menu (CVS)    alternative: Ctrl+P\n"
      "\n"
      "CVS status panel (type cvs: and Enter, or F11 > CVS > Browse)\n"
      "  F3              view the file, or show its cvs log or diff\n"
      "  Ctrl+Enter      put the current name on the command line  alternative: Ctrl+J\n"
      "  Shift+Esc       back to the file panel                    alternative: Ctrl+Q\n"
      "\n"
      "Command line\n"
      "  cvs:            opens the status panel on the active folder\n"
      "  cd FOLDER       moves the active panel (cd alone: home; cd -: back)\n"
      "  anything else   runs in /bin/sh in the active folder; both panels are\n"
      "                  read again afterwards\n"
      "  Ctrl+J          the current name, quoted for the shell (file panel)\n"
      "  Esc             clears the line\n"
      "\n"
      "Dialogs and menus\n"
      "  Tab, Shift+Tab, Up, Down   move between items; Space toggles; Enter confirms\n"
      "  Esc             cancels; Alt+letter presses the item with that hot key\n"
      "  Ctrl+Down or Alt+Down      the history of an edit line\n"
      "  Esc, Enter or Ctrl+C       Break in \"CVS Running...\"\n"
      "\n"
      "Viewer and editor\n"
      "  F2 save (editor), F7 search, Shift+F7 search again, Esc or F10 leave\n"
      "  The output of cvs opens locked: read-only, with scrolling and search.\n"
      "\n"
      "Mouse\n"
      "  click           move the cursor, press a button or a key-bar key\n"
      "  double click    enter a folder        right click: select\n"
      "  wheel           scroll panels, menus, lists, the viewer and the editor\n"
      "  (hold Shift to select text with the terminal's own mouse)\n"
      "\n"
      "Keys a terminal may not send are also read in xterm's extended forms\n"
      "(modifyOtherKeys and CSI u, which tmux passes on with extended-keys on).\n";
  return text;
}

void RunHelp(Terminal &term) {
  hostcore::TextDocument document;
  document.ReadOnly = true;
  document.Lines.clear();
  const std::string &text = HelpText();
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    document.Lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::string note;
  const std::vector<std::string> keys = {"", "", "", "", "", "", "", "", "", "Quit"};
  term.PushLayer([&] { DrawTextView(term, document, "Help", keys, note); });
  for (;;) {
    term.Redraw();
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.What != MouseEvent::None && !TextViewMouse(term, document, mouse, key)) continue;
    if (Is(key, vk::Escape) || Is(key, vk::F(10)) || Is(key, vk::F(1))) break;
    hostcore::DocumentKey(document, key, TextRows(term));
  }
  term.PopLayer();
}

}  // namespace console
