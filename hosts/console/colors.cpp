// The colour pairs of each role.
#include "console/colors.hpp"

#include <curses.h>

namespace console {

namespace {

struct Look {
  short Fore, Back;
  attr_t Extra;
};

Look LookOf(Role role) {
  switch (role) {
    case Role::Screen:
      return {COLOR_WHITE, COLOR_BLACK, A_NORMAL};
    case Role::PanelFrame:
      return {COLOR_CYAN, COLOR_BLUE, A_BOLD};
    case Role::PanelTitle:
      return {COLOR_CYAN, COLOR_BLUE, A_BOLD};
    case Role::PanelActiveTitle:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::ColumnTitle:
      return {COLOR_YELLOW, COLOR_BLUE, A_BOLD};
    case Role::PanelText:
      return {COLOR_CYAN, COLOR_BLUE, A_BOLD};
    case Role::PanelFolder:
      return {COLOR_WHITE, COLOR_BLUE, A_BOLD};
    case Role::PanelSelected:
      return {COLOR_YELLOW, COLOR_BLUE, A_BOLD};
    case Role::PanelCursor:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::PanelCursorSelected:
      return {COLOR_YELLOW, COLOR_CYAN, A_BOLD};
    case Role::PanelChanged:
      return {COLOR_GREEN, COLOR_BLUE, A_BOLD};
    case Role::PanelIncoming:
      return {COLOR_MAGENTA, COLOR_BLUE, A_BOLD};
    case Role::PanelInfoLabel:
      return {COLOR_CYAN, COLOR_BLUE, A_BOLD};
    case Role::PanelInfoData:
      return {COLOR_WHITE, COLOR_BLUE, A_BOLD};
    case Role::CommandLine:
      return {COLOR_WHITE, COLOR_BLACK, A_NORMAL};
    case Role::KeyNumber:
      return {COLOR_WHITE, COLOR_BLACK, A_NORMAL};
    case Role::KeyLabel:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::Dialog:
      return {COLOR_BLACK, COLOR_WHITE, A_NORMAL};
    case Role::DialogHotKey:
      return {COLOR_YELLOW, COLOR_WHITE, A_BOLD};
    case Role::DialogFocus:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::DialogEdit:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::DialogEditFocus:
      return {COLOR_WHITE, COLOR_BLACK, A_BOLD};
    case Role::Warning:
      return {COLOR_WHITE, COLOR_RED, A_BOLD};
    case Role::WarningHotKey:
      return {COLOR_YELLOW, COLOR_RED, A_BOLD};
    case Role::WarningFocus:
      return {COLOR_BLACK, COLOR_WHITE, A_NORMAL};
    case Role::Menu:
      return {COLOR_WHITE, COLOR_CYAN, A_BOLD};
    case Role::MenuHotKey:
      return {COLOR_YELLOW, COLOR_CYAN, A_BOLD};
    case Role::MenuCurrent:
      return {COLOR_WHITE, COLOR_BLACK, A_BOLD};
    case Role::MenuCurrentHotKey:
      return {COLOR_YELLOW, COLOR_BLACK, A_BOLD};
    case Role::EditorText:
      return {COLOR_CYAN, COLOR_BLUE, A_BOLD};
    case Role::EditorStatus:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    case Role::EditorFound:
      return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
    default:
      return {COLOR_WHITE, COLOR_BLACK, A_NORMAL};
  }
}

bool colours = false;

}  // namespace

void InitColors() {
  colours = has_colors();
  if (!colours) return;
  start_color();
  for (int role = 0; role < static_cast<int>(Role::Count); ++role) {
    Look look = LookOf(static_cast<Role>(role));
    init_pair(static_cast<short>(role + 1), look.Fore, look.Back);
  }
}

unsigned long RoleAttribute(Role role) {
  Look look = LookOf(role);
  if (!colours) {
    // Without colours the cursor bar and the focus still show.
    bool inverse = role == Role::PanelCursor || role == Role::PanelCursorSelected ||
                   role == Role::MenuCurrent || role == Role::DialogFocus ||
                   role == Role::PanelActiveTitle || role == Role::KeyLabel;
    return inverse ? A_REVERSE : A_NORMAL;
  }
  return COLOR_PAIR(static_cast<int>(role) + 1) | look.Extra;
}

BoxLook DialogLook() {
  return {Role::Dialog, Role::DialogHotKey, Role::DialogFocus, Role::DialogEdit,
          Role::DialogEditFocus};
}
BoxLook WarningLook() {
  return {Role::Warning, Role::WarningHotKey, Role::WarningFocus, Role::DialogEdit,
          Role::DialogEditFocus};
}

}  // namespace console
