// OpenPlugin's routing, the command menus, what a command acts on, and the
// common run of log and stat, through the module's entry points and the
// real cvs.
#include <algorithm>

#include "commands_fixture.hpp"

namespace testsupport {
namespace {

class DispatcherTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.txt", "a\n"}, {"b.txt", "b\n"}, {"sub/c.txt", "c\n"}});
  }
  static std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), ::toupper);
    return text;
  }
};

TEST_F(DispatcherTest, OnlyThePluginsMenuAndTheCommandLineDoAnything) {
  for (int openFrom : {OPEN_DISKMENU, OPEN_FINDLIST, OPEN_SHORTCUT, OPEN_EDITOR, OPEN_VIEWER}) {
    EXPECT_EQ(module.OpenPlugin(openFrom, 0), INVALID_HANDLE_VALUE) << openFrom;
  }
  EXPECT_TRUE(host.Calls.empty());

  // The command line opens a status panel whatever follows the prefix.
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, reinterpret_cast<INT_PTR>("anything"));
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(host.Menus.empty());
  module.ClosePlugin(panel);

  // So does "&Browse", the only entry that returns a handle.
  panel = Run(Command::Browse);
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  module.ClosePlugin(panel);
  EXPECT_TRUE(CvsCalls().empty());
}

TEST_F(DispatcherTest, CursorAloneActsOnTheWholeFolderInTheFullMenu) {
  PutCursorOn("a.txt");
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(Run(Command::Log), INVALID_HANDLE_VALUE);

  ASSERT_EQ(host.Menus.size(), 1u);
  const standin::MenuCall &menu = host.Menus[0];
  EXPECT_EQ(menu.Title, "CVS: Current Dir");
  EXPECT_EQ(menu.Bottom, "");
  EXPECT_EQ(menu.Flags, DWORD(FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT));
  EXPECT_EQ(menu.PluginNumber, host.ModuleNumber);
  EXPECT_EQ(menu.MaxHeight, 0);
  const char *texts[] = {"&Update...",   "&Commit",      "Ligh&t (modem) commit",
                         "Check&out...", "E&xport...",   "&Log",
                         "&Stat",        "&Differences", "A&nnotate",
                         "",             "&Add",         "&Remove",
                         "&Browse",      "&Mark >"};
  ASSERT_EQ(menu.Items.size(), 14u);
  for (size_t i = 0; i < 14; ++i) {
    EXPECT_STREQ(menu.Items[i].Text, texts[i]);
    EXPECT_EQ(menu.Items[i].Selected, i == 0 ? 1 : 0);
    EXPECT_EQ(menu.Items[i].Separator, i == 9 ? 1 : 0);
  }

  // Confirmed with the single entry ".", then run without names.
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines.size(), 2u);
  EXPECT_EQ(host.Messages[0].Lines[1], ".");
  EXPECT_EQ(LastCvsCall(), "[log]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("sub/c.txt"), std::string::npos);
  EXPECT_EQ(host.Editors[0].FileName.find(sandbox.Tmp() + "/quillet"), 0u);
  ExpectNoTempFiles();
}

