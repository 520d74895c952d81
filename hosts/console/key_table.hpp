// The console host's keys, in one table: each key with the screen it
// belongs to, what it does there, its key-bar label and its help line.  The
// screens find their actions here, the key bars and the help are made from
// it, so a key added here is handled, labelled and documented at once.
#ifndef QUILLET_CONSOLE_KEY_TABLE_HPP
#define QUILLET_CONSOLE_KEY_TABLE_HPP

#include <string>
#include <vector>

#include "core/host_texts.hpp"
#include "core/keys.hpp"

namespace console {

// The screens that read keys, in the order the help lists them.
enum class Place { Panels, StatusPanel, CommandLine, Dialogs, Viewer, Editor, Help, Mouse };

enum class Action {
  None,  // a key the screen's own rules handle (dialogs, typing); listed for help
  Help,
  UserScreen,
  Copy,
  Move,
  MakeFolder,
  Delete,
  Quit,
  Plugins,
  View,
  Edit,
  SwitchPanel,
  InfoView,
  Reread,
  ViewMode,
  LeavePanel,
  NameToCommandLine,
  Root,
  ToggleSelection,
  Enter,
  ClearCommandLine,
  SelectGroup,
  UnselectGroup,
  InvertSelection,
  MoveCursor,
  SelectMoving,
  Save,
  Search,
  SearchAgain,
  DeleteLine,
  HexView,
  Leave,
  Scroll,
};

// The binding may not be used while the command line holds text (the key
// is then the line's), or only where the text can be changed, or only
// where it cannot (a letter types there).
const unsigned kNotWhileTyping = 1, kWritableOnly = 2, kLockedOnly = 4;

// A row without a key-bar label or without a help line of its own.
constexpr hostcore::HostText kNoText = hostcore::HostText::Count;

struct KeyBinding {
  Place Where;
  int Vk;  // the key's code with Mods, or 0 ...
  unsigned Mods;
  uint32_t Char;  // ... the character typed (without Ctrl or Alt)
  Action What;
  hostcore::HostText Label;            // its key-bar label (F1 to F12 alone), kNoText for none
  hostcore::HostText HelpLine;         // kNoText: the key shares the help line of the one before
  hostcore::HostText Shown = kNoText;  // the help's name for a family of keys
  bool (*Family)(const hostcore::KeyPress &key) = nullptr;  // matches instead of Vk/Char
  unsigned Flags = 0;
  const char *Alternative = nullptr;  // a key that stands in where a terminal lacks this one
};

const std::vector<KeyBinding> &KeyTable();

// The binding of `key` on `place`, or null.  `typing`: the command line
// holds text; `writable`: the editor's text may be changed.
const KeyBinding *FindKey(Place place, const hostcore::KeyPress &key, bool typing = false,
                          bool writable = true);
// The key bar of `place`: the labels of F1 to F12.
std::vector<std::string> KeyBarLabels(Place place, bool writable = true);
// The help text made from the table, one line per row.
std::vector<std::string> HelpLines();
// How the help names the binding's key.
std::string KeyShown(const KeyBinding &binding);

}  // namespace console

#endif
