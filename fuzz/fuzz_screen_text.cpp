// The console's screen text on any bytes (names and file contents come
// from strangers): the showable form holds no control byte, no broken
// UTF-8 and nothing that would be escaped again, and every fitted or sliced
// text takes exactly the cells it was asked for.  Input: one width byte,
// then the text.
#include <locale.h>
#include <stdint.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "core/screen_text.hpp"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // Widths as the console host measures them.
  if (setlocale(LC_CTYPE, "C.UTF-8") == nullptr) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const int width = data[0] % 64;
  const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
  const std::string shown = hostcore::ShowableText(text);
  for (size_t at = 0; at < shown.size(); at = hostcore::NextCharacter(shown, at)) {
    unsigned char byte = static_cast<unsigned char>(shown[at]);
    if (byte < 0x20 || byte == 0x7F || hostcore::Utf8Length(shown, at) == 0) abort();
  }
  if (hostcore::ShowableText(shown) != shown) abort();
  const int cells = hostcore::TextWidth(text);
  if (cells != hostcore::TextWidth(shown)) abort();
  for (bool right : {false, true}) {
    for (bool markCut : {false, true}) {
      if (hostcore::TextWidth(hostcore::FitText(text, width, right, markCut)) != width) abort();
    }
  }
  for (int tabSize : {hostcore::kTabEscaped, 8}) {
    const std::string slice = hostcore::CellSlice(text, width / 2, width, tabSize);
    if (hostcore::TextWidth(slice) != width || hostcore::ShowableText(slice) != slice) abort();
    const size_t at = hostcore::ByteAtCell(text, width, tabSize);
    if (at > text.size() || hostcore::CellsBefore(text, at, tabSize) > width) abort();
  }
  if (hostcore::TextWidth(hostcore::FitPath(text, width)) > std::max(width, 0)) abort();
  return 0;
}
