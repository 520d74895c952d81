// Reads "&" hot-key marks out of labels.
#include "core/hot_key.hpp"

namespace hostcore {

uint32_t FoldKey(uint32_t key) {
  if (key >= 'A' && key <= 'Z') return key - 'A' + 'a';
  if (key >= 0x410 && key <= 0x42F) return key + 0x20;  // А..Я
  if (key >= 0x400 && key <= 0x40F) return key + 0x50;  // Ѐ..Џ, Ё among them
  return key;
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

uint32_t HotKeyOf(const HotKeyLabel &label) {
  if (label.HotKeyAt < 0 || static_cast<size_t>(label.HotKeyAt) >= label.Text.size()) return 0;
  const size_t at = static_cast<size_t>(label.HotKeyAt);
  const uint32_t lead = static_cast<unsigned char>(label.Text[at]);
  // A two- or three-byte UTF-8 sequence gives its code point; any other
  // byte (ASCII, or a code page's letter) stands for itself.
  const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 1;
  uint32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead;
  for (size_t i = 1; i < length; ++i) {
    const uint32_t next =
        at + i < label.Text.size() ? static_cast<unsigned char>(label.Text[at + i]) : 0;
    if ((next & 0xC0) != 0x80) return FoldKey(lead);
    code = code << 6 | (next & 0x3F);
  }
  return FoldKey(code);
}

}  // namespace hostcore
