// Text as a terminal shows it, measured in screen cells: a wide (East
// Asian) character takes two, a combining mark rides on the character
// before it.  What must never reach a terminal as it is shows escaped in
// plain ASCII: a byte that is not valid UTF-8 as \xFF, a control character
// as ^A, and an invisible or direction-changing format character (U+202E,
// U+200B, ...) or one the locale cannot print as \u202E.  Every function
// here measures and cuts the escaped form, and each of them gives the same
// result for a text and for its showable form, so text may be made
// showable early or late.  The bytes themselves stay what they are
// wherever they are used; only the screen sees the escapes.
#ifndef QUILLET_HOSTCORE_SCREEN_TEXT_HPP
#define QUILLET_HOSTCORE_SCREEN_TEXT_HPP

#include <stddef.h>

#include <string>

namespace hostcore {

// The length of the valid UTF-8 character at `at`, or 0 when the byte
// there does not start one.
size_t Utf8Length(const std::string &text, size_t at);
// Where the character after the one at `at` starts (a stray byte counts as
// one character), and where the one before `at` starts.
size_t NextCharacter(const std::string &text, size_t at);
size_t PreviousCharacter(const std::string &text, size_t at);

// One piece of text on the screen: a printable character with the marks
// that combine with it, a tab, or one escaped character or byte.
struct ShownPiece {
  size_t End = 0;      // where the next piece starts
  int Cells = 0;       // cells taken (a tab: 1, its place decides the rest)
  std::string Escape;  // what shows instead of the bytes; "" when they show
  bool Tab = false;
};
ShownPiece PieceAt(const std::string &text, size_t at);

// Tab sizes: 0 shows a tab escaped as ^I, a positive size expands it with
// blanks to the next multiple of the size.
const int kTabEscaped = 0;

// `text` with everything escaped that must not reach the terminal.
std::string ShowableText(const std::string &text);
// Screen cells of `text` up to byte `end` (a piece that starts before it
// counts whole).
int CellsBefore(const std::string &text, size_t end, int tabSize = 8);
// Screen cells of the showable form of `text`.
int TextWidth(const std::string &text);
// The byte at which the piece covering cell `cell` starts (the end of the
// text when it is shorter).
size_t ByteAtCell(const std::string &text, int cell, int tabSize = 8);
// The cells `first`..`first`+`width` of `text`, showable, padded with
// blanks to `width`; half of a wide character shows as a blank.
std::string CellSlice(const std::string &text, int first, int width, int tabSize = 8);
// `text` showable in exactly `width` cells: cut (ending in "}" when
// `markCut`) or padded with blanks, on the left when `rightAlign`.
std::string FitText(const std::string &text, int width, bool rightAlign, bool markCut);

// A path (or a title that holds one) in at most `width` cells, showable:
// what comes up to the first separator ("/", "CVS:/") and the end are
// kept, an ellipsis stands for the middle.
std::string FitPath(const std::string &text, int width);

}  // namespace hostcore

#endif
