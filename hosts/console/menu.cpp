// Menus.
#include "console/menu.hpp"

#include "console/label.hpp"
#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

void DrawMenu(Terminal &term, hostcore::MenuModel &menu, int &top) {
  hostcore::MenuBox box = hostcore::PlaceMenu(menu, term.Width(), term.Height());
  top = hostcore::MenuScrollTop(menu, box, top);
  term.Frame(box.Top, box.Left, box.Height, box.Width, Role::Menu, true);
  term.FrameTitle(box.Top, box.Left, box.Width, menu.Title, Role::Menu);
  term.FrameTitle(box.Top + box.Height - 1, box.Left, box.Width, menu.Bottom, Role::Menu);
  int inner = box.Width - 2;
  for (int line = 0; line < box.VisibleRows; ++line) {
    int row = top + line;
    if (row >= static_cast<int>(menu.Items.size())) break;
    int y = box.Top + 1 + line;
    if (hostcore::IsSeparator(menu, row)) {
      term.HorizontalLine(y, box.Left + 1, inner, Role::Menu, false);
      continue;
    }
    bool current = row == menu.Current;
    Role role = current ? Role::MenuCurrent : Role::Menu;
    term.Fill(y, box.Left + 1, inner, role);
    const FarMenuItem &item = menu.Items[static_cast<size_t>(row)];
    term.Put(y, box.Left + 1, item.Checked ? "\xE2\x88\x9A" : " ", role);
    PutLabel(term, y, box.Left + 2, menu.Labels[static_cast<size_t>(row)], role,
             current ? Role::MenuCurrentHotKey : Role::MenuHotKey, inner - 2);
  }
  term.HideCursor();
}

}  // namespace

int RunMenu(Terminal &term, hostcore::MenuModel &menu) {
  int top = 0;
  term.PushLayer([&] { DrawMenu(term, menu, top); });
  term.Redraw();
  int result = -1;
  for (;;) {
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    hostcore::MenuBox box = hostcore::PlaceMenu(menu, term.Width(), term.Height());
    if (mouse.Wheel())
      hostcore::MoveMenuHighlight(menu, mouse.What == MouseEvent::WheelUp ? -1 : 1);
    if (mouse.LeftPress()) {
      // A click on a row chooses it; a click beside the menu leaves it.
      int row = top + mouse.Y - box.Top - 1;
      bool inside = mouse.X > box.Left && mouse.X < box.Left + box.Width - 1 && mouse.Y > box.Top &&
                    mouse.Y < box.Top + box.Height - 1;
      if (!inside) break;
      if (row < static_cast<int>(menu.Items.size()) && !hostcore::IsSeparator(menu, row)) {
        menu.Current = row;
        result = row;
        break;
      }
    }
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) break;
    if (Is(key, vk::Return) && menu.Current >= 0) {
      result = menu.Current;
      break;
    }
    if (Is(key, vk::Up)) hostcore::MoveMenuHighlight(menu, -1);
    if (Is(key, vk::Down)) hostcore::MoveMenuHighlight(menu, 1);
    if (Is(key, vk::Home) || Is(key, vk::Prior)) hostcore::MenuHome(menu);
    if (Is(key, vk::End) || Is(key, vk::Next)) hostcore::MenuEnd(menu);
    if (key.Char != 0 && (key.Mods & PKF_CONTROL) == 0) {
      int row = hostcore::MenuRowForKey(menu, key.Char);
      if (row >= 0) {
        menu.Current = row;
        result = row;
        break;
      }
    }
    term.Redraw();
  }
  term.PopLayer();
  term.Redraw();
  return result;
}

}  // namespace console
