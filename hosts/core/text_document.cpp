// Editing and viewing a text file.
#include "core/text_document.hpp"

#include <ctype.h>

#include <algorithm>
#include <fstream>

#include "core/host_texts.hpp"
#include "core/platform.hpp"
#include "core/screen_text.hpp"
#include "core/whole_file.hpp"

namespace hostcore {

namespace {

int LineCount(const TextDocument &document) { return static_cast<int>(document.Lines.size()); }
std::string &CurrentLine(TextDocument &document) {
  return document.Lines[static_cast<size_t>(document.Row)];
}

void ClampCursor(TextDocument &document) {
  if (document.Lines.empty()) document.Lines.emplace_back();
  // One end for every line, whoever filled the lines.
  if (document.Ends.size() != document.Lines.size()) {
    document.Ends.resize(document.Lines.size(), document.NewLineEnd);
    document.Ends.back() = LineEnd::None;
  }
  document.Row = std::max(0, std::min(document.Row, LineCount(document) - 1));
  std::string &line = CurrentLine(document);
  if (document.Column > line.size()) document.Column = line.size();
}

// Moves up or down, aiming at the same screen cell.
void MoveRows(TextDocument &document, int step) {
  if (document.WantedCell < 0) document.WantedCell = CursorCell(document);
  document.Row += step;
  ClampCursor(document);
  document.Column = ByteAtCell(CurrentLine(document), document.WantedCell);
}

char Folded(char c) { return static_cast<char>(tolower(static_cast<unsigned char>(c))); }

size_t FindFolded(const std::string &haystack, const std::string &needle, size_t from) {
  if (needle.empty() || haystack.size() < needle.size()) return std::string::npos;
  for (size_t at = from; at + needle.size() <= haystack.size(); ++at) {
    size_t i = 0;
    while (i < needle.size() && Folded(haystack[at + i]) == Folded(needle[i])) ++i;
    if (i == needle.size()) return at;
  }
  return std::string::npos;
}

}  // namespace

bool LoadDocument(const std::string &path, TextDocument &document, std::string &error,
                  uint64_t largest) {
  // A pipe or a device could block or never end.
  if (!IsPlainFile(path)) {
    error = Say(IsFolder(path) ? HostText::ErrorIsFolder : HostText::ErrorNotPlainFile, {path});
    return false;
  }
  uint64_t size = 0;
  if (FileSize(path, size) && size > largest) {
    error = Say(HostText::ErrorTooLargeToEdit,
                {path, std::to_string(size >> 20), std::to_string(largest >> 20)});
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = Say(HostText::ErrorCannotOpen, {path});
    return false;
  }
  std::string text;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(file.gcount()));
    // The file may have grown since its size was looked up.
    if (text.size() > largest) {
      error = Say(HostText::ErrorGrewWhileRead, {path, std::to_string(largest >> 20)});
      return false;
    }
  }
  if (file.bad()) {
    error = Say(HostText::ErrorCannotRead, {path});
    return false;
  }
  bool readOnly = document.ReadOnly;
  document = DocumentOfText(text);
  document.ReadOnly = readOnly;
  return true;
}

TextDocument DocumentOfText(const std::string &text) {
  TextDocument read;
  read.Lines.clear();
  read.Ends.clear();
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      read.Lines.push_back(text.substr(start));
      read.Ends.push_back(LineEnd::None);
      break;
    }
    bool crlf = end > start && text[end - 1] == '\r';
    read.Lines.push_back(text.substr(start, end - start - (crlf ? 1 : 0)));
    read.Ends.push_back(crlf ? LineEnd::CrLf : LineEnd::Lf);
    start = end + 1;
  }
  read.NewLineEnd = read.Ends.size() > 1 ? read.Ends[0] : LineEnd::Lf;
  return read;
}

std::string DocumentText(const TextDocument &document) {
  std::string text;
  for (size_t i = 0; i < document.Lines.size(); ++i) {
    text += document.Lines[i];
    if (i + 1 == document.Lines.size()) break;
    LineEnd end = i < document.Ends.size() ? document.Ends[i] : LineEnd::None;
    if (end == LineEnd::None) end = document.NewLineEnd;
    text += end == LineEnd::CrLf ? "\r\n" : "\n";
  }
  return text;
}

bool SaveDocument(const std::string &path, TextDocument &document, std::string &error) {
  if (!ReplaceFileWhole(path, DocumentText(document), LinkRule::Follow, 0666, error)) return false;
  document.Modified = false;
  return true;
}

int CursorCell(const TextDocument &document) {
  if (document.Row < 0 || document.Row >= LineCount(document)) return 0;
  return CellsBefore(document.Lines[static_cast<size_t>(document.Row)], document.Column);
}

void KeepDocumentCursorVisible(TextDocument &document, int rows, int cells) {
  ClampCursor(document);
  rows = std::max(rows, 1);
  cells = std::max(cells, 1);
  if (document.Row < document.TopRow) document.TopRow = document.Row;
  if (document.Row >= document.TopRow + rows) document.TopRow = document.Row - rows + 1;
  document.TopRow = std::max(0, std::min(document.TopRow, LineCount(document) - 1));
  int cell = CursorCell(document);
  if (cell < document.LeftCell) document.LeftCell = cell;
  if (cell >= document.LeftCell + cells) document.LeftCell = cell - cells + 1;
}

void InsertIntoDocument(TextDocument &document, const std::string &text) {
  if (document.ReadOnly) return;
  ClampCursor(document);
  CurrentLine(document).insert(document.Column, text);
  document.Column += text.size();
  document.Modified = true;
}

