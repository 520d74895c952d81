// UTF-8 walking and the showable form of text.
#include "core/screen_text.hpp"

#include <stdint.h>

namespace hostcore {

const char *const kReplacementMark = "\xEF\xBF\xBD";

size_t Utf8Length(const std::string &text, size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length;
  uint32_t min;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

size_t NextCharacter(const std::string &text, size_t at) {
  if (at >= text.size()) return text.size();
  size_t length = Utf8Length(text, at);
  return at + (length == 0 ? 1 : length);
}

size_t PreviousCharacter(const std::string &text, size_t at) {
  if (at == 0) return 0;
  // Step back over at most three continuation bytes to a valid start.
  for (size_t back = 2; back <= 4 && back <= at; ++back) {
    size_t start = at - back;
    if (Utf8Length(text, start) == back) return start;
  }
  return at - 1;
}

std::string ShowableText(const std::string &text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t length = Utf8Length(text, at);
    unsigned char byte = static_cast<unsigned char>(text[at]);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      out += kReplacementMark;
      at += 1;
      continue;
    }
    // C1 controls (U+0080..U+009F) move terminals as well.
    if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
      out += kReplacementMark;
    } else {
      out.append(text, at, length);
    }
    at += length;
  }
  return out;
}

int CellsBefore(const std::string &text, size_t end, int tabSize) {
  int cells = 0;
  for (size_t at = 0; at < end && at < text.size(); at = NextCharacter(text, at))
    cells = text[at] == '\t' ? (cells / tabSize + 1) * tabSize : cells + 1;
  return cells;
}

size_t ByteAtCell(const std::string &text, int cell, int tabSize) {
  int cells = 0;
  size_t at = 0;
  while (at < text.size()) {
    int next = text[at] == '\t' ? (cells / tabSize + 1) * tabSize : cells + 1;
    if (next > cell) return at;
    cells = next;
    at = NextCharacter(text, at);
  }
  return at;
}

std::string CellSlice(const std::string &text, int first, int width, int tabSize) {
  std::string out;
  int cells = 0, taken = 0;
  for (size_t at = 0; at < text.size() && taken < width;) {
    size_t next = NextCharacter(text, at);
    if (text[at] == '\t') {
      int to = (cells / tabSize + 1) * tabSize;
      for (; cells < to && taken < width; ++cells) {
        if (cells >= first) {
          out += ' ';
          ++taken;
        }
      }
    } else {
      if (cells >= first) {
        out += ShowableText(text.substr(at, next - at));
        ++taken;
      }
      ++cells;
    }
    at = next;
  }
  out.append(static_cast<size_t>(width - taken), ' ');
  return out;
}

std::string FitPath(const std::string &text, int width) {
  int cells = CellsBefore(text, text.size(), 1);
  if (cells <= width) return text;
  if (width <= 0) return "";
  size_t separator = text.find_first_of("/\\");
  std::string head = separator == std::string::npos ? "" : text.substr(0, separator + 1);
  int headCells = CellsBefore(head, head.size(), 1);
  if (headCells > width / 2) {
    head.clear();
    headCells = 0;
  }
  int tailCells = width - headCells - 1;
  return head + "\xE2\x80\xA6" + text.substr(ByteAtCell(text, cells - tailCells, 1));
}

}  // namespace hostcore
