// The viewer's hex view: a file shown sixteen bytes to a row, each row its
// offset, the bytes in hex and the bytes as characters (a byte that is not
// printable ASCII shows as "."), read a screen at a time from where it is.
#ifndef QUILLET_CONSOLE_HEX_VIEW_HPP
#define QUILLET_CONSOLE_HEX_VIEW_HPP

#include <stdint.h>

#include <fstream>
#include <string>
#include <vector>

namespace console {

const int kHexRowBytes = 16;

// One row: the offset, up to sixteen bytes in hex, and as characters.
std::string HexRow(uint64_t offset, const std::string &bytes);

class HexView {
 public:
  bool Open(const std::string &path, std::string &error);
  uint64_t Size() const { return size_; }
  uint64_t Top() const { return top_; }
  // Puts the top on the row that holds byte `at`.
  void ShowByte(uint64_t at);
  void Down(int rows);
  void Up(int rows);
  void ToStart() { top_ = 0; }
  void ToEnd(int pageRows);
  std::vector<std::string> Rows(int count);

 private:
  uint64_t LastTop() const;
  std::ifstream file_;
  uint64_t size_ = 0;
  uint64_t top_ = 0;
};

}  // namespace console

#endif
