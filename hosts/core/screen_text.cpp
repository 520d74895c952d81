// UTF-8 walking, the escaped form of text and its measure in cells.
#include "core/screen_text.hpp"

#include <stdint.h>
#include <stdio.h>

#include <algorithm>

#include "core/platform.hpp"

namespace hostcore {

namespace {

// Marks a terminal cell holds beside its character (ncurses keeps five
// wide characters a cell); more would be dropped without a word, so they
// show escaped.
const int kMaxMarks = 4;

uint32_t CodeAt(const std::string &text, size_t at, size_t length) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  if (length == 1) return lead;
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

// Characters that show nothing, or that turn the direction of what follows
// them, so that a name could hide or disguise what it is: the format
// characters (bidirectional marks, embeddings, overrides and isolates,
// zero-width spaces and joiners, the byte order mark, invisible operators,
// tags), the line and paragraph separators and the invisible fillers.
bool IsHiddenCharacter(uint32_t code) {
  struct Range {
    uint32_t First, Last;
  };
  static const Range kHidden[] = {
      {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x0600, 0x0605},   {0x061C, 0x061C},
      {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x08E2, 0x08E2},   {0x115F, 0x1160},
      {0x17B4, 0x17B5},   {0x180B, 0x180F},   {0x200B, 0x200F},   {0x2028, 0x202E},
      {0x2060, 0x206F},   {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},
      {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
      {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
  if (code < 0xAD) return false;
  for (const Range &range : kHidden)
    if (code >= range.First && code <= range.Last) return true;
  return false;
}

std::string Escaped(const char *format, unsigned value) {
  char text[16];
  snprintf(text, sizeof text, format, value);
  return text;
}

// The cells of `piece` when it starts at cell `cell`.
int CellsOf(const ShownPiece &piece, int cell, int tabSize) {
  if (piece.Tab && tabSize > 0) return (cell / tabSize + 1) * tabSize - cell;
  return piece.Cells;
}

}  // namespace

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
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  uint32_t code = CodeAt(text, at, length);
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

ShownPiece PieceAt(const std::string &text, size_t at) {
  ShownPiece piece;
  if (at >= text.size()) {
    piece.End = text.size();
    return piece;
  }
  unsigned char byte = static_cast<unsigned char>(text[at]);
  piece.End = at + 1;
  if (byte >= 0x20 && byte < 0x7F) {
    piece.Cells = 1;
  } else if (byte == '\t') {
    piece.Tab = true;
    piece.Escape = "^I";
  } else if (byte < 0x20 || byte == 0x7F) {
    piece.Escape = std::string("^") + static_cast<char>(byte ^ 0x40);
  } else if (size_t length = Utf8Length(text, at); length == 0) {
    piece.Escape = Escaped("\\x%02X", byte);
  } else {
    uint32_t code = CodeAt(text, at, length);
    int cells = code < 0xA0 || IsHiddenCharacter(code) ? -1 : CharacterCells(code);
    piece.End = at + length;
    // A mark with no character before it would ride on whatever the screen
    // shows there (a frame, the next column's line).
    if (cells <= 0)
      piece.Escape = Escaped("\\u%04X", code);
    else
      piece.Cells = cells;
  }
  if (!piece.Escape.empty()) {
    piece.Cells = static_cast<int>(piece.Escape.size());
    return piece;
  }
  // The marks that combine with this character.
  for (int marks = 0; marks < kMaxMarks && piece.End < text.size(); ++marks) {
    if (static_cast<unsigned char>(text[piece.End]) < 0x80) break;
    size_t length = Utf8Length(text, piece.End);
    if (length == 0) break;
    uint32_t code = CodeAt(text, piece.End, length);
    if (code < 0xA0 || IsHiddenCharacter(code) || CharacterCells(code) != 0) break;
    piece.End += length;
  }
  return piece;
}

std::string ShowableText(const std::string &text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    ShownPiece piece = PieceAt(text, at);
    if (piece.Escape.empty())
      out.append(text, at, piece.End - at);
    else
      out += piece.Escape;
    at = piece.End;
  }
  return out;
}

int CellsBefore(const std::string &text, size_t end, int tabSize) {
  int cells = 0;
  for (size_t at = 0; at < end && at < text.size();) {
    ShownPiece piece = PieceAt(text, at);
    cells += CellsOf(piece, cells, tabSize);
    at = piece.End;
  }
  return cells;
}

int TextWidth(const std::string &text) { return CellsBefore(text, text.size(), kTabEscaped); }

size_t ByteAtCell(const std::string &text, int cell, int tabSize) {
  int cells = 0;
  size_t at = 0;
  while (at < text.size()) {
    ShownPiece piece = PieceAt(text, at);
    int next = cells + CellsOf(piece, cells, tabSize);
    if (next > cell) return at;
    cells = next;
    at = piece.End;
  }
  return at;
}

std::string CellSlice(const std::string &text, int first, int width, int tabSize) {
  std::string out;
  if (width <= 0) return out;
  int cells = 0, taken = 0, last = first + width;
  for (size_t at = 0; at < text.size() && cells < last;) {
    ShownPiece piece = PieceAt(text, at);
    int size = CellsOf(piece, cells, tabSize);
    int from = std::max(cells, first), to = std::min(cells + size, last);
    if (from < to) {
      if (piece.Tab && tabSize > 0)
        out.append(static_cast<size_t>(to - from), ' ');
      else if (!piece.Escape.empty())
        out += piece.Escape.substr(static_cast<size_t>(from - cells),
                                   static_cast<size_t>(to - from));
      else if (from == cells && to == cells + size)
        out.append(text, at, piece.End - at);
      else  // the visible half of a wide character
        out.append(static_cast<size_t>(to - from), ' ');
      taken += to - from;
    }
    cells += size;
    at = piece.End;
  }
  out.append(static_cast<size_t>(width - taken), ' ');
  return out;
}

std::string FitText(const std::string &text, int width, bool rightAlign, bool markCut) {
  if (width <= 0) return "";
  int cells = TextWidth(text);
  if (cells > width) {
    if (!markCut) return CellSlice(text, 0, width, kTabEscaped);
    return CellSlice(text, 0, width - 1, kTabEscaped) + "}";
  }
  std::string pad(static_cast<size_t>(width - cells), ' ');
  std::string shown = ShowableText(text);
  return rightAlign ? pad + shown : shown + pad;
}

std::string FitPath(const std::string &text, int width) {
  int cells = TextWidth(text);
  if (cells <= width) return ShowableText(text);
  if (width <= 0) return "";
  size_t separator = text.find_first_of("/\\");
  std::string head = separator == std::string::npos ? "" : text.substr(0, separator + 1);
  int headCells = TextWidth(head);
  if (headCells > width / 2) {
    head.clear();
    headCells = 0;
  }
  // The tail starts at the first piece that leaves it no wider than wanted.
  int tailFrom = cells - (width - headCells - 1);
  size_t from = ByteAtCell(text, tailFrom, kTabEscaped);
  if (CellsBefore(text, from, kTabEscaped) < tailFrom) from = PieceAt(text, from).End;
  return ShowableText(head) + "\xE2\x80\xA6" + ShowableText(text.substr(from));
}

}  // namespace hostcore
