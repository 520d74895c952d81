// Ctrl+Enter puts a name from the folder on the command line: the shell
// that reads it gets the name as one word, and nothing in it runs.
#include "os/command_line.hpp"
#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

TEST(ShellQuoting, TheCommandProcessorGetsOneWordOrNone) {
  const struct {
    const char *Name;
    const char *Quoted;  // null: refused
  } cases[] = {
      {"plain.c", "plain.c"},
      {"two words.c", "\"two words.c\""},
      {"a&calc|x>y", "\"a&calc|x>y\""},
      {"(x)^y", "\"(x)^y\""},
      // Inside quotes the processor still puts a variable in place of %NAME%.
      {"%PATH%.c", "^%\"PATH\"^%\".c\""},
      {"100%", "\"100\"^%"},
      {"say\"hi\"", nullptr},
      {"line\nbreak", nullptr},
  };
  for (const auto &c : cases) {
    std::string quoted;
    EXPECT_EQ(QuoteForCommandProcessor(c.Name, quoted), c.Quoted != nullptr) << c.Name;
    if (c.Quoted != nullptr) {
      EXPECT_EQ(quoted, c.Quoted);
    }
  }
}

class CtrlEnter : public PanelCvsTest {};

TEST_F(CtrlEnter, TheShellReadsEveryNameWholeAndRunsNothing) {
  TempDir dir;
  const std::vector<std::string> names = {
      "$(touch X)", "`touch X`", "a;touch X", "line\nbreak", "it's",    "tab\there",  "~root",
      "star*",      "$HOME",     "a=b",       "-n",          "plain.c", "caf\xc3\xa9"};
  for (const std::string &name : names) WriteFile(dir / name, "x\n");
  OpenPanel(dir.Path());
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    PutCursorOn(name);
    host.CommandLine.clear();
    ASSERT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
    std::string output;
    EXPECT_EQ(Shell("printf '[%s]' " + host.CommandLine, dir.Path(), &output), 0);
    EXPECT_EQ(output, "[" + name + "]");
    EXPECT_FALSE(Exists(dir / "X"));
  }
}

}  // namespace
