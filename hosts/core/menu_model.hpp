// The host's menu: rows from FarMenuItem records, separators, hot keys,
// the highlighted row and its moves, and where the menu sits on screen.
#ifndef QUILLET_HOSTCORE_MENU_MODEL_HPP
#define QUILLET_HOSTCORE_MENU_MODEL_HPP

#include <string>
#include <vector>

#include "core/hot_key.hpp"
#include "far/far_api.hpp"

namespace hostcore {

struct MenuModel {
  // The call as the module made it.
  INT_PTR PluginNumber = 0;
  int X = -1, Y = -1, MaxHeight = 0;
  DWORD Flags = 0;
  std::string Title, Bottom, HelpTopic;
  std::vector<FarMenuItem> Items;
  // Each row as shown, with its hot key (from "&", or assigned by
  // FMENU_AUTOHIGHLIGHT); separators have none.
  std::vector<HotKeyLabel> Labels;
  std::vector<uint32_t> HotKeys;
  // The highlighted row (an index into Items), -1 when every row is a separator.
  int Current = -1;
};

// Builds the menu; the highlighted row starts on the first row marked
// Selected, else on the first that is not a separator.
MenuModel NewMenu(INT_PTR pluginNumber, int x, int y, int maxHeight, DWORD flags, const char *title,
                  const char *bottom, const char *helpTopic, const FarMenuItem *items, int count);
bool IsSeparator(const MenuModel &menu, int row);
// Moves the highlight by `step` rows (1 down, -1 up), over separators; at
// either end it wraps round with FMENU_WRAPMODE and stays otherwise.
void MoveMenuHighlight(MenuModel &menu, int step);
void MenuHome(MenuModel &menu);
void MenuEnd(MenuModel &menu);
// The row whose hot key is `key` (case does not matter), or -1.
int MenuRowForKey(const MenuModel &menu, uint32_t key);
// What a menu returns for the row the user chose: the row when it can be
// chosen, else -1 (also for Esc).
int MenuResult(const MenuModel &menu, int row);

// Where a menu sits: its frame, and how many rows show at once.
struct MenuBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int VisibleRows = 0;
};
// Centred where X or Y is -1; as wide as the longest row or the title
// (plus frame and margins) and as high as its rows, within the screen and
// MaxHeight.
MenuBox PlaceMenu(const MenuModel &menu, int screenWidth, int screenHeight);
// The first row to show so that the highlighted one is visible.
int MenuScrollTop(const MenuModel &menu, const MenuBox &box, int top);

}  // namespace hostcore

#endif
