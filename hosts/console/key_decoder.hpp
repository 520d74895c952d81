// Turns the bytes a terminal sends into keys: plain characters (UTF-8),
// control characters, xterm's and tmux's escape sequences with their
// modifiers, xterm's modifyOtherKeys form (ESC [ 27 ; m ; c ~) and the
// CSI u form (ESC [ c ; m u) that carry Ctrl+Enter, Shift+Esc and
// Ctrl+digits when the terminal is asked to send them; and xterm's SGR
// mouse reports.
#ifndef QUILLET_CONSOLE_KEY_DECODER_HPP
#define QUILLET_CONSOLE_KEY_DECODER_HPP

#include <stddef.h>

#include <string>

#include "console/mouse.hpp"
#include "core/keys.hpp"

namespace console {

struct Decoded {
  enum Kind { Key, Mouse, NeedMore, Skip } What = Skip;
  hostcore::KeyPress Press;
  MouseEvent Pointer;  // a Mouse report (Double is left to the reader)
  size_t Used = 0;  // bytes taken from the front
};

// Decodes the first key of `bytes` (not empty).  NeedMore when the bytes
// may be the start of a longer sequence and `final` is false; with `final`
// (nothing more came in time) a lone ESC is Esc and a cut sequence is
// skipped.  Skip: bytes that make no key (a sequence this host ignores).
Decoded DecodeKey(const std::string &bytes, bool final);

// The keys that stand in for keys a terminal may not send: Ctrl+J for
// Ctrl+Enter, Ctrl+Q for Shift+Esc, Alt+digit for Ctrl+digit, Ctrl+P for
// F11; any other key is returned as it is.
hostcore::KeyPress ApplyAlternatives(const hostcore::KeyPress &key);

// The requests that ask xterm (modifyOtherKeys level 2) to send keys with
// their modifiers, and that put it back.
extern const char *const kExtendedKeysOn;
extern const char *const kExtendedKeysOff;

}  // namespace console

#endif
