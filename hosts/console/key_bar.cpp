// The key bar.
#include "console/key_bar.hpp"

#include <algorithm>

#include "core/column_layout.hpp"

namespace console {

namespace {
const int kKeys = 12;
}  // namespace

int KeyBarNumberAt(int width, int x) {
  int slot = std::max(1, width / kKeys);
  return std::max(1, std::min(kKeys, x / slot + 1));
}

bool KeyBarClick(const Terminal &term, const MouseEvent &mouse, hostcore::KeyPress &key) {
  if (!mouse.LeftPress() || mouse.Y != term.Height() - 1) return false;
  key = hostcore::KeyOf(hostcore::vk::F(KeyBarNumberAt(term.Width(), mouse.X)));
  return true;
}

void DrawKeyBar(Terminal &term, int y, const std::vector<std::string> &labels) {
  const int keys = kKeys;
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
