// Names and file contents that try to hide or turn text, or to talk to the
// terminal, shown by the console host in tmux: every such character shows
// escaped, and none of its bytes is ever written to the terminal.
#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

TEST_F(ConsoleTuiTest, InvisibleTurningAndBrokenCharactersShowEscapedAndNeverReachTheTerminal) {
  const struct {
    std::string Raw, Shown;
  } kNames[] = {
      {"invoice\xE2\x80\xAEtxt.exe", "invoice\\u202Etxt.exe"},  // right-to-left override
      {"pay\xE2\x80\x8Broll", "pay\\u200Broll"},                // zero-width space
      {"latin\xFF.txt", "latin\\xFF.txt"},                      // not UTF-8
      {"bell\x07tab\x09.txt", "bell^Gtab^I.txt"},               // control characters
  };
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  for (const auto &name : kNames) testsupport::WriteFile(files + "/" + name.Raw, "x\n");
  // A file whose text would clear the screen and turn the line around.
  testsupport::WriteFile(files + "/a-notes",
                         "one\x1b[2J\xC2\x9B"
                         "2J\xE2\x80\xAEtwo\xFF\n");
  std::string record = dir / "terminal-bytes";
  Start(files);
  Expect(files + ">");
  screen->RecordOutput(record);
  screen->Resize(100, 31);  // everything painted anew, into the record
  for (const auto &name : kNames) Expect(name.Shown);
  screen->Keys({"Home", "Down", "F3"});  // a-notes sorts first
  Expect("one^[[2J\\u009B2J\\u202Etwo\\xFF");
  screen->Keys({"Escape"});
  ExpectGone("View: ");
  Quit();
  std::string written = testsupport::ReadFile(record);
  EXPECT_NE(std::string::npos, written.find("invoice\\u202Etxt.exe"));
  // (A tab is not looked for: ncurses may move the cursor with one.)
  for (const char *raw : {"\xE2\x80\xAE", "\xE2\x80\x8B", "\xFF", "\x07", "\xC2\x9B", "\x1b[2J"})
    EXPECT_EQ(std::string::npos, written.find(raw)) << testsupport::ShellQuote(std::string(raw));
}

}  // namespace

}  // namespace tuitest