void DeleteDocumentLine(TextDocument &document) {
  if (document.ReadOnly) return;
  ClampCursor(document);
  size_t row = static_cast<size_t>(document.Row);
  if (row + 1 == document.Lines.size()) {
    document.Modified = document.Modified || !document.Lines[row].empty();
    document.Lines[row].clear();
  } else {
    document.Lines.erase(document.Lines.begin() + document.Row);
    document.Ends.erase(document.Ends.begin() + document.Row);
    document.Modified = true;
  }
  document.Column = 0;
  document.WantedCell = -1;
}

bool DocumentKey(TextDocument &document, const KeyPress &key, int pageRows) {
  ClampCursor(document);
  std::string &line = CurrentLine(document);
  int page = std::max(1, pageRows - 1);
  bool vertical = false;
  if (Is(key, vk::Up)) {
    MoveRows(document, -1);
    vertical = true;
  } else if (Is(key, vk::Down)) {
    MoveRows(document, 1);
    vertical = true;
  } else if (Is(key, vk::Prior)) {
    MoveRows(document, -page);
    document.TopRow = std::max(0, document.TopRow - page);
    vertical = true;
  } else if (Is(key, vk::Next)) {
    MoveRows(document, page);
    document.TopRow += page;
    vertical = true;
  } else if (Is(key, vk::Left)) {
    if (document.Column > 0) {
      document.Column = PreviousCharacter(line, document.Column);
    } else if (document.Row > 0) {
      --document.Row;
      document.Column = CurrentLine(document).size();
    }
  } else if (Is(key, vk::Right)) {
    if (document.Column < line.size()) {
      document.Column = NextCharacter(line, document.Column);
    } else if (document.Row + 1 < LineCount(document)) {
      ++document.Row;
      document.Column = 0;
    }
  } else if (Is(key, vk::Home)) {
    document.Column = 0;
  } else if (Is(key, vk::End)) {
    document.Column = line.size();
  } else if (Is(key, vk::Home, PKF_CONTROL)) {
    document.Row = 0;
    document.Column = 0;
  } else if (Is(key, vk::End, PKF_CONTROL)) {
    document.Row = LineCount(document) - 1;
    document.Column = CurrentLine(document).size();
  } else if (document.ReadOnly) {
    return false;
  } else if (TypesText(key)) {
    InsertIntoDocument(document, Utf8Of(key.Char));
  } else if (Is(key, vk::Tab)) {
    InsertIntoDocument(document, "\t");
  } else if (Is(key, vk::Return)) {
    // Both parts keep the line's end; the last line's first part takes the
    // file's.
    std::string rest = line.substr(document.Column);
    line.erase(document.Column);
    document.Lines.insert(document.Lines.begin() + document.Row + 1, rest);
    LineEnd &end = document.Ends[static_cast<size_t>(document.Row)];
    LineEnd kept = end;
    if (end == LineEnd::None) end = document.NewLineEnd;
    document.Ends.insert(document.Ends.begin() + document.Row + 1, kept);
    ++document.Row;
    document.Column = 0;
    document.Modified = true;
  } else if (Is(key, vk::Back)) {
    if (document.Column > 0) {
      size_t start = PreviousCharacter(line, document.Column);
      line.erase(start, document.Column - start);
      document.Column = start;
      document.Modified = true;
    } else if (document.Row > 0) {
      std::string joined = line;
      document.Lines.erase(document.Lines.begin() + document.Row);
      // The joined line ends as the lower one did.
      document.Ends[static_cast<size_t>(document.Row) - 1] =
          document.Ends[static_cast<size_t>(document.Row)];
      document.Ends.erase(document.Ends.begin() + document.Row);
      --document.Row;
      document.Column = CurrentLine(document).size();
      CurrentLine(document) += joined;
      document.Modified = true;
    }
  } else if (Is(key, vk::Delete)) {
    if (document.Column < line.size()) {
      line.erase(document.Column, NextCharacter(line, document.Column) - document.Column);
      document.Modified = true;
    } else if (document.Row + 1 < LineCount(document)) {
      line += document.Lines[static_cast<size_t>(document.Row) + 1];
      document.Lines.erase(document.Lines.begin() + document.Row + 1);
      document.Ends[static_cast<size_t>(document.Row)] =
          document.Ends[static_cast<size_t>(document.Row) + 1];
      document.Ends.erase(document.Ends.begin() + document.Row + 1);
      document.Modified = true;
    }
  } else {
    return false;
  }
  if (!vertical) document.WantedCell = -1;
  ClampCursor(document);
  return true;
}

bool FindInDocument(TextDocument &document, const std::string &needle, bool includeCursor) {
  if (needle.empty()) return false;
  ClampCursor(document);
  int count = LineCount(document);
  size_t from = document.Column + (includeCursor ? 0 : 1);
  for (int step = 0; step <= count; ++step) {
    int row = (document.Row + step) % count;
    const std::string &line = document.Lines[static_cast<size_t>(row)];
    size_t start = step == 0 ? from : 0;
    size_t found = start <= line.size() ? FindFolded(line, needle, start) : std::string::npos;
    // After wrapping round, the cursor's own line counts up to the cursor.
    if (step == count && found != std::string::npos && found >= from) found = std::string::npos;
    if (found != std::string::npos) {
      document.Row = row;
      document.Column = found;
      document.WantedCell = -1;
      return true;
    }
  }
  return false;
}

}  // namespace hostcore
