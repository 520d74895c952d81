// Reading a captured output file back line by line.  Every line comes whole,
// however long: a line cut into pieces would let the tail of a long file
// name pass for a line of its own.
#ifndef QUILLET_OUTPUT_LINES_HPP
#define QUILLET_OUTPUT_LINES_HPP

#include <stddef.h>
#include <stdio.h>

#include <vector>

struct OutputLines {
  FILE *File = nullptr;
  std::vector<char> Buffer;  // read ahead; grows to hold the longest line
  size_t Begin = 0;          // the unread part is Buffer[Begin, End)
  size_t End = 0;
  bool AtEnd = false;  // the file has nothing more to give
  // The file is still being written: where it ends for now is no end, and
  // an unfinished last line waits for the rest.  Clear it once the writer
  // is done; the next call then reads to the real end.
  bool Following = false;
  // A CR before a line's "\n" is part of the line: where the client that
  // wrote the file ends its lines with "\n" alone, a name may end in a CR.
  bool KeepCarriageReturn = false;
};

// Starts reading `file` (opened in binary mode) from where it stands.
void StartOutputLines(OutputLines &lines, FILE *file);
// The next line without its line end ("\n", or "\r\n" as a text-mode read
// on Windows would give it, unless KeepCarriageReturn), as `text` and `length`; the text stays valid
// until the next call and is followed by a NUL.  False at the end of the
// file or on a read error (while Following: when no whole line has come
// yet); a last line without a line end still counts.
bool NextOutputLine(OutputLines &lines, const char *&text, size_t &length);

#endif
