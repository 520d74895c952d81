// Reading captured output back as whole lines: lines far longer than one
// block of the reader, both kinds of line end, a last line without one, and
// the blocks' borders falling anywhere.
#include <stdio.h>

#include <string>
#include <vector>

#include "runner/output_lines.hpp"
#include "test_support.hpp"

namespace {

std::vector<std::string> Lines(const std::string &text) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "output", text);
  FILE *file = fopen((dir / "output").c_str(), "rb");
  EXPECT_NE(file, nullptr);
  std::vector<std::string> lines;
  OutputLines reader;
  StartOutputLines(reader, file);
  const char *line;
  size_t length;
  while (NextOutputLine(reader, line, length)) {
    EXPECT_EQ(line[length], '\0');
    lines.emplace_back(line, length);
  }
  fclose(file);
  return lines;
}

}  // namespace

TEST(OutputLines, EveryLineComesWholeWhereverTheBlocksEnd) {
  // Lines of every length around the reader's block of 64 KiB and far past
  // it, so that line ends fall before, on and after each border.
  std::vector<std::string> expected;
  std::string text;
  size_t lengths[] = {0, 1, 65535, 65536, 65537, 3, 300000, 131071, 7, 0};
  char fill = 'a';
  for (size_t length : lengths) {
    std::string line(length, fill++);
    if (length > 2) line[length / 2] = '\r';  // a CR inside a line stays
    expected.push_back(line);
    text += line + (fill % 2 ? "\r\n" : "\n");
  }
  EXPECT_EQ(Lines(text), expected);
}

TEST(OutputLines, ALastLineWithoutLineEndAndNulBytesInsideLines) {
  EXPECT_EQ(Lines("one\ntwo"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Lines(std::string("a\0b\nc", 5)),
            (std::vector<std::string>{std::string("a\0b", 3), "c"}));
  EXPECT_EQ(Lines("\n\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(Lines("").empty());
}
