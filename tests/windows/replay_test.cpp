// Marking and commit on Windows against the real client's recorded
// answers (tests/data/replay), replayed by the cvs.exe stand-in in a copy
// of the recorded working copy on C:.
#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "win_support.hpp"

namespace {

class WindowsReplay : public wintest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    copy = dir / "wc";
    wintest::CopyTree(wintest::TestsSourceDir() + "\\data\\replay\\workcopy", copy);
    std::string programs = wintest::ProgramPath("cvs");
    env.Set("PATH", programs.substr(0, programs.find_last_of('\\')));
    env.Set("QUILLET_REPLAY", wintest::TestsSourceDir() + "\\data\\replay");
    env.Set("QUILLET_REPLAY_LOG", dir / "cvs.log");
    wintest::MakeDirs(dir / "home");
    env.Set("HOME", dir / "home");
    wintest::MakeDirs(dir / "appdata");
    env.Set("APPDATA", dir / "appdata");
    env.Unset("TMP");
  }

  // What is left in HOME, where these commands keep their files.
  std::vector<std::string> LeftInHome() { return wintest::ListDir(dir / "home"); }

  wintest::TempDir dir;
  wintest::ScopedEnv env;
  std::string copy;
};

TEST_F(WindowsReplay, MarkingReadsTheDryRunUpdate) {
  wintest::ScopedCwd cwd(copy);
  Selection names;
  ASSERT_TRUE(CollectConflicts(".", names, false));
  EXPECT_EQ(names, (Selection{"conflict.c"}));
  ASSERT_TRUE(QueryStates(".", names, "MA", false, true));
  EXPECT_EQ(names, (Selection{"added.c", "modified.c"}));

  // The client ends a dry run over a conflict with 1; its answer is whole,
  // so the queries that take no other failure take this one.
  names = {"kept"};
  EXPECT_TRUE(CollectNewEntries(names));
  EXPECT_EQ(names, (Selection{"unknown.txt"}));
  EXPECT_TRUE(CollectModified(".", names, false));
  EXPECT_EQ(names, (Selection{"added.c", "modified.c"}));
  EXPECT_TRUE(host.Messages.empty());
  const std::string whole = copy + ":[-n][-q][update][.]";
  const std::string local = copy + ":[-n][-q][update][-l][.]";
  EXPECT_EQ(wintest::ReadLines(dir / "cvs.log"),
            (std::vector<std::string>{whole, whole, local, whole}));
  EXPECT_TRUE(LeftInHome().empty());
}

TEST_F(WindowsReplay, ALightCommitRunsWithTheTemplateAndShowsTheOutput) {
  wintest::ScopedCwd cwd(copy);
  host.script.Editor.push_back(standin::AppendAndSave("Replayed.\r\n"));
  host.script.Message.push_back(standin::Answer(0));         // the commit confirmed
  ASSERT_TRUE(CommitFiles(Selection{"modified.c", "added.c"}, false));
  std::vector<std::string> log = wintest::ReadLines(dir / "cvs.log");
  ASSERT_EQ(log.size(), 1u);
  const std::string start = copy + ":[commit][-F][" + dir / "home\\quillet";
  EXPECT_EQ(log[0].rfind(start, 0), 0u) << log[0];
  EXPECT_EQ(log[0].substr(log[0].size() - 22), "][modified.c][added.c]") << log[0];
  // The client got the user's text alone, and its answer is in the editor.
  EXPECT_EQ(wintest::ReadFile(dir / "cvs.log.message"), "Replayed.\r\n");
  ASSERT_EQ(host.Editors.size(), 2u);
  for (const standin::EditorCall &editor : host.Editors) EXPECT_EQ(editor.Title, "CVS log");
  EXPECT_NE(host.Editors[1].Content.find("new revision: 1.2; previous revision: 1.1"),
            std::string::npos)
      << host.Editors[1].Content;
  EXPECT_TRUE(LeftInHome().empty());
}

}  // namespace
