// A list box.
#include "console/list_box.hpp"

#include <algorithm>

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

int RunListBox(Terminal &term, const std::string &title, const std::vector<std::string> &entries,
               int start, int top, int left, int width, int maxRows) {
  if (entries.empty()) return -1;
  int count = static_cast<int>(entries.size());
  int current = std::max(0, std::min(start, count - 1));
  int first = 0;
  int rows = 1, y = 0, x = 0;  // where the last drawing put the box
  auto draw = [&] {
    rows = std::max(1, std::min(count, std::min(maxRows, term.Height() - 2)));
    y = std::max(0, std::min(top, term.Height() - rows - 2));
    x = std::max(0, std::min(left, term.Width() - width));
    if (current < first) first = current;
    if (current >= first + rows) first = current - rows + 1;
    term.Frame(y, x, rows + 2, width, Role::Menu, true);
    term.FrameTitle(y, x, width, title, Role::Menu);
    for (int row = 0; row < rows && first + row < count; ++row) {
      int index = first + row;
      std::string text =
          " " + hostcore::FitText(entries[static_cast<size_t>(index)], width - 4, false, true) +
          " ";
      term.Put(y + 1 + row, x + 1, text, index == current ? Role::MenuCurrent : Role::Menu);
    }
    term.HideCursor();
  };
  term.PushLayer(draw);
  term.Redraw();
  int result = -1;
  for (;;) {
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.Wheel()) {
      int step = mouse.What == MouseEvent::WheelUp ? -kWheelRows : kWheelRows;
      current = std::max(0, std::min(count - 1, current + step));
    }
    if (mouse.LeftPress()) {
      // A click on an entry chooses it; a click beside the box leaves it.
      int row = mouse.Y - y - 1;
      if (mouse.X <= x || mouse.X >= x + width - 1 || row < 0 || row >= rows) break;
      if (first + row < count) {
        result = first + row;
        break;
      }
    }
    int page = std::max(1, std::min(count, maxRows) - 1);
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) break;
    if (Is(key, vk::Return)) {
      result = current;
      break;
    }
    if (Is(key, vk::Up)) current = current > 0 ? current - 1 : count - 1;
    if (Is(key, vk::Down)) current = current + 1 < count ? current + 1 : 0;
    if (Is(key, vk::Prior)) current = std::max(0, current - page);
    if (Is(key, vk::Next)) current = std::min(count - 1, current + page);
    if (Is(key, vk::Home)) current = 0;
    if (Is(key, vk::End)) current = count - 1;
    term.Redraw();
  }
  term.PopLayer();
  term.Redraw();
  return result;
}

}  // namespace console
