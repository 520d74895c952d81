// Labels with hot keys.
#include "console/label.hpp"

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

void PutLabel(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label, Role role,
              Role hotRole, int width) {
  term.Put(y, x, width >= 0 ? hostcore::FitText(label.Text, width, false, false) : label.Text,
           role);
  if (label.HotKeyAt < 0 || static_cast<size_t>(label.HotKeyAt) >= label.Text.size()) return;
  int cell =
      hostcore::CellsBefore(label.Text, static_cast<size_t>(label.HotKeyAt), hostcore::kTabEscaped);
  if (width >= 0 && cell >= width) return;
  size_t at = static_cast<size_t>(label.HotKeyAt);
  std::string key = label.Text.substr(at, hostcore::PieceAt(label.Text, at).End - at);
  if (width >= 0 && cell + hostcore::TextWidth(key) > width) return;
  term.Put(y, x + cell, key, hotRole);
}

}  // namespace console
