// Labels with hot keys.
#include "console/label.hpp"

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

void PutLabel(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, Role role,
              Role hotRole, int width) {
  std::string text = hostcore::ShowableText(label.Text);
  if (width >= 0) text = hostcore::FitText(text, width, false, false);
  term.Put(y, x, text, role);
  if (label.HotKeyAt < 0 || static_cast<size_t>(label.HotKeyAt) >= label.Text.size()) return;
  int cell = hostcore::CellsBefore(label.Text, static_cast<size_t>(label.HotKeyAt));
  if (width >= 0 && cell >= width) return;
  size_t at = static_cast<size_t>(label.HotKeyAt);
  std::string key = label.Text.substr(at, hostcore::NextCharacter(label.Text, at) - at);
  term.Put(y, x + cell, hostcore::ShowableText(key), hotRole);
}

}  // namespace console
