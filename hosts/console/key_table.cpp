// The key table and what is made from it.
#include "console/key_table.hpp"

#include "core/column_layout.hpp"
#include "core/host_texts.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace vk = hostcore::vk;

namespace {

const unsigned C = PKF_CONTROL, S = PKF_SHIFT;

bool CtrlDigit(const hostcore::KeyPress &key) {
  return key.Mods == PKF_CONTROL && key.Vk >= '0' && key.Vk <= '9';
}
bool VerticalMove(const hostcore::KeyPress &key) {
  return key.Mods == 0 &&
         (key.Vk == vk::Up || key.Vk == vk::Down || key.Vk == vk::Prior || key.Vk == vk::Next);
}
bool LineMove(const hostcore::KeyPress &key) {
  return key.Mods == 0 &&
         (key.Vk == vk::Left || key.Vk == vk::Right || key.Vk == vk::Home || key.Vk == vk::End);
}
bool ShiftVertical(const hostcore::KeyPress &key) {
  return key.Mods == PKF_SHIFT &&
         (key.Vk == vk::Up || key.Vk == vk::Down || key.Vk == vk::Prior || key.Vk == vk::Next);
}
bool ShiftLine(const hostcore::KeyPress &key) {
  return key.Mods == PKF_SHIFT &&
         (key.Vk == vk::Left || key.Vk == vk::Right || key.Vk == vk::Home || key.Vk == vk::End);
}
bool ScrollKey(const hostcore::KeyPress &key) {
  return VerticalMove(key) || LineMove(key) ||
         (key.Mods == PKF_CONTROL && (key.Vk == vk::Home || key.Vk == vk::End));
}

// The table.  Keys of one action follow each other, the first with the
// help line; a family names its keys in Shown.
const std::vector<KeyBinding> kTable = {
    // The panels.
    {Place::Panels, vk::F(1), 0, 0, Action::Help, HostText::KeyHelp, HostText::DoesHelp},
    {Place::Panels, vk::F(3), 0, 0, Action::View, HostText::KeyView, HostText::DoesView},
    {Place::Panels, vk::F(4), 0, 0, Action::Edit, HostText::KeyEdit, HostText::DoesEdit},
    {Place::Panels, vk::F(5), 0, 0, Action::Copy, HostText::KeyCopy, HostText::DoesCopy},
    {Place::Panels, vk::F(6), 0, 0, Action::Move, HostText::KeyRenMov, HostText::DoesMove},
    {Place::Panels, vk::F(7), 0, 0, Action::MakeFolder, HostText::KeyMakeFolder,
     HostText::DoesMakeFolder},
    {Place::Panels, vk::F(8), 0, 0, Action::Delete, HostText::KeyDelete, HostText::DoesDelete},
    {Place::Panels, vk::F(10), 0, 0, Action::Quit, HostText::KeyQuit, HostText::DoesQuit},
    {Place::Panels, vk::F(11), 0, 0, Action::Plugins, HostText::KeyPlugins, HostText::DoesPlugins,
     kNoText, nullptr, 0, "Ctrl+P"},
    {Place::Panels, 0, 0, 0, Action::MoveCursor, kNoText, HostText::DoesMoveCursor,
     HostText::ShownVertical, VerticalMove},
    {Place::Panels, 0, 0, 0, Action::MoveCursor, kNoText, kNoText, HostText::ShownLine, LineMove,
     kNotWhileTyping},
    {Place::Panels, vk::Return, 0, 0, Action::Enter, kNoText, HostText::DoesEnter},
    {Place::Panels, vk::Insert, 0, 0, Action::ToggleSelection, kNoText, HostText::DoesToggle},
    {Place::Panels, 0, 0, 0, Action::SelectMoving, kNoText, HostText::DoesSelectMoving,
     HostText::ShownShiftVertical, ShiftVertical},
    {Place::Panels, 0, 0, 0, Action::SelectMoving, kNoText, kNoText, HostText::ShownHomeEnd,
     ShiftLine, kNotWhileTyping},
    {Place::Panels, 0, 0, '+', Action::SelectGroup, kNoText, HostText::DoesSelectGroup, kNoText,
     nullptr, kNotWhileTyping},
    {Place::Panels, 0, 0, '-', Action::UnselectGroup, kNoText, HostText::DoesUnselectGroup, kNoText,
     nullptr, kNotWhileTyping},
    {Place::Panels, 0, 0, '*', Action::InvertSelection, kNoText, HostText::DoesInvert, kNoText,
     nullptr, kNotWhileTyping},
    {Place::Panels, vk::Tab, 0, 0, Action::SwitchPanel, kNoText, HostText::DoesSwitch},
    {Place::Panels, 'O', C, 0, Action::UserScreen, kNoText, HostText::DoesUserScreen},
    {Place::Panels, 'R', C, 0, Action::Reread, kNoText, HostText::DoesReread},
    {Place::Panels, 'L', C, 0, Action::InfoView, kNoText, HostText::DoesInfo},
    {Place::Panels, vk::Oem5, C, 0, Action::Root, kNoText, HostText::DoesRoot,
     HostText::ShownCtrlBackslash},
    {Place::Panels, 0, 0, 0, Action::ViewMode, kNoText, HostText::DoesViewMode,
     HostText::ShownCtrlDigits, CtrlDigit, 0, "Alt+0 .. Alt+9"},
    // The status panel (the module sees every key first; these are the
    // host's own there).
    {Place::StatusPanel, vk::Return, C, 0, Action::NameToCommandLine, kNoText,
     HostText::DoesNameToLine, kNoText, nullptr, 0, "Ctrl+J"},
    {Place::StatusPanel, vk::Escape, S, 0, Action::LeavePanel, kNoText, HostText::DoesLeave,
     kNoText, nullptr, 0, "Ctrl+Q"},
    // The command line: typed text, the host's cd, the shell.
    {Place::CommandLine, vk::Escape, 0, 0, Action::ClearCommandLine, kNoText,
     HostText::DoesClearLine},
    {Place::CommandLine, 0, 0, 0, Action::None, kNoText, HostText::DoesLineCvs,
     HostText::ShownLineCvs},
    {Place::CommandLine, 0, 0, 0, Action::None, kNoText, HostText::DoesLineCd,
     HostText::ShownLineCd},
    {Place::CommandLine, 0, 0, 0, Action::None, kNoText, HostText::DoesLineShell,
     HostText::ShownLineCommand},
    {Place::CommandLine, 0, 0, 0, Action::None, kNoText, HostText::DoesLineEdit,
     HostText::ShownLineEdit},
    {Place::CommandLine, 0, 0, 0, Action::None, kNoText, HostText::DoesLineSelect,
     HostText::ShownLineSelect},
    // Dialogs and menus (their own rules; listed here for the help).
    {Place::Dialogs, 0, 0, 0, Action::None, kNoText, HostText::DoesDialogMove,
     HostText::ShownDialogMove},
    {Place::Dialogs, vk::Space, 0, 0, Action::None, kNoText, HostText::DoesDialogSpace},
    {Place::Dialogs, vk::Return, 0, 0, Action::None, kNoText, HostText::DoesDialogEnter},
    {Place::Dialogs, vk::Escape, 0, 0, Action::None, kNoText, HostText::DoesDialogEsc},
    {Place::Dialogs, 0, 0, 0, Action::None, kNoText, HostText::DoesDialogHotKey,
     HostText::ShownAltLetter},
    {Place::Dialogs, vk::Down, C, 0, Action::None, kNoText, HostText::DoesDialogHistory, kNoText,
     nullptr, 0, "Alt+Down"},
    // The viewer.
    {Place::Viewer, vk::F(1), 0, 0, Action::Help, HostText::KeyHelp, HostText::DoesHelp},
    {Place::Viewer, vk::F(4), 0, 0, Action::HexView, HostText::KeyHex, HostText::DoesHex},
    {Place::Viewer, vk::F(7), 0, 0, Action::Search, HostText::KeySearch, HostText::DoesSearch},
    {Place::Viewer, 0, 0, '/', Action::Search, kNoText, kNoText},
    {Place::Viewer, vk::F(7), S, 0, Action::SearchAgain, kNoText, HostText::DoesSearchAgain},
    {Place::Viewer, 0, 0, 'n', Action::SearchAgain, kNoText, kNoText},
    {Place::Viewer, 0, 0, 0, Action::Scroll, kNoText, HostText::DoesScroll, HostText::ShownScroll,
     ScrollKey},
    {Place::Viewer, vk::Escape, 0, 0, Action::Leave, kNoText, HostText::DoesLeaveView},
    {Place::Viewer, vk::F(3), 0, 0, Action::Leave, HostText::KeyQuit, kNoText},
    {Place::Viewer, vk::F(10), 0, 0, Action::Leave, HostText::KeyQuit, kNoText},
    // The editor.
    {Place::Editor, vk::F(1), 0, 0, Action::Help, HostText::KeyHelp, HostText::DoesHelp},
    {Place::Editor, vk::F(2), 0, 0, Action::Save, HostText::KeySave, HostText::DoesSave, kNoText,
     nullptr, kWritableOnly},
    {Place::Editor, vk::F(7), 0, 0, Action::Search, HostText::KeySearch, HostText::DoesSearch},
    {Place::Editor, 0, 0, '/', Action::Search, kNoText, kNoText, HostText::ShownSlashLocked,
     nullptr, kLockedOnly},
    {Place::Editor, vk::F(7), S, 0, Action::SearchAgain, kNoText, HostText::DoesSearchAgain},
    {Place::Editor, 0, 0, 'n', Action::SearchAgain, kNoText, kNoText, HostText::ShownNLocked,
     nullptr, kLockedOnly},
    {Place::Editor, 'Y', C, 0, Action::DeleteLine, kNoText, HostText::DoesDeleteLine, kNoText,
     nullptr, kWritableOnly},
    {Place::Editor, 0, 0, 0, Action::None, kNoText, HostText::DoesEditText,
     HostText::ShownEditKeys},
    {Place::Editor, vk::Escape, 0, 0, Action::Leave, kNoText, HostText::DoesLeaveEditor},
    {Place::Editor, vk::F(10), 0, 0, Action::Leave, HostText::KeyQuit, kNoText},
    // The help itself.
    {Place::Help, 0, 0, 0, Action::Scroll, kNoText, HostText::DoesScroll, HostText::ShownVertical,
     ScrollKey},
    {Place::Help, vk::Escape, 0, 0, Action::Leave, kNoText, HostText::DoesLeaveView},
    {Place::Help, vk::F(1), 0, 0, Action::Leave, kNoText, kNoText},
    {Place::Help, vk::F(10), 0, 0, Action::Leave, HostText::KeyQuit, kNoText},
    // The mouse, for the help.
    {Place::Mouse, 0, 0, 0, Action::None, kNoText, HostText::MouseClick, HostText::ShownClick},
    {Place::Mouse, 0, 0, 0, Action::None, kNoText, HostText::MouseDouble,
     HostText::ShownDoubleClick},
    {Place::Mouse, 0, 0, 0, Action::None, kNoText, HostText::MouseRight, HostText::ShownRightClick},
    {Place::Mouse, 0, 0, 0, Action::None, kNoText, HostText::MouseWheel, HostText::ShownWheel},
    {Place::Mouse, 0, 0, 0, Action::None, kNoText, HostText::MouseShift, HostText::ShownShiftDrag},
};

bool Matches(const KeyBinding &binding, const hostcore::KeyPress &key) {
  if (binding.Family != nullptr) return binding.Family(key);
  if (binding.Char != 0)
    return key.Char == binding.Char && (key.Mods & (PKF_CONTROL | PKF_ALT)) == 0;
  return binding.Vk != 0 && key.Vk == binding.Vk && key.Mods == binding.Mods;
}

struct Section {
  Place Where;
  HostText Title;
};
const Section kSections[] = {{Place::Panels, HostText::HelpPanels},
                             {Place::StatusPanel, HostText::HelpStatusPanel},
                             {Place::CommandLine, HostText::HelpCommandLine},
                             {Place::Dialogs, HostText::HelpDialogs},
                             {Place::Viewer, HostText::TitleViewer},
                             {Place::Editor, HostText::TitleEditor},
                             {Place::Help, HostText::HelpHelp},
                             {Place::Mouse, HostText::HelpMouse}};

// Where the help's descriptions start.
const int kKeyColumn = 22;

}  // namespace

