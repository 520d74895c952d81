// The console's command line and the shell: names quoted as one word
// whatever they hold (checked with /bin/sh itself), and the host's own cd
// reading its folder as the shell would without running anything.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "console/command_line.hpp"
#include "console/shell_text.hpp"
#include "test_support.hpp"

namespace {

TEST(ShellQuoteTest, EveryNameComesBackFromTheShellAsOneWord) {
  const std::vector<std::string> names = {
      "plain-name_1.c", "two words", "it's", "$HOME", "`id`", "a;b&c|d", "<in>out", "(x)",
      "*?[ab]", "#hash", "~tilde", "a=b", "100%", "!bang", "{a,b}", "back\\slash", "tab\there",
      "new\nline", "\"dq\"", "\xE6\xBC\xA2\xE5\xAD\x97 name.txt", "-dash"};
  for (const std::string &name : names) {
    std::string output;
    // printf prints each argument between brackets: one pair means one word.
    ASSERT_EQ(0, testsupport::Shell("printf '[%s]' " + console::QuoteForShell(name), "", &output))
        << name;
    EXPECT_EQ("[" + name + "]", output) << console::QuoteForShell(name);
  }
  EXPECT_EQ("plain-name_1.c", console::QuoteForShell("plain-name_1.c"));
  EXPECT_EQ("''", console::QuoteForShell(""));
}

TEST(CdTest, FoldersAsTheShellReadsThemWithoutRunningAnything) {
  setenv("QUILLET_CD_TEST", "/var/x", 1);
  console::CdPlaces places{"/work/proj", "/before", "/home/me"};
  struct Case {
    const char *line, *target;
  } cases[] = {
      {"cd", "/home/me"},
      {"cd ~", "/home/me"},
      {"cd ~/src", "/home/me/src"},
      {"cd sub", "/work/proj/sub"},
      {"cd ../other/./x/", "/work/other/x"},
      {"cd /../..", "/"},
      {"cd -", "/before"},
      {"cd 'my folder'", "/work/proj/my folder"},
      {"cd \"a \\\"b\\\"\"", "/work/proj/a \"b\""},
      {"cd 'it'\\''s'", "/work/proj/it's"},
      {"cd $QUILLET_CD_TEST/y", "/var/x/y"},
      {"cd '$QUILLET_CD_TEST'", "/work/proj/$QUILLET_CD_TEST"},
  };
  for (const Case &c : cases) {
    std::string target, error;
    EXPECT_TRUE(console::CdTarget(c.line, places, target, error)) << c.line << ": " << error;
    EXPECT_EQ(c.target, target) << c.line;
  }
  for (const char *refused : {"cd a b", "cd `x`", "cd $(x)", "cd a;ls", "cd 'open", "cd \"`x`\""}) {
    std::string target, error;
    EXPECT_FALSE(console::CdTarget(refused, places, target, error)) << refused << " -> " << target;
    EXPECT_FALSE(error.empty()) << refused;
  }
  std::string target, error;
  EXPECT_FALSE(console::CdTarget("cd -", console::CdPlaces{"/a", "", "/h"}, target, error));
  for (const char *line : {"cd", "cd x", " cd\tx"}) EXPECT_TRUE(console::IsCdCommand(line)) << line;
  for (const char *line : {"cdx", "echo cd", "c d", ""})
    EXPECT_FALSE(console::IsCdCommand(line)) << line;
}

}  // namespace
