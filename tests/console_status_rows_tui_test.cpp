// The status panel's rows for what the disk lacks, and Mark on the status
// panel beside Mark on the file panel, through the console host in tmux
// against the real cvs.
#include <set>

#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

const std::string kBar = "\xE2\x94\x82";  // the line between columns
const std::string kFrames = "\xE2\x95\x91\xE2\x95\x91";  // where the two panels meet

class ConsoleStatusRowsTest : public ConsoleTuiTest {
 protected:
  // Every letter that Mark reads, in one folder: changed, added, lost,
  // removed, out of date, unknown, ignored and up to date.
  std::string MakeWorkingCopy() {
    sandbox.Import("proj", {{"changed.txt", "1\n"}, {"same.txt", "2\n"}, {"lost.txt", "3\n"},
                            {"removed.txt", "4\n"}, {"patch.txt", "5\n"}});
    const std::string work = sandbox.Checkout("proj", "wc");
    const std::string other = sandbox.Checkout("proj", "other");
    testsupport::WriteFile(other + "/patch.txt", "5, theirs\n");
    sandbox.MustCvs("-Q commit -m theirs", other);
    testsupport::WriteFile(work + "/changed.txt", "1, changed\n");
    testsupport::WriteFile(work + "/new.txt", "new\n");
    sandbox.MustCvs("-Q add new.txt", work);
    testsupport::Shell("rm lost.txt removed.txt", work);
    sandbox.MustCvs("-Q remove removed.txt", work);
    testsupport::WriteFile(work + "/unknown.txt", "?\n");
    testsupport::WriteFile(work + "/build.o", "o\n");
    return work;
  }
  // The part of the screen line showing `name` in the left or the right
  // panel, in the selection's colour (yellow) or not.
  bool SelectedIn(bool right, const std::string &name) {
    const std::string styled = screen->StyledScreen();
    size_t start = 0;
    while (start < styled.size()) {
      size_t end = styled.find('\n', start);
      if (end == std::string::npos) end = styled.size();
      std::string line = styled.substr(start, end - start);
      start = end + 1;
      const size_t meet = line.find(kFrames);
      if (meet == std::string::npos) continue;
      line = right ? line.substr(meet + kFrames.size()) : line.substr(0, meet);
      const size_t at = line.find(name + " ");
      if (at == std::string::npos) continue;
      const size_t cell = line.rfind("\xE2", at);
      const std::string before = line.substr(cell == std::string::npos ? 0 : cell, at - cell);
      return before.find("\x1b[33m") != std::string::npos;
    }
    return false;
  }
  void MarkModified() {
    Command("m");
    Expect("CVS: Mark");
    screen->Keys({"Enter"});
    ExpectGone("CVS: Mark");
  }
  testsupport::CvsSandbox sandbox;
};

TEST_F(ConsoleStatusRowsTest, LostAndRemovedFilesShowAndMarkSelectsAsOnTheFilePanel) {
  const std::string work = MakeWorkingCopy();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  const std::vector<std::pair<std::string, std::string>> letters = {
      {"changed.txt", "M"}, {"new.txt", "A"},     {"lost.txt", "N"}, {"removed.txt", "L"},
      {"patch.txt", "U"},   {"unknown.txt", "?"}, {"build.o", "I"},  {"same.txt", " "}};
  for (const auto &entry : letters) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &) {
      return Matches(LeftRow(entry.first),
                     EscapeRegex(entry.first) + " +" + kBar + EscapeRegex(entry.second) + kBar);
    })) << entry.first << " in: " << LeftRow(entry.first);
  }

  // Mark > Modified on the status panel: by the letters, removed.txt too.
  MarkModified();
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return SelectedIn(false, "changed.txt"); }))
      << screen->StyledScreen();
  std::set<std::string> onStatusPanel;
  for (const auto &entry : letters)
    if (SelectedIn(false, entry.first)) onStatusPanel.insert(entry.first);
  EXPECT_EQ(onStatusPanel, (std::set<std::string>{"changed.txt", "new.txt", "removed.txt"}));

  // The same on the file panel beside it, which has no row for the files
  // that are not on the disk.
  screen->Keys({"Tab"});
  MarkModified();
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return SelectedIn(true, "changed.txt"); }))
      << screen->StyledScreen();
  std::set<std::string> onFilePanel;
  for (const auto &entry : letters)
    if (SelectedIn(true, entry.first)) onFilePanel.insert(entry.first);
  onStatusPanel.erase("removed.txt");
  EXPECT_EQ(onFilePanel, onStatusPanel);

  // F4 on the lost file (after "..", build.o and changed.txt): a box says
  // there is no file, and no editor opens.
  screen->Keys({"Tab", "Home", "Down", "Down", "Down", "F4"});
  Expect("lost.txt is not on the disk");
  screen->Keys({"Escape"});
  Quit();
}

}  // namespace

}  // namespace tuitest