const std::vector<KeyBinding> &KeyTable() { return kTable; }

const KeyBinding *FindKey(Place place, const hostcore::KeyPress &key, bool typing, bool writable) {
  for (const KeyBinding &binding : kTable) {
    if (binding.Where != place || binding.What == Action::None) continue;
    if (typing && (binding.Flags & kNotWhileTyping)) continue;
    if (!writable && (binding.Flags & kWritableOnly)) continue;
    if (writable && (binding.Flags & kLockedOnly)) continue;
    if (Matches(binding, key)) return &binding;
  }
  return nullptr;
}

std::vector<std::string> KeyBarLabels(Place place, bool writable) {
  std::vector<std::string> labels(12);
  for (const KeyBinding &binding : kTable) {
    if (binding.Where != place || binding.Label == kNoText || binding.Mods != 0) continue;
    if (!writable && (binding.Flags & kWritableOnly)) continue;
    int number = binding.Vk - vk::F1 + 1;
    if (number >= 1 && number <= 12 && labels[static_cast<size_t>(number - 1)].empty())
      labels[static_cast<size_t>(number - 1)] = Say(binding.Label);
  }
  return labels;
}

std::string KeyShown(const KeyBinding &binding) {
  if (binding.Shown != kNoText) return Say(binding.Shown);
  if (binding.Char != 0) return hostcore::Utf8Of(binding.Char);
  return hostcore::KeyName(hostcore::KeyOf(binding.Vk, binding.Mods));
}

