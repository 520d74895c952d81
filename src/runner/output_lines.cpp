// Whole lines from a captured output file: read in large blocks, each line
// found with one memchr and handed out in place.
#include "runner/output_lines.hpp"

#include <string.h>

namespace {
const size_t kBlockSize = 64 * 1024;
}  // namespace

void StartOutputLines(OutputLines &lines, FILE *file) {
  lines.File = file;
  lines.Buffer.resize(kBlockSize + 1);
  lines.Begin = lines.End = 0;
  lines.AtEnd = file == nullptr;
}

bool NextOutputLine(OutputLines &lines, const char *&text, size_t &length) {
  if (lines.File == nullptr) return false;
  size_t searched = lines.Begin;
  for (;;) {
    char *data = lines.Buffer.data();
    char *newline = static_cast<char *>(memchr(data + searched, '\n', lines.End - searched));
    if (newline == nullptr && lines.AtEnd && lines.Following) {
      // Only the end for now: look again on the next call.
      lines.AtEnd = false;
      // The end-of-file mark would hold back what comes.  A seek to where
      // the stream stands clears it; clearerr alone is not enough for every
      // C runtime (Wine's msvcrt also keeps the descriptor at its end and
      // reads nothing more until a seek).
      if (fseek(lines.File, 0, SEEK_CUR) != 0) clearerr(lines.File);
      return false;
    }
    if (newline != nullptr || (lines.AtEnd && lines.End > lines.Begin)) {
      char *start = data + lines.Begin;
      char *stop = newline != nullptr ? newline : data + lines.End;
      lines.Begin = newline != nullptr ? static_cast<size_t>(newline - data) + 1 : lines.End;
      if (newline != nullptr && stop > start && stop[-1] == '\r' && !lines.KeepCarriageReturn)
        --stop;
      *stop = '\0';  // the newline's place, or the spare byte after the data
      text = start;
      length = static_cast<size_t>(stop - start);
      return true;
    }
    if (lines.AtEnd) return false;
    // Keep the unfinished line at the front and read more behind it; a line
    // longer than the buffer makes the buffer grow.
    size_t kept = lines.End - lines.Begin;
    if (lines.Begin > 0) {
      memmove(data, data + lines.Begin, kept);
      lines.Begin = 0;
      lines.End = kept;
    }
    if (lines.Buffer.size() - 1 - lines.End < kBlockSize / 2) {
      lines.Buffer.resize(lines.Buffer.size() * 2);
      data = lines.Buffer.data();
    }
    searched = lines.End;
    size_t room = lines.Buffer.size() - 1 - lines.End;
    size_t got = fread(data + lines.End, 1, room, lines.File);
    lines.End += got;
    if (got < room) lines.AtEnd = true;
  }
}
