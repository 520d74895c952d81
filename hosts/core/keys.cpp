// Key codes of typed characters and key names.
#include "core/keys.hpp"

namespace hostcore {

KeyPress CharacterKey(uint32_t character, unsigned mods) {
  KeyPress key;
  key.Char = character;
  key.Mods = mods;
  if (character >= 'a' && character <= 'z') {
    key.Vk = static_cast<int>(character - 'a' + 'A');
  } else if ((character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9')) {
    key.Vk = static_cast<int>(character);
    if (character >= 'A' && character <= 'Z') key.Mods |= PKF_SHIFT;
  } else if (character == ' ') {
    key.Vk = vk::Space;
  } else {
    switch (character) {
      case '-':
        key.Vk = vk::OemMinus;
        break;
      case '=':
        key.Vk = vk::OemPlus;
        break;
      case ',':
        key.Vk = vk::OemComma;
        break;
      case '.':
        key.Vk = vk::OemPeriod;
        break;
      case ';':
        key.Vk = vk::Oem1;
        break;
      case '/':
        key.Vk = vk::Oem2;
        break;
      case '`':
        key.Vk = vk::Oem3;
        break;
      case '[':
        key.Vk = vk::Oem4;
        break;
      case '\\':
        key.Vk = vk::Oem5;
        break;
      case ']':
        key.Vk = vk::Oem6;
        break;
      case '\'':
        key.Vk = vk::Oem7;
        break;
      default:
        key.Vk = 0;
        break;
    }
  }
  return key;
}

KeyPress KeyOfHostCode(DWORD code) {
  unsigned mods = 0;
  if (code & KEY_CTRL) mods |= PKF_CONTROL;
  if (code & KEY_ALT) mods |= PKF_ALT;
  if (code & KEY_SHIFT) mods |= PKF_SHIFT;
  uint32_t base = code & 0xFFFFu;
  KeyPress key;
  if ((base >= 'A' && base <= 'Z') || (base >= '0' && base <= '9')) {
    key.Vk = static_cast<int>(base);
    key.Char = base >= 'A' && base <= 'Z' && mods == 0 ? base - 'A' + 'a' : base;
    if (mods != 0) key.Char = base;
  } else if (base >= 0x20 && base < 0x7F) {
    key = CharacterKey(base);
  } else {
    key.Vk = static_cast<int>(base);
  }
  key.Mods = mods;
  return key;
}

bool TypesText(const KeyPress &key) {
  return key.Char >= 0x20 && key.Char != 0x7F && (key.Mods & (PKF_CONTROL | PKF_ALT)) == 0;
}

std::string Utf8Of(uint32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string KeyName(const KeyPress &key) {
  std::string name;
  if (key.Mods & PKF_CONTROL) name += "Ctrl+";
  if (key.Mods & PKF_ALT) name += "Alt+";
  bool letter = key.Vk >= 'A' && key.Vk <= 'Z';
  if ((key.Mods & PKF_SHIFT) && !(letter && key.Char != 0 && name.empty())) name += "Shift+";
  switch (key.Vk) {
    case vk::Back:
      return name + "Backspace";
    case vk::Tab:
      return name + "Tab";
    case vk::Return:
      return name + "Enter";
    case vk::Pause:
      return name + "Break";
    case vk::Escape:
      return name + "Esc";
    case vk::Space:
      return name + "Space";
    case vk::Prior:
      return name + "PgUp";
    case vk::Next:
      return name + "PgDn";
    case vk::End:
      return name + "End";
    case vk::Home:
      return name + "Home";
    case vk::Left:
      return name + "Left";
    case vk::Up:
      return name + "Up";
    case vk::Right:
      return name + "Right";
    case vk::Down:
      return name + "Down";
    case vk::Insert:
      return name + "Ins";
    case vk::Delete:
      return name + "Del";
    default:
      break;
  }
  if (key.Vk >= vk::F1 && key.Vk <= vk::F(12))
    return name + "F" + std::to_string(key.Vk - vk::F1 + 1);
  if (key.Char != 0 && name.empty()) return Utf8Of(key.Char);
  if (letter || (key.Vk >= '0' && key.Vk <= '9')) return name + static_cast<char>(key.Vk);
  if (key.Char != 0) return name + Utf8Of(key.Char);
  return name + "?";
}

}  // namespace hostcore
