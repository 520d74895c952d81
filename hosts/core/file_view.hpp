// The viewer's window on a file of any size.  It reads only the rows it
// shows, from where they start in the file, and a search reads the file a
// piece at a time: a file of gigabytes costs no more memory than a small
// one.  A row is a line without its end; a line longer than kLongestRow
// bytes shows as several rows (scrolling up through such a line may cut it
// at other places than scrolling down: its start may lie too far back to
// be looked for).
#ifndef QUILLET_HOSTCORE_FILE_VIEW_HPP
#define QUILLET_HOSTCORE_FILE_VIEW_HPP

#include <stdint.h>

#include <fstream>
#include <string>
#include <vector>

namespace hostcore {

const size_t kLongestRow = 8192;

class FileView {
 public:
  // Opens a plain file; false with a reason.
  bool Open(const std::string &path, std::string &error);
  uint64_t Size() const { return size_; }
  // Where the first shown row starts.
  uint64_t Top() const { return top_; }
  // Up to `count` rows from the top.
  std::vector<std::string> Rows(int count);

  // Moves the top by rows (never past the last row), or to either end;
  // End leaves a last page of `pageRows` rows.
  void Down(int rows);
  void Up(int rows);
  void ToStart() { top_ = 0; }
  void ToEnd(int pageRows);
  // Finds `needle` (case ignored for ASCII letters) after the last match,
  // or from the top when `fresh`, wrapping round at the end; the row that
  // holds it becomes the top and `cell` its cell in that row.  False when
  // it is nowhere, or when the file cannot be read.
  bool Find(const std::string &needle, bool fresh, int &cell);

  int LeftCell = 0;

 private:
  size_t ReadAt(uint64_t at, char *buffer, size_t size);
  // The row that starts at `at` and where the next one starts; false at
  // the end of the file.
  bool RowAt(uint64_t at, std::string &row, uint64_t &next);
  uint64_t NextRowStart(uint64_t at);
  uint64_t PreviousRowStart(uint64_t at);
  // The start of the row that holds the byte at `at`.
  uint64_t RowStartOf(uint64_t at);

  std::ifstream file_;
  uint64_t size_ = 0;
  uint64_t top_ = 0;
  uint64_t match_ = 0;
  bool matched_ = false;
};

}  // namespace hostcore

#endif
