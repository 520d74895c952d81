// Terminal byte sequences to keys.
#include "console/key_decoder.hpp"

#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "core/screen_text.hpp"

namespace console {

using hostcore::KeyPress;
namespace vk = hostcore::vk;

const char *const kExtendedKeysOn = "\x1b[>4;2m";
const char *const kExtendedKeysOff = "\x1b[>4;0m";

namespace {

const char kEsc = 0x1B;

// xterm's modifier parameter: 1 + (1 Shift, 2 Alt, 4 Ctrl, 8 Meta).
unsigned ModsOf(int parameter) {
  if (parameter < 2) return 0;
  int bits = parameter - 1;
  unsigned mods = 0;
  if (bits & 1) mods |= PKF_SHIFT;
  if (bits & (2 | 8)) mods |= PKF_ALT;
  if (bits & 4) mods |= PKF_CONTROL;
  return mods;
}

// Whether a character may be typed as text: not a control (C0, DEL, C1),
// not a surrogate, within Unicode.
bool Typable(long code) {
  return code >= 0x20 && !(code >= 0x7F && code < 0xA0) && !(code >= 0xD800 && code <= 0xDFFF) &&
         code <= 0x10FFFF;
}

// A key given by its character code, as CSI u and modifyOtherKeys give it.
KeyPress CodeKey(long code, unsigned mods) {
  switch (code) {
    case 9:
      return hostcore::KeyOf(vk::Tab, mods);
    case 13:
      return hostcore::KeyOf(vk::Return, mods);
    case 27:
      return hostcore::KeyOf(vk::Escape, mods);
    case 8:
    case 127:
      return hostcore::KeyOf(vk::Back, mods);
    default:
      break;
  }
  if (!Typable(code)) return KeyPress();
  uint32_t character = static_cast<uint32_t>(code);
  // Shift with a letter arrives as the capital letter or as the small one.
  if ((mods & PKF_SHIFT) && character >= 'a' && character <= 'z') character -= 'a' - 'A';
  KeyPress key = hostcore::CharacterKey(character, mods);
  key.Mods |= mods;
  return key;
}

KeyPress TildeKey(int number, unsigned mods) {
  switch (number) {
    case 1:
    case 7:
      return hostcore::KeyOf(vk::Home, mods);
    case 2:
      return hostcore::KeyOf(vk::Insert, mods);
    case 3:
      return hostcore::KeyOf(vk::Delete, mods);
    case 4:
    case 8:
      return hostcore::KeyOf(vk::End, mods);
    case 5:
      return hostcore::KeyOf(vk::Prior, mods);
    case 6:
      return hostcore::KeyOf(vk::Next, mods);
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return hostcore::KeyOf(vk::F(number - 10), mods);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return hostcore::KeyOf(vk::F(number - 11), mods);
    case 23:
    case 24:
      return hostcore::KeyOf(vk::F(number - 12), mods);
    default:
      return KeyPress();
  }
}

KeyPress LetterKey(char final, unsigned mods) {
  switch (final) {
    case 'A':
      return hostcore::KeyOf(vk::Up, mods);
    case 'B':
      return hostcore::KeyOf(vk::Down, mods);
    case 'C':
      return hostcore::KeyOf(vk::Right, mods);
    case 'D':
      return hostcore::KeyOf(vk::Left, mods);
    case 'H':
      return hostcore::KeyOf(vk::Home, mods);
    case 'F':
      return hostcore::KeyOf(vk::End, mods);
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return hostcore::KeyOf(vk::F(final - 'P' + 1), mods);
    case 'M':
      return hostcore::KeyOf(vk::Return, mods);  // keypad Enter in application mode
    case 'Z':
      return hostcore::KeyOf(vk::Tab, mods | PKF_SHIFT);
    default:
      return KeyPress();
  }
}

Decoded Found(const KeyPress &key, size_t used) {
  Decoded result;
  result.What = key.Vk != 0 || key.Char != 0 ? Decoded::Key : Decoded::Skip;
  result.Press = key;
  result.Used = used;
  return result;
}

Decoded Wait() {
  Decoded result;
  result.What = Decoded::NeedMore;
  return result;
}

// ESC [ < b ; x ; y M (press) or m (release): xterm's SGR mouse report.
// Motion and the sideways wheel are skipped.
Decoded DecodeMouse(const std::string &body, char last, size_t used) {
  long b = 0, x = 0, y = 0;
  char tail = 0;
  Decoded result;
  result.Used = used;
  if ((last != 'M' && last != 'm') ||
      sscanf(body.c_str() + 1, "%ld;%ld;%ld%c", &b, &x, &y, &tail) != 3 || b < 0 || x < 1 ||
      y < 1 || x > 10000 || y > 10000 || (b & 32) != 0)
    return result;
  MouseEvent &mouse = result.Pointer;
  mouse.X = static_cast<int>(x - 1);
  mouse.Y = static_cast<int>(y - 1);
  if (b & 4) mouse.Mods |= PKF_SHIFT;
  if (b & 8) mouse.Mods |= PKF_ALT;
  if (b & 16) mouse.Mods |= PKF_CONTROL;
  int button = static_cast<int>(b & 3);
  if (b & 64) {
    if (button > 1) return result;
    mouse.What = button == 0 ? MouseEvent::WheelUp : MouseEvent::WheelDown;
  } else {
    if (button == 3) return result;  // the old form's release: no button given
    mouse.What = last == 'M' ? MouseEvent::Press : MouseEvent::Release;
    mouse.Button = button;
  }
  result.What = Decoded::Mouse;
  return result;
}

// ESC [ params final.
Decoded DecodeCsi(const std::string &bytes, bool final) {
  size_t at = 2;
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) >= 0x20 &&
         static_cast<unsigned char>(bytes[at]) < 0x40)
    ++at;
  if (at >= bytes.size()) {
    if (!final) return Wait();
    return Found(KeyPress(), bytes.size());
  }
  char last = bytes[at];
  std::string body = bytes.substr(2, at - 2);
  std::vector<long> params;
  if (!body.empty() && body[0] == '<') return DecodeMouse(body, last, at + 1);
  if (!body.empty() && (body[0] == '>' || body[0] == '?'))
    return Found(KeyPress(), at + 1);
  size_t start = 0;
  while (start <= body.size()) {
    size_t semicolon = body.find(';', start);
    if (semicolon == std::string::npos) semicolon = body.size();
    // Sub-parameters after ':' (alternate keys, event types) are not used.
    params.push_back(strtol(body.substr(start, semicolon - start).c_str(), nullptr, 10));
    start = semicolon + 1;
  }
  long first = params.empty() ? 0 : params[0];
  unsigned mods = params.size() > 1 ? ModsOf(static_cast<int>(params[1])) : 0;
  if (last == '~') {
    if (first == 27 && params.size() > 2) return Found(CodeKey(params[2], mods), at + 1);
    return Found(TildeKey(static_cast<int>(first), mods), at + 1);
  }
  if (last == 'u') return Found(CodeKey(first, mods), at + 1);
  return Found(LetterKey(last, mods), at + 1);
}

}  // namespace

