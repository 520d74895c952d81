// The console host's screen in tmux against the real cvs: every dialog of
// the module whole in an 80x24 terminal, and names in wide (CJK)
// characters that keep the columns and the status letters in place.
#include <locale.h>

#include "console_tui_fixture.hpp"
#include "core/screen_text.hpp"

namespace tuitest {

namespace {

// Cells are counted as the terminal counts them, in a UTF-8 locale.
[[maybe_unused]] const bool kUtf8Locale = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;

std::vector<std::string> Lines(const std::string &screen) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = screen.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(screen.substr(start, end - start));
  if (start < screen.size()) lines.push_back(screen.substr(start));
  return lines;
}

int CellOf(const std::string &line, size_t at) { return hostcore::TextWidth(line.substr(0, at)); }

// The innermost pair of corners in `line` on either side of cell `cell`, or
// {-1, -1}.
std::pair<int, int> CornersAround(const std::string &line, int cell, const std::string &left,
                                  const std::string &right) {
  std::pair<int, int> found{-1, -1};
  for (size_t at = line.find(left); at != std::string::npos; at = line.find(left, at + 1))
    if (CellOf(line, at) <= cell) found.first = CellOf(line, at);
  for (size_t at = line.find(right); at != std::string::npos; at = line.find(right, at + 1)) {
    if (CellOf(line, at) > cell) {
      found.second = CellOf(line, at);
      break;
    }
  }
  return found.first < 0 || found.second < 0 ? std::make_pair(-1, -1) : found;
}

// Whether the double frame around `text` stands whole on the screen: the
// nearest top corners above it (or on its row) and bottom corners below it
// belong to one box.
bool BoxWhole(const std::string &screen, const std::string &text) {
  std::vector<std::string> lines = Lines(screen);
  for (size_t row = 0; row < lines.size(); ++row) {
    size_t at = lines[row].find(text);
    if (at == std::string::npos) continue;
    int cell = CellOf(lines[row], at);
    std::pair<int, int> top{-1, -1}, bottom{-1, -1};
    for (size_t up = row + 1; up-- > 0 && top.first < 0;)
      top = CornersAround(lines[up], cell, "\xE2\x95\x94", "\xE2\x95\x97");
    for (size_t down = row; down < lines.size() && bottom.first < 0; ++down)
      bottom = CornersAround(lines[down], cell, "\xE2\x95\x9A", "\xE2\x95\x9D");
    return top.first >= 0 && top == bottom;
  }
  return false;
}

class ConsoleScreenTest : public ConsoleTuiTest {
 protected:
  // Waits for the box of `text` to stand whole (it may still be drawing).
  void ExpectBoxWhole(const std::string &text) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &shown) { return BoxWhole(shown, text); }))
        << "the box of \"" << text << "\" in\n"
        << screen->Last;
  }
};

TEST_F(ConsoleScreenTest, At80x24ThePanelsAndEveryDialogStandWhole) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:", "", 80, 24);
  ExpectStatusPanel();
  std::vector<std::string> lines = Lines(screen->Last);
  ASSERT_EQ(24u, lines.size()) << screen->Last;
  EXPECT_EQ(0u, lines[22].find(work + ">"));
  EXPECT_EQ(0u, lines[23].find("1Help"));
  EXPECT_TRUE(BoxWhole(screen->Last, "hello.c"));
  screen->Keys({"Home", "Down", "Down", "Down", "Down", "Insert"});  // hello.c, modified
  const struct {
    std::string HotKey, Shows;
    int Escapes;  // the Mark menu goes back to the command menu first
  } kDialogs[] = {
      {"d", "Visual TkDiff", 1},  // first: it needs the selected file
      {"u", "Re-create missing folders (-d)", 1},
      {"o", "Checkout", 1},
      {"x", "Export", 1},
      {"a", "Binary (-kb)", 1},
      {"r", "Remove 1 item(s)", 1},
      {"l", "Show log for 1 item(s)", 1},
      {"m", "Not in repository", 2},
  };
  for (const auto &dialog : kDialogs) {
    Command(dialog.HotKey);
    ExpectBoxWhole(dialog.Shows);
    if (dialog.Escapes == 1) ExpectBoxWhole("[ OK ]");
    for (int i = 0; i < dialog.Escapes; ++i) screen->Keys({"Escape"});
    ExpectGone(dialog.Shows);
    ExpectGone("CVS: ");
  }
  // The commit message in the editor, then the box that asks before cvs runs.
  Command("c");
  Expect(": Modified and Added Files:");
  EXPECT_EQ(0u, Lines(screen->Last)[23].find("1"));  // the editor's key bar on the last row
  screen->Type("A message");
  screen->Keys({"F2"});
  Expect("saved");
  screen->Keys({"Escape"});
  ExpectBoxWhole("Commit 1 item(s)");
  screen->Keys({"Escape"});
  ExpectGone("Commit 1 item(s)");
  // One row less is refused with a clear line, and it comes back.
  screen->Resize(80, 23);
  Expect("needs a terminal of at least 80x24");
  screen->Resize(80, 24);
  ExpectStatusPanel();
  Quit();
}

TEST_F(ConsoleScreenTest, WideNamesKeepTheColumnsTheStatusLetterAndTheEditorCursor) {
  std::string work = MakeDemo();
  const std::string kAdded = "\xE5\x90\x8D\xE5\x89\x8D.txt";           // 名前.txt
  const std::string kUnknown = "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";  // データ
  testsupport::WriteFile(work + "/" + kAdded, "\xE5\x90\x8D\xE5\x89\x8Dx\n");
  testsupport::WriteFile(work + "/" + kUnknown, "?\n");
  std::string output;
  ASSERT_EQ(0, testsupport::Shell("cd " + testsupport::ShellQuote(work) + " && cvs -Q add " +
                                      testsupport::ShellQuote(kAdded),
                                  "", &output))
      << output;
  Start(work, "--command cvs:", "", 80, 24);
  ExpectStatusPanel();
  Expect(kAdded);
  const std::string kBar = "\xE2\x94\x82";
  int barCell = -1;
  for (const auto &entry : std::vector<std::pair<std::string, std::string>>{
           {"hello.c", "M"}, {kAdded, "A"}, {kUnknown, "?"}}) {
    std::string row = LeftRow(entry.first);
    EXPECT_TRUE(Matches(row, EscapeRegex(entry.first) + " +" + kBar + EscapeRegex(entry.second) + kBar))
        << entry.first << " in: " << row;
    int cell = CellOf(row, row.find(kBar));
    if (barCell < 0) barCell = cell;
    EXPECT_EQ(barCell, cell) << "the line after " << entry.first << " in: " << row;
  }
  // Mode 6: names and their status in words, the name part of each.
  screen->Keys({"M-6"});
  Expect("Description");
  EXPECT_TRUE(Matches(LeftRow(kAdded), EscapeRegex(kAdded) + " +" + kBar + "Added"));
  EXPECT_TRUE(Matches(LeftRow("conflict.txt"), "conflict\\.txt" + kBar + "Unresolved"));
  // In the editor, the cursor after the two wide characters and the "x"
  // stands in the sixth cell.
  screen->Keys({"M-2", "C-q"});
  ExpectGone("CVS:");
  screen->Keys({"End", "F4"});  // the name sorts last
  Expect(kAdded);
  Expect("1/2 col 1");
  screen->Keys({"End"});
  Expect("1/2 col 6");
  screen->Keys({"Escape"});
  ExpectGone("1/2 col 6");
  Quit();
}

}  // namespace

}  // namespace tuitest
