// The console host's key decoder on any bytes a terminal (or whatever sits
// on its input) may send.  The bytes are decoded as the terminal's wait
// does, once as they came in one read and once cut into reads at places
// taken from the input: both give the same keys, every step takes at least
// one byte and no more than it has, and a key that types text types one
// whole, valid, printable character.
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "console/key_decoder.hpp"
#include "core/keys.hpp"
#include "core/screen_text.hpp"

namespace {

void Check(const std::string &pending, bool final, const console::Decoded &decoded) {
  if (decoded.What == console::Decoded::NeedMore) {
    if (final) abort();
    return;
  }
  if (decoded.Used == 0 || decoded.Used > pending.size()) abort();
  if (decoded.What != console::Decoded::Key) return;
  const hostcore::KeyPress &key = decoded.Press;
  if (key.Vk == 0 && key.Char == 0) abort();
  if (hostcore::TypesText(key)) {
    if (key.Char < 0xA0 && key.Char >= 0x7F) abort();  // DEL and the C1 controls
    const std::string typed = hostcore::Utf8Of(key.Char);
    if (hostcore::Utf8Length(typed, 0) != typed.size()) abort();
  }
}

// The terminal's loop: what is pending is decoded after each read; a start
// of a sequence waits for the next read, and after the last read (nothing
// more comes in time) the rest is decoded as final.
std::vector<hostcore::KeyPress> Keys(const std::string &bytes, const std::vector<size_t> &cuts) {
  std::vector<hostcore::KeyPress> keys;
  std::string pending;
  size_t from = 0;
  auto drain = [&](bool last) {
    while (!pending.empty()) {
      console::Decoded decoded = console::DecodeKey(pending, false);
      Check(pending, false, decoded);
      if (decoded.What == console::Decoded::NeedMore) {
        if (!last) return;
        decoded = console::DecodeKey(pending, true);
        Check(pending, true, decoded);
      }
      pending.erase(0, decoded.Used);
      if (decoded.What == console::Decoded::Key) keys.push_back(decoded.Press);
    }
  };
  for (size_t cut : cuts) {
    pending.append(bytes, from, cut - from);
    from = cut;
    drain(false);
  }
  pending.append(bytes, from, std::string::npos);
  drain(true);
  return keys;
}

bool Same(const std::vector<hostcore::KeyPress> &a, const std::vector<hostcore::KeyPress> &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].Vk != b[i].Vk || a[i].Mods != b[i].Mods || a[i].Char != b[i].Char) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  std::vector<size_t> cuts;
  for (size_t at = 0; at < size; at += 1 + data[at] % 7) {
    if (at > 0) cuts.push_back(at);
  }
  const std::vector<hostcore::KeyPress> whole = Keys(bytes, {});
  const std::vector<hostcore::KeyPress> piecewise = Keys(bytes, cuts);
  if (!Same(whole, piecewise)) abort();
  for (const hostcore::KeyPress &key : whole) console::ApplyAlternatives(key);
  return 0;
}