std::vector<std::string> HelpLines() {
  std::vector<std::string> lines = {Say(HostText::HelpIntro)};
  for (const Section &section : kSections) {
    lines.push_back("");
    lines.push_back(Say(section.Title));
    // Keys that share a help line are named together before it.
    std::vector<std::string> keys;
    HostText help = kNoText;
    std::string alternative;
    auto flush = [&] {
      if (keys.empty()) return;
      std::string names;
      for (const std::string &key : keys) names += (names.empty() ? "" : ", ") + key;
      std::string line = "  " + names;
      int cells = hostcore::TextWidth(line);
      line += std::string(static_cast<size_t>(std::max(2, kKeyColumn - cells)), ' ');
      line += Say(help);
      if (!alternative.empty()) line += "  (" + Say(HostText::HelpAlternative, {alternative}) + ")";
      lines.push_back(line);
      keys.clear();
      alternative.clear();
    };
    for (const KeyBinding &binding : kTable) {
      if (binding.Where != section.Where) continue;
      if (binding.HelpLine != kNoText) {
        flush();
        help = binding.HelpLine;
      }
      keys.push_back(KeyShown(binding));
      if (binding.Alternative != nullptr) alternative = binding.Alternative;
    }
    flush();
  }
  lines.push_back("");
  lines.push_back(Say(HostText::HelpExtendedKeys));
  lines.push_back(Say(HostText::HelpExtendedKeys2));
  return lines;
}

}  // namespace console
