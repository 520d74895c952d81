// Keys as the host hands them to a plug-in's ProcessKey: a Windows
// virtual-key code with the PKF_* modifiers.  Printable keys also carry the
// character typed, for the command line and the edit lines.
#ifndef QUILLET_HOSTCORE_KEYS_HPP
#define QUILLET_HOSTCORE_KEYS_HPP

#include <stdint.h>

#include <string>

#include "far/far_api.hpp"

namespace hostcore {

// Virtual-key codes; letters and digits are their upper-case characters.
namespace vk {
const int Back = 0x08, Tab = 0x09, Return = 0x0D, Pause = 0x13, Escape = 0x1B, Space = 0x20;
const int Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
const int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
const int Insert = 0x2D, Delete = 0x2E;
const int F1 = 0x70;  // F1..F12 are 0x70..0x7B
inline int F(int number) { return F1 + number - 1; }
// The usual US-layout codes of punctuation keys.
const int OemMinus = 0xBD, OemPlus = 0xBB, OemComma = 0xBC, OemPeriod = 0xBE;
const int Oem1 = 0xBA, Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE;
}  // namespace vk

struct KeyPress {
  int Vk = 0;         // 0: a character without a key code of its own
  unsigned Mods = 0;  // PKF_CONTROL | PKF_ALT | PKF_SHIFT
  uint32_t Char = 0;  // the character typed (a code point), 0 for keys without one
};

inline KeyPress KeyOf(int code, unsigned mods = 0) {
  KeyPress key;
  key.Vk = code;
  key.Mods = mods;
  return key;
}
inline bool Is(const KeyPress &key, int code, unsigned mods = 0) {
  return key.Vk == code && key.Mods == mods;
}
// A key that types `character` (with the modifiers that came with it):
// letters and digits get their key codes, common punctuation its US code.
KeyPress CharacterKey(uint32_t character, unsigned mods = 0);
// Whether the key types text (a character without Ctrl or Alt).
bool TypesText(const KeyPress &key);
// The UTF-8 bytes of a code point.
std::string Utf8Of(uint32_t character);
// A host key code, as ACTL_POSTKEYSEQUENCE posts it (KEY_CTRL | 'L'), as
// a key press.
KeyPress KeyOfHostCode(DWORD code);
// The key's name as help and tests show it, e.g. "Ctrl+Enter", "Alt+F3", "a".
std::string KeyName(const KeyPress &key);

}  // namespace hostcore

#endif
