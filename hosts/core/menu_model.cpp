// Menu rows, hot keys, the highlight and the menu's place on screen.
#include "core/menu_model.hpp"

#include "core/column_layout.hpp"

#include <ctype.h>
#include <string.h>

#include <algorithm>

namespace hostcore {

namespace {
// Frame and one blank on each side of a row; the title needs a blank on
// each side inside the top border.
const int kMenuChrome = 4;
const int kMenuTitleMargin = 4;

int Count(const MenuModel &menu) { return static_cast<int>(menu.Items.size()); }

// Gives every row without a hot key of its own the first letter or digit of
// its text that no other row uses yet.
void AssignHotKeys(MenuModel &menu) {
  std::vector<uint32_t> used;
  for (uint32_t key : menu.HotKeys)
    if (key != 0) used.push_back(key);
  for (int row = 0; row < Count(menu); ++row) {
    if (IsSeparator(menu, row) || menu.HotKeys[static_cast<size_t>(row)] != 0) continue;
    HotKeyLabel &label = menu.Labels[static_cast<size_t>(row)];
    for (size_t i = 0; i < label.Text.size(); ++i) {
      const uint32_t key = FoldKey(static_cast<unsigned char>(label.Text[i]));
      if (key >= 0x80 || !isalnum(static_cast<int>(key)) ||
          std::find(used.begin(), used.end(), key) != used.end())
        continue;
      label.HotKeyAt = static_cast<int>(i);
      menu.HotKeys[static_cast<size_t>(row)] = key;
      used.push_back(key);
      break;
    }
  }
}
}  // namespace

MenuModel NewMenu(INT_PTR pluginNumber, int x, int y, int maxHeight, DWORD flags, const char *title,
                  const char *bottom, const char *helpTopic, const FarMenuItem *items, int count) {
  MenuModel menu;
  menu.PluginNumber = pluginNumber;
  menu.X = x;
  menu.Y = y;
  menu.MaxHeight = maxHeight;
  menu.Flags = flags;
  menu.Title = title != nullptr ? title : "";
  menu.Bottom = bottom != nullptr ? bottom : "";
  menu.HelpTopic = helpTopic != nullptr ? helpTopic : "";
  if (items != nullptr && count > 0) menu.Items.assign(items, items + count);
  for (const FarMenuItem &item : menu.Items) {
    std::string text(item.Text, strnlen(item.Text, sizeof(item.Text)));
    HotKeyLabel label;
    if (item.Separator) {
      label.Text = "";
    } else if (flags & FMENU_SHOWAMPERSAND) {
      label.Text = text;
    } else {
      label = ParseHotKey(text);
    }
    menu.Labels.push_back(label);
    menu.HotKeys.push_back(item.Separator ? 0 : HotKeyOf(label));
  }
  if (flags & FMENU_AUTOHIGHLIGHT) AssignHotKeys(menu);
  for (int row = 0; row < Count(menu) && menu.Current < 0; ++row) {
    if (menu.Items[static_cast<size_t>(row)].Selected && !IsSeparator(menu, row))
      menu.Current = row;
  }
  if (menu.Current < 0) MenuHome(menu);
  return menu;
}

bool IsSeparator(const MenuModel &menu, int row) {
  return row >= 0 && row < Count(menu) && menu.Items[static_cast<size_t>(row)].Separator != 0;
}

void MoveMenuHighlight(MenuModel &menu, int step) {
  int count = Count(menu);
  if (count == 0 || step == 0 || menu.Current < 0) return;
  int row = menu.Current;
  for (int tries = 0; tries < count; ++tries) {
    int next = row + step;
    if (next < 0 || next >= count) {
      if (!(menu.Flags & FMENU_WRAPMODE)) return;
      next = next < 0 ? count - 1 : 0;
    }
    row = next;
    if (!IsSeparator(menu, row)) {
      menu.Current = row;
      return;
    }
  }
}

void MenuHome(MenuModel &menu) {
  menu.Current = -1;
  for (int row = 0; row < Count(menu); ++row) {
    if (!IsSeparator(menu, row)) {
      menu.Current = row;
      return;
    }
  }
}

void MenuEnd(MenuModel &menu) {
  for (int row = Count(menu) - 1; row >= 0; --row) {
    if (!IsSeparator(menu, row)) {
      menu.Current = row;
      return;
    }
  }
}

int MenuRowForKey(const MenuModel &menu, uint32_t key) {
  key = FoldKey(key);
  if (key == 0) return -1;
  for (int row = 0; row < Count(menu); ++row) {
    if (menu.HotKeys[static_cast<size_t>(row)] == key) return row;
  }
  return -1;
}

int MenuResult(const MenuModel &menu, int row) {
  if (row < 0 || row >= Count(menu) || IsSeparator(menu, row)) return -1;
  return row;
}

MenuBox PlaceMenu(const MenuModel &menu, int screenWidth, int screenHeight) {
  MenuBox box;
  int widest = 0;
  for (const HotKeyLabel &label : menu.Labels) widest = std::max(widest, TextWidth(label.Text));
  int width = widest + kMenuChrome;
  width = std::max(width, TextWidth(menu.Title) + kMenuTitleMargin);
  width = std::max(width, TextWidth(menu.Bottom) + kMenuTitleMargin);
  width = std::min(width, std::max(screenWidth, 1));
  int rows = Count(menu);
  int maxRows = screenHeight - 2;
  if (menu.MaxHeight > 0) maxRows = std::min(maxRows, menu.MaxHeight);
  box.VisibleRows = std::max(0, std::min(rows, maxRows));
  box.Width = width;
  box.Height = box.VisibleRows + 2;
  box.Left = menu.X >= 0 ? menu.X : (screenWidth - width) / 2;
  box.Top = menu.Y >= 0 ? menu.Y : (screenHeight - box.Height) / 2;
  box.Left = std::max(0, std::min(box.Left, screenWidth - width));
  box.Top = std::max(0, std::min(box.Top, screenHeight - box.Height));
  return box;
}

int MenuScrollTop(const MenuModel &menu, const MenuBox &box, int top) {
  if (box.VisibleRows <= 0 || menu.Current < 0) return 0;
  if (menu.Current < top) top = menu.Current;
  if (menu.Current >= top + box.VisibleRows) top = menu.Current - box.VisibleRows + 1;
  int last = std::max(0, Count(menu) - box.VisibleRows);
  return std::max(0, std::min(top, last));
}

}  // namespace hostcore
