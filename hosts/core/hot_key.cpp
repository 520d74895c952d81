// Reads "&" hot-key marks out of labels.
#include "core/hot_key.hpp"

namespace hostcore {

char FoldKey(char key) {
  return (key >= 'A' && key <= 'Z') ? static_cast<char>(key - 'A' + 'a') : key;
}

HotKeyLabel ParseHotKey(const std::string &label) {
  HotKeyLabel parsed;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&' && i + 1 < label.size()) {
      if (label[i + 1] == '&') {
        parsed.Text += '&';
        ++i;
        continue;
      }
      if (parsed.HotKeyAt < 0) parsed.HotKeyAt = static_cast<int>(parsed.Text.size());
      continue;
    }
    parsed.Text += label[i];
  }
  return parsed;
}

char HotKeyOf(const HotKeyLabel &label) {
  if (label.HotKeyAt < 0 || static_cast<size_t>(label.HotKeyAt) >= label.Text.size()) return 0;
  return FoldKey(label.Text[static_cast<size_t>(label.HotKeyAt)]);
}

}  // namespace hostcore
