// The host's editor and viewer on a file: its lines, the cursor and the
// window, the edits a person makes, search, and saving.  Line ends are kept
// as the file had them (LF or CR LF, with or without a final one).
#ifndef QUILLET_HOSTCORE_TEXT_DOCUMENT_HPP
#define QUILLET_HOSTCORE_TEXT_DOCUMENT_HPP

#include <stddef.h>

#include <string>
#include <vector>

#include "core/keys.hpp"

namespace hostcore {

struct TextDocument {
  std::vector<std::string> Lines{std::string()};
  bool CrLf = false;
  bool FinalLineEnd = false;
  bool ReadOnly = false;
  bool Modified = false;  // changed since it was read or last saved
  int Row = 0;            // the cursor: a line, and a byte offset in it
  size_t Column = 0;
  int WantedCell = -1;  // the cell Up and Down aim at, -1: the cursor's own
  int TopRow = 0;       // the window
  int LeftCell = 0;
};

// Reads a file; false with a reason when it cannot be read.
bool LoadDocument(const std::string &path, TextDocument &document, std::string &error);
// The text as it is written back; SaveDocument writes it and clears Modified.
std::string DocumentText(const TextDocument &document);
bool SaveDocument(const std::string &path, TextDocument &document, std::string &error);

// Keeps the cursor inside the text and the window (`rows` by `cells`)
// around the cursor.
void KeepDocumentCursorVisible(TextDocument &document, int rows, int cells);
// Moves and, unless read-only, edits: arrows, Home, End, PgUp, PgDn,
// Ctrl+Home, Ctrl+End, typing, Enter, Backspace, Del, Tab.  Returns whether
// the key was the document's.
bool DocumentKey(TextDocument &document, const KeyPress &key, int pageRows);
void InsertIntoDocument(TextDocument &document, const std::string &text);
// Finds `needle` after the cursor (or at it, when `includeCursor`), wrapping
// round at the end; case is ignored for ASCII letters.  Moves the cursor to
// the match and returns true, or returns false and leaves it.
bool FindInDocument(TextDocument &document, const std::string &needle, bool includeCursor);
// The cursor's screen cell in its line.
int CursorCell(const TextDocument &document);

}  // namespace hostcore

#endif
