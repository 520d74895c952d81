// The plug-ins menu's commands through Quillet.dll's exports on a working
// copy on drive C:, against cvs.exe replaying the real client: Mark > each
// entry, a full and a light commit with the message typed into the
// template by the scripted editor, Break of a slow run under the run
// dialog, and the visual diff starting a tkdiff.bat stand-in.
#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "replay_module.hpp"

namespace {

class ModuleCommands : public wintest::ReplayModuleTest {
 protected:
  void SetUp() override {
    ReplayModuleTest::SetUp();
    ShowFolder(copy);
    PutCursorOn("up-to-date.c");
  }

  // Picks `command` in the plug-ins menu, by the text of its row.
  void Run(Command command) {
    ChooseCommand(command);
    EXPECT_EQ(module.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
  }
  std::vector<std::string> SelectedRows() {
    std::vector<std::string> names;
    for (const standin::PanelRow &row : host.ActivePanel().Rows)
      if (row.Selected) names.push_back(row.Name);
    return names;
  }
  // The path of the commit's message file, from its run's "-F" argument.
  static std::string TemplateOf(const std::string &call) {
    size_t start = call.find("[-F][");
    if (start == std::string::npos) return "";
    start += 5;
    return call.substr(start, call.find(']', start) - start);
  }

  const std::string dashes = "CVS: " + std::string(70, '-') + "\r\n";
  const std::string banner = "CVS: Orvelle CVS Plugin fo FAR Manager https://quillet.example/  \r\n";
};

TEST_F(ModuleCommands, MarkSelectsTheFilesInEachState) {
  const std::vector<std::vector<std::string>> expected = {
      {"added.c", "modified.c"}, {"conflict.c"}, {"needs-patch.c"}, {"unknown.txt"}};
  const Command marks[] = {Command::MarkModified, Command::MarkConflicts, Command::MarkOutOfDate,
                           Command::MarkUnknown};
  for (size_t entry = 0; entry < 4; ++entry) {
    SCOPED_TRACE(CommandAt(marks[entry]).Name);
    Select({"sub"});  // what was selected before goes
    Run(marks[entry]);
    EXPECT_EQ(SelectedRows(), expected[entry]);
  }
  // The whole tree for three of them, this folder alone for the last.
  const std::string whole = copy + ":[-n][-q][update][.]";
  EXPECT_EQ(CvsCalls(),
            (std::vector<std::string>{whole, whole, whole, copy + ":[-n][-q][update][-l][.]"}));
  EXPECT_EQ(CvsRuns(), 4);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
}

TEST_F(ModuleCommands, AFullCommitListsTheChangedFilesAndSendsTheTypedMessage) {
  host.script.Editor.push_back(standin::AppendAndSave("Fixes the replay.\r\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);

  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], copy + ":[-n][-q][update][.]");
  const std::string message = TemplateOf(calls[1]);
  EXPECT_EQ(message.rfind(dir / "tmp\\quillet", 0), 0u) << calls[1];
  EXPECT_EQ(calls[1], copy + ":[commit][-F][" + message + "][.]");
  // The template in text mode, an empty line for the user first; the
  // client gets the user's line alone.
  EXPECT_EQ(host.Editors[0].Content, "\r\n" + dashes + "CVS: Modified and Added Files:\r\n" +
                                         "CVS:     added.c\r\nCVS:     modified.c\r\n" + dashes +
                                         banner);
  EXPECT_EQ(CommitMessage(), "Fixes the replay.\r\n");

  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_EQ(host.Editors[0].FileName, message);
  EXPECT_EQ(host.Editors[0].Flags, static_cast<DWORD>(EF_DISABLEHISTORY));
  EXPECT_FALSE(host.Editors[0].LockKeyPosted);
  EXPECT_EQ(host.Editors[1].Title, "CVS log");
  EXPECT_TRUE(host.Editors[1].LockKeyPosted);
  EXPECT_NE(host.Editors[1].Content.find("new revision: 1.2; previous revision: 1.1"),
            std::string::npos)
      << host.Editors[1].Content;
  ASSERT_EQ(host.Messages.size(), 1u);  // the confirmation: the title and "."
  ASSERT_EQ(host.Messages[0].Lines.size(), 2u);
  EXPECT_EQ(host.Messages[0].Lines[1], ".");
}

TEST_F(ModuleCommands, ALightCommitOpensTheShortTemplateOnTheSelection) {
  Select({"modified.c", "added.c"});
  host.script.Editor.push_back(standin::AppendAndSave("Light.\r\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::LightCommit);
  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 1u);
  const std::string message = TemplateOf(calls[0]);
  EXPECT_EQ(calls[0], copy + ":[commit][-F][" + message + "][added.c][modified.c]");
  EXPECT_EQ(host.Editors[0].Content, "\r\n" + dashes + banner);
  EXPECT_EQ(CommitMessage(), "Light.\r\n");
  ASSERT_EQ(host.Editors.size(), 2u);

  // Leaving the editor without saving commits nothing.
  ForgetCvsCalls();
  Run(Command::LightCommit);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_EQ(host.Editors.size(), 3u);
}

TEST_F(ModuleCommands, ADeclinedCommitKeepsTheMessageUnderAppDataForTheNextOne) {
  host.script.Editor.push_back(standin::AppendAndSave("Kept on Windows.\r\n"));
  host.script.Message.push_back(standin::Answer(1));  // declined
  Run(Command::Commit);
  const std::vector<std::string> kept = wintest::ListDir(dir / "appdata\\Quillet");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].rfind("commit-", 0), 0u);
  EXPECT_NE(wintest::ReadFile(dir / "appdata\\Quillet\\" + kept[0]).find("Kept on Windows."),
            std::string::npos);
  // The next commit opens with it first, and once it went through it is gone.
  host.script.Editor.push_back(standin::AppendAndSave(""));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);
  ASSERT_GE(host.Editors.size(), 2u);
  EXPECT_EQ(host.Editors[1].Content.rfind("Kept on Windows.", 0), 0u) << host.Editors[1].Content;
  EXPECT_EQ(CommitMessage(), "Kept on Windows.\r\n");
  EXPECT_TRUE(wintest::ListDir(dir / "appdata\\Quillet").empty());
}

