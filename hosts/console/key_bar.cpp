// The key bar.
#include "console/key_bar.hpp"

#include "core/column_layout.hpp"

namespace console {

void DrawKeyBar(Terminal &term, int y, const std::vector<std::string> &labels) {
  const int keys = 12;
  int width = term.Width();
  int slot = width / keys;
  int x = 0;
  for (int i = 0; i < keys; ++i) {
    int cells = i + 1 == keys ? width - x : slot;
    std::string number = std::to_string(i + 1);
    std::string label =
        static_cast<size_t>(i) < labels.size() ? labels[static_cast<size_t>(i)] : "";
    term.Put(y, x, number, Role::KeyNumber);
    int labelCells = cells - static_cast<int>(number.size());
    term.Put(y, x + static_cast<int>(number.size()),
             hostcore::FitText(label, std::max(0, labelCells), false, false), Role::KeyLabel);
    x += cells;
  }
}

}  // namespace console