TEST_F(DispatcherTest, OneExplicitSelectionIsPassedByName) {
  Select({"b.txt"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  EXPECT_EQ(host.Menus[0].Title, "CVS: Selection");
  EXPECT_EQ(host.Messages[0].Lines.back(), "b.txt");
  EXPECT_EQ(LastCvsCall(), "[stat][b.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("File: b.txt"), std::string::npos);
  EXPECT_NE(host.Editors[0].Content.find("Up-to-date"), std::string::npos);
  EXPECT_EQ(host.Editors[0].Content.find("a.txt"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(DispatcherTest, TheCvsFolderAloneStandsForTheWholeFolder) {
  Select({"CVS"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  EXPECT_EQ(host.Menus[0].Title, "CVS: Current Dir");
  EXPECT_EQ(LastCvsCall(), "[stat]");

  // Only with that exact letter case: a folder "cvs" is a name like any.
  MakeDirs(wc + "/cvs");
  EnterFolder(wc);
  Select({"cvs"});
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Stat);
  EXPECT_EQ(host.Menus.back().Title, "CVS: Selection");
  EXPECT_EQ(LastCvsCall(), "[stat][cvs]");
}

TEST_F(DispatcherTest, FullNamesLoseThePanelFolderWhateverItsLetterCase) {
  standin::PanelModel &panel = host.ActivePanel();
  panel.CurDir = Upper(wc);
  for (standin::PanelRow &row : panel.Rows) {
    if (row.Name == "a.txt") row.Name = wc + "/a.txt";
    if (row.Name == "sub") row.Name = wc + "\\sub";
  }
  Select({wc + "/a.txt", wc + "\\sub", "b.txt"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Log);
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{host.Messages[0].Lines[0], "a.txt", "b.txt", "sub"}));
  EXPECT_EQ(LastCvsCall(), "[log][a.txt][b.txt][sub]");
  EXPECT_TRUE(host.Messages.size() == 1u) << "cvs log failed";
  ExpectNoTempFiles();
}

TEST_F(DispatcherTest, CancelAtEveryStepRunsNothing) {
  RunAndLeave();  // the command menu
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Log);     // the confirmation's Cancel
  Run(Command::Remove);  // the confirmation closed with Esc
  // Esc in the Mark sub-menu brings the command menu back; Esc there ends.
  host.script.Menu.push_back(ChooseText(CommandAt(Command::Mark).MenuText));
  host.script.Menu.push_back(standin::Choose(-1));
  host.script.Menu.push_back(standin::Choose(-1));
  OpenFromMenu();
  ASSERT_EQ(host.Menus.size(), 6u);
  EXPECT_EQ(host.Menus[4].Title, "CVS: Mark");
  EXPECT_EQ(host.Menus[5].Title, "CVS: Current Dir");
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(DispatcherTest, AfterACancelledMarkMenuTheCommandMenuStillRunsACommand) {
  host.script.Menu.push_back(ChooseText(CommandAt(Command::Mark).MenuText));
  host.script.Menu.push_back(standin::Choose(-1));
  ChooseCommand(Command::Stat);
  host.script.Message.push_back(standin::Answer(0));
  OpenFromMenu();
  EXPECT_EQ(host.Menus.size(), 3u);
  EXPECT_EQ(LastCvsCall(), "[stat]");
}

TEST_F(DispatcherTest, OutsideAWorkingCopyTheMenusAreCut) {
  std::string plain = sandbox.Root() + "/plain";
  MakeDirs(plain);
  WriteFile(plain + "/x.txt", "x\n");
  EnterFolder(plain);
  RunAndLeave();
  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(host.Menus[0].Title, "CVS: Current Dir");
  EXPECT_EQ(host.Menus[0].Bottom, "no module here");
  ASSERT_EQ(host.Menus[0].Items.size(), 2u);
  EXPECT_STREQ(host.Menus[0].Items[0].Text, "Check&out...");
  EXPECT_STREQ(host.Menus[0].Items[1].Text, "E&xport...");

  // With a selection: the entries before the separator, in their usual order.
  Select({"x.txt"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Menus.size(), 2u);
  EXPECT_EQ(host.Menus[1].Title, "CVS: Selection");
  EXPECT_EQ(host.Menus[1].Bottom, "no module here");
  ASSERT_EQ(host.Menus[1].Items.size(), 9u);
  EXPECT_STREQ(host.Menus[1].Items[7].Text, "&Differences");
  EXPECT_STREQ(host.Menus[1].Items[8].Text, "A&nnotate");
  EXPECT_EQ(LastCvsCall(), "[stat][x.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("Status: Unknown"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(DispatcherTest, NoMenuWhenTheActivePanelIsNotAFileList) {
  host.ActivePanel().PanelType = PTYPE_TREEPANEL;
  EXPECT_EQ(Run(Command::Log), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(host.Menus.empty());
  host.ActivePanel().PanelType = PTYPE_INFOPANEL;
  EXPECT_EQ(Run(Command::Log), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(host.Menus.empty());
}

TEST_F(DispatcherTest, OutputGoesToTmpWithoutTmpdirAndNeverIntoHome) {
  // HOME, which the user may be browsing, is left alone while /tmp can
  // take the file.
  env.Unset("TMP");
  env.Unset("TMPDIR");
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].FileName.find("/tmp/quillet"), 0u);
  ExpectNoTempFiles();
  std::vector<std::string> home = ListDir(sandbox.Home());
  EXPECT_EQ(home.end(), std::find_if(home.begin(), home.end(), [](const std::string &name) {
              return name.rfind("quillet", 0) == 0;
            }));

  // A temporary folder too long for any name is passed over for /tmp.
  std::string deep = sandbox.Tmp();
  while (deep.size() < 250) deep += "/" + std::string(40, 'd');
  MakeDirs(deep);
  env.Set("TMP", deep);
  env.Set("TMPDIR", deep);
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  EXPECT_EQ(CvsCalls().size(), 2u);
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_EQ(host.Editors[1].FileName.find("/tmp/quillet"), 0u);
}

}  // namespace
}  // namespace testsupport