Decoded DecodeKey(const std::string &bytes, bool final) {
  unsigned char lead = static_cast<unsigned char>(bytes[0]);
  if (lead == static_cast<unsigned char>(kEsc)) {
    if (bytes.size() == 1) return final ? Found(hostcore::KeyOf(vk::Escape), 1) : Wait();
    char next = bytes[1];
    // Two ESCs are Esc pressed twice, not Alt+Esc: the second may start a
    // sequence of its own.
    if (next == kEsc) return Found(hostcore::KeyOf(vk::Escape), 1);
    if (next == '[') return DecodeCsi(bytes, final);
    if (next == 'O') {
      if (bytes.size() < 3) return final ? Found(KeyPress(), 2) : Wait();
      return Found(LetterKey(bytes[2], 0), 3);
    }
    // ESC before a key is Alt with that key.
    Decoded inner = DecodeKey(bytes.substr(1), final);
    if (inner.What == Decoded::NeedMore) return inner;
    if (inner.What == Decoded::Skip) return Found(KeyPress(), inner.Used + 1);
    KeyPress key = inner.Press;
    key.Mods |= PKF_ALT;
    return Found(key, inner.Used + 1);
  }
  switch (lead) {
    case 0x0D:
      return Found(hostcore::KeyOf(vk::Return), 1);
    case 0x09:
      return Found(hostcore::KeyOf(vk::Tab), 1);
    case 0x7F:
    case 0x08:
      return Found(hostcore::KeyOf(vk::Back), 1);
    case 0x00:
      return Found(hostcore::KeyOf(vk::Space, PKF_CONTROL), 1);
    case 0x1C:
      return Found(hostcore::KeyOf(vk::Oem5, PKF_CONTROL), 1);  // Ctrl+Backslash
    case 0x1D:
      return Found(hostcore::KeyOf(vk::Oem6, PKF_CONTROL), 1);
    case 0x1E:
      return Found(hostcore::KeyOf('6', PKF_CONTROL), 1);
    case 0x1F:
      return Found(hostcore::KeyOf(vk::OemMinus, PKF_CONTROL), 1);
    default:
      break;
  }
  if (lead < 0x20) return Found(hostcore::KeyOf('A' + lead - 1, PKF_CONTROL), 1);
  size_t length = hostcore::Utf8Length(bytes, 0);
  if (length == 0) {
    // A UTF-8 character that has not fully arrived yet, or a stray byte.
    size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (!final && want > bytes.size() && want > 1) return Wait();
    return Found(KeyPress(), 1);
  }
  uint32_t code = lead & (length == 1 ? 0x7F : (0x7F >> length));
  for (size_t i = 1; i < length; ++i) code = (code << 6) | (bytes[i] & 0x3F);
  if (!Typable(code)) return Found(KeyPress(), length);  // a C1 control in a paste
  return Found(hostcore::CharacterKey(code), length);
}

KeyPress ApplyAlternatives(const KeyPress &key) {
  if (hostcore::Is(key, 'J', PKF_CONTROL)) return hostcore::KeyOf(vk::Return, PKF_CONTROL);
  if (hostcore::Is(key, 'Q', PKF_CONTROL)) return hostcore::KeyOf(vk::Escape, PKF_SHIFT);
  if (hostcore::Is(key, 'P', PKF_CONTROL)) return hostcore::KeyOf(vk::F(11));
  if (key.Mods == PKF_ALT && key.Vk >= '0' && key.Vk <= '9')
    return hostcore::KeyOf(key.Vk, PKF_CONTROL);
  return key;
}

}  // namespace console
