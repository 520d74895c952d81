// The host's colours, kept in one place: the classic look of the two-panel
// file manager (blue panels, cyan names, yellow selection, a cyan cursor
// bar), grey dialogs, red warnings, cyan menus.
#ifndef QUILLET_CONSOLE_COLORS_HPP
#define QUILLET_CONSOLE_COLORS_HPP

namespace console {

enum class Role {
  Screen,
  PanelFrame,
  PanelTitle,        // the panel's title on its frame
  PanelActiveTitle,  // the same on the active panel
  ColumnTitle,
  PanelText,
  PanelFolder,
  PanelSelected,
  PanelCursor,
  PanelCursorSelected,
  PanelChanged,   // rows the module marks with attribute 0x800 (modified, added, removed)
  PanelIncoming,  // rows marked 0x40 (changed in the repository)
  PanelInfoLabel,
  PanelInfoData,
  CommandLine,
  KeyNumber,
  KeyLabel,
  Dialog,
  DialogHotKey,
  DialogFocus,  // the focused button, check box or radio button
  DialogEdit,
  DialogEditFocus,
  Warning,
  WarningHotKey,
  WarningFocus,
  Menu,
  MenuHotKey,
  MenuCurrent,
  MenuCurrentHotKey,
  EditorText,
  EditorStatus,
  EditorFound,
  Count
};

// Sets up the colour pairs (after the screen is opened).
void InitColors();
// The curses attribute of a role.
unsigned long RoleAttribute(Role role);

// The colours of one kind of box: normal dialogs and warning boxes.
struct BoxLook {
  Role Body, HotKey, Focus, Edit, EditFocus;
};
BoxLook DialogLook();
BoxLook WarningLook();

}  // namespace console

#endif
