// Text as a screen shows it: UTF-8 characters one cell each, bytes that are
// not valid UTF-8 (or control characters) shown as a replacement mark, tabs
// expanded.  The bytes themselves stay what they are wherever they are used.
#ifndef QUILLET_HOSTCORE_SCREEN_TEXT_HPP
#define QUILLET_HOSTCORE_SCREEN_TEXT_HPP

#include <stddef.h>

#include <string>

namespace hostcore {

// The mark shown for a byte that is not part of a valid UTF-8 character.
extern const char *const kReplacementMark;
// The length of the valid UTF-8 character at `at`, or 0 when the byte
// there does not start one.
size_t Utf8Length(const std::string &text, size_t at);
// Where the character after the one at `at` starts (a stray byte counts as
// one character), and where the one before `at` starts.
size_t NextCharacter(const std::string &text, size_t at);
size_t PreviousCharacter(const std::string &text, size_t at);
// `text` with every stray byte and control character replaced by the mark;
// one cell per character as before.
std::string ShowableText(const std::string &text);
// Screen cells of `text` up to byte `end`, tabs going to the next multiple
// of `tabSize`.
int CellsBefore(const std::string &text, size_t end, int tabSize = 8);
// The byte at which the character covering cell `cell` starts (the end of
// the text when it is shorter).
size_t ByteAtCell(const std::string &text, int cell, int tabSize = 8);
// The cells `first`..`first`+`width` of `text`, tabs expanded, showable,
// padded with blanks to `width`.
std::string CellSlice(const std::string &text, int first, int width, int tabSize = 8);

// A path (or a title that holds one) in at most `width` cells: what comes
// up to the first separator ("/", "CVS:/") and the end are kept, an
// ellipsis stands for the middle.
std::string FitPath(const std::string &text, int width);

}  // namespace hostcore

#endif
