// The console host in tmux on real working copies: a fixture that makes
// the demo (or a small sandbox of its own), starts quillet-console with a
// home, state and temporary folder of the test's own, and quits it.
#ifndef QUILLET_CONSOLE_TUI_FIXTURE_HPP
#define QUILLET_CONSOLE_TUI_FIXTURE_HPP

#include <gtest/gtest.h>
#include <stdio.h>

#include <memory>
#include <regex>

#include "test_support.hpp"
#include "tmux_screen.hpp"

namespace tuitest {

using testsupport::LineWith;

inline std::string EscapeRegex(const std::string &text) {
  return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

inline bool Matches(const std::string &text, const std::string &pattern) {
  return std::regex_search(text, std::regex(pattern));
}

class ConsoleTuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, testsupport::Shell("command -v tmux >/dev/null"))
        << "tmux is needed for the console tests (./run-tests installs it)";
    for (const char *folder : {"home", "state", "tmp"}) testsupport::MakeDirs(dir / folder);
  }
  void TearDown() override {
    // The server goes on every path; a console still running goes with it.
    screen.reset();
  }

  // The demo of ./quillet, made afresh in this test's folder; returns its
  // working copy.
  std::string MakeDemo() {
    std::string output;
    int status = testsupport::Shell("env HOME=" + testsupport::ShellQuote(dir / "home") + " " +
                                        QUILLET_SOURCE_DIR + "/tools/make-demo.sh --fresh " +
                                        testsupport::ShellQuote(dir / "demo"),
                                    "", &output);
    EXPECT_EQ(0, status) << output;
    return dir / "demo/work";
  }

  // Starts the console on `folder` with `args` before it; `path` goes in
  // front of PATH when not empty; `extraEnv` overrides the environment.
  void Start(const std::string &folder, const std::string &args = "", const std::string &path = "",
             int width = 100, int height = 30,
             const std::map<std::string, std::string> &extraEnv = {}) {
    std::map<std::string, std::string> env = {
        {"HOME", dir / "home"}, {"XDG_STATE_HOME", dir / "state"},
        {"TMP", dir / "tmp"},   {"TMPDIR", dir / "tmp"},
        {"TEMP", dir / "tmp"},  {"LANG", "C.UTF-8"},
        {"LC_ALL", "C.UTF-8"},  {"PATH", (path.empty() ? "" : path + ":") + getenv("PATH")}};
    for (const auto &entry : extraEnv) env[entry.first] = entry.second;
    // The info view shows "not defined" for an unset CVSROOT.
    std::string command = "env -u CVSROOT " + std::string(QUILLET_CONSOLE_PATH) + " --module " +
                          testsupport::ShellQuote(testsupport::ModulePath()) + " " + args + " " +
                          testsupport::ShellQuote(folder);
    // A host started again gets a tmux server of its own: the watcher of
    // the last one ends its server when it sees the socket go.
    std::string socketDir = dir.Path();
    if (starts_++ > 0) {
      socketDir = dir / ("tmux-" + std::to_string(starts_));
      testsupport::MakeDirs(socketDir);
    }
    screen = std::make_unique<testsupport::TmuxScreen>(socketDir, command, env, width, height);
    ASSERT_TRUE(screen->Started());
  }

  // Waits for the screen to hold `text`; fails the test with the screen
  // when it does not come.
  void Expect(const std::string &text) {
    EXPECT_TRUE(screen->WaitFor(text)) << "waited for \"" << text << "\" on\n" << screen->Last;
  }
  void ExpectGone(const std::string &text) {
    EXPECT_TRUE(screen->WaitForGone(text)) << "waited for \"" << text << "\" to go on\n"
                                           << screen->Last;
  }
  // Waits until the status panel shows with no cvs running under it: keys
  // sent while "CVS Running..." is up go to that dialog.
  void ExpectStatusPanel() {
    EXPECT_TRUE(screen->WaitUntil([](const std::string &text) {
      return text.find("CVS:") != std::string::npos &&
             text.find("CVS Running...") == std::string::npos;
    })) << "waited for the status panel on\n"
        << screen->Last;
  }
  // The host reads the status panel (on the left) again after every
  // command, and keys typed while "CVS Running..." stands go to that box.
  // A file made in `folder` before such a step, sorting before its other
  // files, shows in the panel once that reading is over; ExpectReadAgain
  // waits for it, then removes it.
  std::string MarkBeforeReading(const std::string &folder) {
    std::string mark = folder + "/a-read-" + std::to_string(++reads_);
    testsupport::WriteFile(mark, "");
    return mark;
  }
  void ExpectReadAgain(const std::string &mark) {
    std::string name = mark.substr(mark.rfind('/') + 1);
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &shown) {
      return shown.find("CVS Running...") == std::string::npos && !LeftRow(name).empty();
    })) << "waited for "
        << name << " in the status panel on\n"
        << screen->Last;
    remove(mark.c_str());
  }
  // The left panel's part of the line that shows `name` first in it.
  std::string LeftRow(const std::string &name) {
    std::string screenText = screen->Screen();
    std::regex row("^\xE2\x95\x91[ *]?" + EscapeRegex(name) + "[ \xE2]");
    size_t start = 0;
    while (start < screenText.size()) {
      size_t end = screenText.find('\n', start);
      if (end == std::string::npos) end = screenText.size();
      std::string line = screenText.substr(start, end - start);
      std::string left = line.substr(0, line.find("\xE2\x95\x91\xE2\x95\x91"));
      if (std::regex_search(left, row)) return left;
      start = end + 1;
    }
    return "";
  }
  // F11, the module's entry, then the command menu's hot key.
  void Command(const std::string &hotKey) {
    screen->Keys({"F11"});
    Expect("Plugins");
    screen->Keys({"Enter"});
    Expect("CVS: ");
    screen->Keys({hotKey});
  }
  // Whether the left panel shows `name` in the selection's colour (yellow).
  bool ShownSelected(const std::string &name) {
    std::string styled = screen->StyledScreen();
    const std::string frame = "\xE2\x95\x91";
    size_t start = 0;
    while (start < styled.size()) {
      size_t end = styled.find('\n', start);
      if (end == std::string::npos) end = styled.size();
      std::string line = styled.substr(start, end - start);
      start = end + 1;
      size_t first = line.find(frame);
      size_t at = line.find(name);
      if (first == std::string::npos || at == std::string::npos || at < first) continue;
      if (line.compare(at + name.size(), 1, " ") != 0) continue;
      std::string before = line.substr(line.rfind(frame, at) + frame.size());
      before = before.substr(0, at - (line.size() - before.size()));
      return before.find("\x1b[33m") != std::string::npos;
    }
    return false;
  }
  // F10, Yes to the question, and the program ends cleanly.
  void Quit() {
    screen->Keys({"F10"});
    Expect("Do you want to quit");
    screen->Keys({"Enter"});
    int status = -1;
    EXPECT_TRUE(screen->WaitForEnd(&status)) << screen->Screen();
    EXPECT_EQ(0, status) << screen->Screen();
  }

  testsupport::TempDir dir;
  std::unique_ptr<testsupport::TmuxScreen> screen;

 private:
  int reads_ = 0;
  int starts_ = 0;
};

}  // namespace tuitest

#endif
