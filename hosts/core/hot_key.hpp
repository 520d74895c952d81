// Hot keys of menu rows, dialog items and buttons: the character after "&"
// is the key and is shown highlighted; the "&" itself is not shown.
#ifndef QUILLET_HOSTCORE_HOT_KEY_HPP
#define QUILLET_HOSTCORE_HOT_KEY_HPP

#include <string>

namespace hostcore {

// A label as shown, with the place of its hot key (-1 when it has none).
struct HotKeyLabel {
  std::string Text;
  int HotKeyAt = -1;
};
// "&&" shows one "&"; a single "&" marks the next character.
HotKeyLabel ParseHotKey(const std::string &label);
// The key as the user types it (lower case), or 0.
char HotKeyOf(const HotKeyLabel &label);
char FoldKey(char key);

}  // namespace hostcore

#endif
