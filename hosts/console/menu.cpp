// Menus.
#include "console/menu.hpp"

#include "console/label.hpp"
#include "console/modal.hpp"
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

// The menu waiting for a row.
class MenuModal : public Modal {
 public:
  MenuModal(Terminal &term, hostcore::MenuModel &menu) : term_(term), menu_(menu) {}
  int Result = -1;

  void Draw(Terminal &term) override { DrawMenu(term, menu_, top_); }
  void OnEvent(const Event &event) override {
    if (event.What == Event::Mouse) return OnMouse(event.Pointer);
    if (event.What != Event::Key) return;
    const hostcore::KeyPress &key = event.Press;
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) return End();
    if (Is(key, vk::Return) && menu_.Current >= 0) return Choose(menu_.Current);
    if (Is(key, vk::Up)) hostcore::MoveMenuHighlight(menu_, -1);
    if (Is(key, vk::Down)) hostcore::MoveMenuHighlight(menu_, 1);
    if (Is(key, vk::Home) || Is(key, vk::Prior)) hostcore::MenuHome(menu_);
    if (Is(key, vk::End) || Is(key, vk::Next)) hostcore::MenuEnd(menu_);
    if (key.Char != 0 && (key.Mods & PKF_CONTROL) == 0) {
      int row = hostcore::MenuRowForKey(menu_, key.Char);
      if (row >= 0) Choose(row);
    }
  }

 private:
  void OnMouse(const MouseEvent &mouse) {
    if (mouse.Wheel())
      hostcore::MoveMenuHighlight(menu_, mouse.What == MouseEvent::WheelUp ? -1 : 1);
    if (!mouse.LeftPress()) return;
    // A click on a row chooses it; a click beside the menu leaves it.
    hostcore::MenuBox box = hostcore::PlaceMenu(menu_, term_.Width(), term_.Height());
    int row = top_ + mouse.Y - box.Top - 1;
    bool inside = mouse.X > box.Left && mouse.X < box.Left + box.Width - 1 && mouse.Y > box.Top &&
                  mouse.Y < box.Top + box.Height - 1;
    if (!inside) return End();
    if (row < static_cast<int>(menu_.Items.size()) && !hostcore::IsSeparator(menu_, row))
      Choose(row);
  }
  void Choose(int row) {
    menu_.Current = row;
    Result = row;
    End();
  }
  Terminal &term_;
  hostcore::MenuModel &menu_;
  int top_ = 0;
};

}  // namespace

int RunMenu(Terminal &term, hostcore::MenuModel &menu) {
  MenuModal modal(term, menu);
  RunModal(term, modal);
  return modal.Result;
}

}  // namespace console
