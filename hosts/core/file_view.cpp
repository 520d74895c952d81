// The viewer's window on a file, read a piece at a time.
#include "core/file_view.hpp"

#include <ctype.h>
#include <string.h>

#include <algorithm>

#include "core/host_texts.hpp"
#include "core/platform.hpp"
#include "core/screen_text.hpp"

namespace hostcore {

namespace {

// What one piece of a search reads.
const size_t kSearchPiece = 1u << 20;

char Folded(char c) { return static_cast<char>(tolower(static_cast<unsigned char>(c))); }

// Where `folded` (lower case) first occurs in `piece`, case ignored for
// ASCII letters.  The first byte is looked for with memchr in both cases,
// so a piece of a gigabyte file with no match costs little.
size_t FindFolded(const std::string &piece, const std::string &folded) {
  const char lower = folded[0];
  const char upper = static_cast<char>(toupper(static_cast<unsigned char>(lower)));
  const char *data = piece.data();
  const size_t size = piece.size();
  auto next = [&](char c, size_t from) {
    const void *hit = from < size ? memchr(data + from, c, size - from) : nullptr;
    return hit != nullptr ? static_cast<size_t>(static_cast<const char *>(hit) - data)
                          : std::string::npos;
  };
  size_t nextLower = next(lower, 0),
         nextUpper = upper != lower ? next(upper, 0) : std::string::npos;
  for (;;) {
    size_t at = std::min(nextLower, nextUpper);
    if (at == std::string::npos || at + folded.size() > size) return std::string::npos;
    size_t i = 1;
    while (i < folded.size() && Folded(data[at + i]) == folded[i]) ++i;
    if (i == folded.size()) return at;
    if (at == nextLower) nextLower = next(lower, at + 1);
    if (at == nextUpper) nextUpper = next(upper, at + 1);
  }
}

}  // namespace

bool FileView::Open(const std::string &path, std::string &error) {
  // A pipe or a device could block or never end.
  if (!IsPlainFile(path)) {
    error = Say(IsFolder(path) ? HostText::ErrorIsFolder : HostText::ErrorNotPlainFile, {path});
    return false;
  }
  file_.open(path, std::ios::binary);
  if (!file_) {
    error = Say(HostText::ErrorCannotOpen, {path});
    return false;
  }
  file_.seekg(0, std::ios::end);
  std::streamoff end = file_.tellg();
  size_ = end > 0 ? static_cast<uint64_t>(end) : 0;
  top_ = 0;
  return true;
}

size_t FileView::ReadAt(uint64_t at, char *buffer, size_t size) {
  if (at >= size_) return 0;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(at));
  file_.read(buffer, static_cast<std::streamsize>(std::min<uint64_t>(size, size_ - at)));
  return static_cast<size_t>(std::max<std::streamsize>(file_.gcount(), 0));
}

bool FileView::RowAt(uint64_t at, std::string &row, uint64_t &next) {
  row.assign(kLongestRow + 1, '\0');
  size_t got = ReadAt(at, &row[0], row.size());
  row.resize(got);
  if (got == 0) return false;
  size_t newline = row.find('\n');
  if (newline != std::string::npos) {
    next = at + newline + 1;
    row.resize(newline > 0 && row[newline - 1] == '\r' ? newline - 1 : newline);
  } else {
    row.resize(std::min(got, kLongestRow));
    next = at + row.size();
  }
  return true;
}

uint64_t FileView::NextRowStart(uint64_t at) {
  std::string row;
  uint64_t next = at;
  return RowAt(at, row, next) ? next : at;
}

uint64_t FileView::PreviousRowStart(uint64_t at) {
  if (at == 0) return 0;
  // The row before ends with the line end just before `at`, or was cut
  // there; its start is the last line end before that, or a row length back.
  char last = 0;
  ReadAt(at - 1, &last, 1);
  uint64_t high = last == '\n' ? at - 1 : at;
  uint64_t low = high - std::min<uint64_t>(high, kLongestRow);
  std::string piece(static_cast<size_t>(high - low), '\0');
  size_t got = piece.empty() ? 0 : ReadAt(low, &piece[0], piece.size());
  size_t newline = piece.rfind('\n', got == 0 ? 0 : got - 1);
  if (got > 0 && newline != std::string::npos) return low + newline + 1;
  return low;
}

uint64_t FileView::RowStartOf(uint64_t at) {
  uint64_t low = at - std::min<uint64_t>(at, kLongestRow - 1);
  std::string piece(static_cast<size_t>(at - low), '\0');
  size_t got = piece.empty() ? 0 : ReadAt(low, &piece[0], piece.size());
  size_t newline = got == 0 ? std::string::npos : piece.rfind('\n', got - 1);
  if (newline != std::string::npos) return low + newline + 1;
  // A line longer than a row: the match shows in the middle of its row.
  return at - std::min<uint64_t>(at, kLongestRow / 2);
}

std::vector<std::string> FileView::Rows(int count) {
  std::vector<std::string> rows;
  uint64_t at = top_;
  std::string row;
  for (int i = 0; i < count && RowAt(at, row, at); ++i) rows.push_back(row);
  return rows;
}

void FileView::Down(int rows) {
  for (int i = 0; i < rows; ++i) {
    uint64_t next = NextRowStart(top_);
    if (next >= size_ || next == top_) return;
    top_ = next;
  }
}

void FileView::Up(int rows) {
  for (int i = 0; i < rows && top_ > 0; ++i) top_ = PreviousRowStart(top_);
}

void FileView::ToEnd(int pageRows) {
  top_ = size_;
  Up(std::max(pageRows, 1));
}

bool FileView::Find(const std::string &needle, bool fresh, int &cell) {
  if (needle.empty() || needle.size() > kSearchPiece || size_ < needle.size()) return false;
  std::string folded;
  for (char c : needle) folded += Folded(c);
  uint64_t from = fresh || !matched_ ? top_ : match_ + 1;
  // Two passes: from the start point to the end, then from the top of the
  // file up to where the first pass began.
  for (int pass = 0; pass < 2; ++pass) {
    uint64_t at = pass == 0 ? from : 0;
    uint64_t stop = pass == 0 ? size_ : std::min(size_, from + needle.size() - 1);
    std::string piece;
    while (at + needle.size() <= stop) {
      size_t want = static_cast<size_t>(std::min<uint64_t>(kSearchPiece, stop - at));
      piece.assign(want, '\0');
      size_t got = ReadAt(at, &piece[0], want);
      if (got < needle.size()) break;
      piece.resize(got);
      size_t found = FindFolded(piece, folded);
      if (found != std::string::npos) {
        match_ = at + found;
        matched_ = true;
        top_ = RowStartOf(match_);
        std::string row(static_cast<size_t>(match_ - top_), '\0');
        size_t before = row.empty() ? 0 : ReadAt(top_, &row[0], row.size());
        row.resize(before);
        cell = CellsBefore(row, row.size());
        return true;
      }
      if (at + got >= stop) break;
      // The next piece overlaps this one by a needle less one byte, so a
      // match across the seam is found.
      at += got - (needle.size() - 1);
    }
  }
  return false;
}

}  // namespace hostcore