TEST_F(ModuleCommands, BreakEndsASlowRunAndTheWatcherClosesAQuickOne) {
  for (int item : {1, -1}) {
    SCOPED_TRACE(item);
    host.Reset();
    ShowFolder(copy);
    env.Set("QUILLET_REPLAY_WAIT_MS", "600000");
    std::string pidFile = dir / ("pid" + std::to_string(item));
    env.Set("QUILLET_REPLAY_PID", pidFile);
    host.script.RunBreakAfterMs = 1000;
    host.script.RunBreakItem = item;
    host.script.Message.push_back(standin::Answer(0));  // the confirmation
    host.script.Message.push_back(standin::Answer(1));  // do not open the output
    Run(Command::Log);
    ASSERT_EQ(host.Dialogs.size(), 1u);
    EXPECT_TRUE(host.Dialogs[0].Ex);
    EXPECT_EQ(host.Dialogs[0].Result, item);
    EXPECT_EQ(host.Dialogs[0].ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE}));
    ASSERT_EQ(host.Messages.size(), 2u);
    ASSERT_EQ(host.Messages[1].Lines.size(), 4u);
    EXPECT_EQ(host.Messages[1].Lines[1], "The run of cvs was broken off");
    EXPECT_TRUE(host.Editors.empty());
    DWORD pid = wintest::ReadPid(pidFile);
    ASSERT_NE(pid, 0u);
    EXPECT_TRUE(wintest::ProcessGone(pid, 10000));
    EXPECT_EQ(host.LateDialogMessages, 0);
  }

  // A run that ends by itself: the watcher thread sends DM_CLOSE, and the
  // dialog asks its procedure on the host's thread, or at once on the
  // watcher's own.
  env.Unset("QUILLET_REPLAY_WAIT_MS");
  for (bool onSender : {false, true}) {
    SCOPED_TRACE(onSender);
    host.Reset();
    ShowFolder(copy);
    host.script.CloseOnSenderThread = onSender;
    host.script.Message.push_back(standin::Answer(0));
    Run(Command::Log);
    ASSERT_EQ(host.Dialogs.size(), 1u);
    EXPECT_EQ(host.Dialogs[0].Result, 2);
    ASSERT_EQ(host.Editors.size(), 1u);
    EXPECT_NE(host.Editors[0].Content.find("Working file: modified.c"), std::string::npos);
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.LateDialogMessages, 0);
  }
}

TEST_F(ModuleCommands, TheVisualDiffStartsTkDiffBatWithTheRevisions) {
  const std::string toolLog = dir / "tkdiff.log";
  wintest::WriteFile(tools + "\\tkdiff.bat", "@echo [%*]>> \"" + toolLog + "\"\r\n");
  PutCursorOn("modified.c");
  Select({"modified.c"});
  host.script.Dialog.push_back([](FarDialogItem *items, int count) {
    const DialogDeclaration &dialog = DiffDialog();
    standin::SelectRadio(items, count, dialog.IndexOf("firstRevision"));
    FarDialogItem &first = items[dialog.IndexOf("firstRevisionEdit")];
    snprintf(first.Data, sizeof first.Data, "1.1");
    standin::SelectRadio(items, count, dialog.IndexOf("secondRevision"));
    FarDialogItem &second = items[dialog.IndexOf("secondRevisionEdit")];
    snprintf(second.Data, sizeof second.Data, "1.2");
    standin::SelectRadio(items, count, dialog.IndexOf("visual"));
    return dialog.IndexOf("ok");
  });
  Run(Command::Diff);
  ASSERT_TRUE(wintest::WaitForFile(toolLog, 20000));
  EXPECT_EQ(wintest::ReadLines(toolLog), (std::vector<std::string>{"[-r 1.1 -r 1.2 modified.c]"}));
  // Started without waiting: no run dialog, no cvs, no output.
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  EXPECT_TRUE(host.Messages.empty());
}

}  // namespace
