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

int CellOf(const std::string &line, size_t at) { return hostcore::TextWidth(line.substr(0, at)); }

// Whether the box around `text` is closed below it: the frame's bottom-left
// corner stands under the frame's left side on the text's row.
bool ClosedBelow(const std::string &screen, const std::string &text) {
  std::string row = LineWith(screen, text);
  size_t left = row.rfind("\xE2\x95\x91", row.find(text));  // the double line
  size_t next = screen.find('\n', screen.find(row));
  if (row.empty() || left == std::string::npos || next == std::string::npos) return false;
  std::string below = screen.substr(next + 1, screen.find('\n', next + 1) - next - 1);
  for (size_t at = below.find("\xE2\x95\x9A"); at != std::string::npos;
       at = below.find("\xE2\x95\x9A", at + 1))
    if (CellOf(below, at) == CellOf(row, left)) return true;
  return false;
}

class ConsoleScreenTest : public ConsoleTuiTest {
 protected:
  // Waits for the box of `text` to stand closed (it may still be drawing).
  void ExpectClosedBelow(const std::string &text) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &shown) {
      return ClosedBelow(shown, text);
    })) << "the box of \""
        << text << "\" in\n"
        << screen->Last;
  }
};

TEST_F(ConsoleScreenTest, At80x24ThePanelsAndEveryDialogStandWhole) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:", "", 80, 24);
  ExpectStatusPanel();
  screen->Keys({"Home", "Down", "Down", "Down", "Down", "Insert"});  // hello.c, modified
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return ShownSelected("hello.c"); }));
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
    std::string mark = MarkBeforeReading(work);
    Command(dialog.HotKey);
    Expect(dialog.Shows);
    ExpectClosedBelow(dialog.Escapes == 1 ? "[ OK ]" : dialog.Shows);
    // One Esc at a time: two that reach the host together are Alt+Esc.
    screen->Keys({"Escape"});
    ExpectGone(dialog.Shows);
    if (dialog.Escapes == 2) screen->Keys({"Escape"});
    ExpectReadAgain(mark);
  }
  // The commit message in the editor, then the box that asks before cvs runs.
  std::string mark = MarkBeforeReading(work);
  Command("c");
  Expect("CVS: Modified and Added Files:");
  screen->Type("A message");
  screen->Keys({"F2"});
  Expect("saved");
  screen->Keys({"Escape"});
  Expect("Commit 1 item(s)");
  ExpectClosedBelow("[ OK ]");
  screen->Keys({"Escape"});
  ExpectReadAgain(mark);
  Quit();
}

TEST_F(ConsoleScreenTest, WideNamesKeepTheColumnsTheStatusLetterAndTheEditorCursor) {
  std::string work = MakeDemo();
  const std::string kAdded = "\xE5\x90\x8D\xE5\x89\x8D.txt";            // 名前.txt
  const std::string kUnknown = "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";  // データ
  testsupport::WriteFile(work + "/" + kAdded, "\xE5\x90\x8D\xE5\x89\x8Dx\n");
  testsupport::WriteFile(work + "/" + kUnknown, "?\n");
  ASSERT_EQ(0, testsupport::Shell("cvs -Q add " + testsupport::ShellQuote(kAdded), work));
  Start(work, "--command cvs:", "", 80, 24);
  ExpectStatusPanel();
  Expect(kAdded);
  const std::string kBar = "\xE2\x94\x82";
  int barCell = -1;
  for (const auto &entry : std::vector<std::pair<std::string, std::string>>{
           {"hello.c", "M"}, {kAdded, "A"}, {kUnknown, "?"}}) {
    std::string row = LeftRow(entry.first);
    EXPECT_TRUE(
        Matches(row, EscapeRegex(entry.first) + " +" + kBar + EscapeRegex(entry.second) + kBar))
        << entry.first << " in: " << row;
    int cell = CellOf(row, row.find(kBar));
    if (barCell < 0) barCell = cell;
    EXPECT_EQ(barCell, cell) << "the line after " << entry.first << " in: " << row;
  }
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
