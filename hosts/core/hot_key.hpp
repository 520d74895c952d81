// Hot keys of menu rows, dialog items and buttons: the character after "&"
// is the key and is shown highlighted; the "&" itself is not shown.
#ifndef QUILLET_HOSTCORE_HOT_KEY_HPP
#define QUILLET_HOSTCORE_HOT_KEY_HPP

#include <stdint.h>

#include <string>

namespace hostcore {

// A label as shown, with the place of its hot key (-1 when it has none).
struct HotKeyLabel {
  std::string Text;
  int HotKeyAt = -1;
};
// "&&" shows one "&"; a single "&" marks the next character.
HotKeyLabel ParseHotKey(const std::string &label);
// The key as the user types it: the character's code point (a UTF-8
// label's, else its byte), in lower case, or 0.
uint32_t HotKeyOf(const HotKeyLabel &label);
// Lower case of Latin and Cyrillic letters, so that a Russian hot key is
// taken with or without Shift; anything else as it is.
uint32_t FoldKey(uint32_t key);

}  // namespace hostcore

#endif
