// The host's editor and viewer on a file: its lines, the cursor and the
// window, the edits a person makes, search, and saving.  Every line keeps
// its own end as the file had it (LF or CR LF; the last line may have
// none), so that one edit changes one line and nothing else.
#ifndef QUILLET_HOSTCORE_TEXT_DOCUMENT_HPP
#define QUILLET_HOSTCORE_TEXT_DOCUMENT_HPP

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "core/keys.hpp"

namespace hostcore {

enum class LineEnd : uint8_t { None, Lf, CrLf };

struct TextDocument {
  std::vector<std::string> Lines{std::string()};
  // Ends[i] follows Lines[i]; the last line's is None.
  std::vector<LineEnd> Ends{LineEnd::None};
  // The end a line gets when the last line is split: the file's first end.
  LineEnd NewLineEnd = LineEnd::Lf;
  bool ReadOnly = false;
  bool Modified = false;  // changed since it was read or last saved
  int Row = 0;            // the cursor: a line, and a byte offset in it
  size_t Column = 0;
  int WantedCell = -1;  // the cell Up and Down aim at, -1: the cursor's own
  int TopRow = 0;       // the window
  int LeftCell = 0;
};

// The largest file the editor loads: it holds the whole text in memory.
const uint64_t kLargestEditedFile = 64ull << 20;

// Reads a file of at most `largest` bytes; false with a reason when it
// cannot be read or is larger.
bool LoadDocument(const std::string &path, TextDocument &document, std::string &error,
                  uint64_t largest = kLargestEditedFile);
// The document made from a file's bytes, and the bytes it is written as.
TextDocument DocumentOfText(const std::string &text);
std::string DocumentText(const TextDocument &document);
// Writes the text whole (a new file renamed over the old one, which keeps
// its mode; a link is followed) and clears Modified; on failure the file is
// as it was and `error` says why.
bool SaveDocument(const std::string &path, TextDocument &document, std::string &error);

// Keeps the cursor inside the text and the window (`rows` by `cells`)
// around the cursor.
void KeepDocumentCursorVisible(TextDocument &document, int rows, int cells);
// Moves and, unless read-only, edits: arrows, Home, End, PgUp, PgDn,
// Ctrl+Home, Ctrl+End, typing, Enter, Backspace, Del, Tab.  Returns whether
// the key was the document's.
bool DocumentKey(TextDocument &document, const KeyPress &key, int pageRows);
void InsertIntoDocument(TextDocument &document, const std::string &text);
// Deletes the cursor's line with its end (the last line, which has none,
// is emptied); the cursor goes to the start of the line that takes its
// place.  Nothing happens to a read-only document.
void DeleteDocumentLine(TextDocument &document);
// Finds `needle` after the cursor (or at it, when `includeCursor`), wrapping
// round at the end; case is ignored for ASCII letters.  Moves the cursor to
// the match and returns true, or returns false and leaves it.
bool FindInDocument(TextDocument &document, const std::string &needle, bool includeCursor);
// The cursor's screen cell in its line.
int CursorCell(const TextDocument &document);

}  // namespace hostcore

#endif
