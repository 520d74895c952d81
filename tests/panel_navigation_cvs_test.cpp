// Moving the panel through folders and its own keys (F3, Ctrl+Enter,
// Shift+Esc), with log and diff run by the real cvs.
#include <string.h>

#include <algorithm>

#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

class PanelKeys : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    MakeStates();
    OpenPanel(wc);
    WriteFile(wrapperLog, "");
  }
  int F3(unsigned int modifiers = 0) { return host.PressKey(VK_F3, modifiers); }
  const standin::MenuCall &LastMenu() { return host.Menus.back(); }
  std::vector<std::string> MenuTexts(const standin::MenuCall &menu) {
    std::vector<std::string> texts;
    for (const FarMenuItem &item : menu.Items) texts.push_back(item.Text);
    return texts;
  }
};

}  // namespace

TEST_F(PanelKeys, EnteringFoldersGoingUpAndToTheRoot) {
  host.EnterRow(wc + "/sub");
  EXPECT_EQ(host.ActivePanel().CurDir, wc + "/sub");
  EXPECT_EQ(std::string(host.ActivePanel().Described.PanelTitle), "CVS:" + wc + "/sub");
  ASSERT_EQ(host.PluginItemsNumber, 1);
  EXPECT_EQ(std::string(host.PluginItems[0].FindData.cFileName), wc + "/sub/inner.c");
  EXPECT_STREQ(host.PluginItems[0].Description, "Up-to-date");

  host.EnterRow("..");
  EXPECT_EQ(host.ActivePanel().CurDir, wc);
  host.EnterRow("sub");  // a bare folder name
  EXPECT_EQ(host.ActivePanel().CurDir, wc + "/sub");

  // Leaving the working copy: "notes" has no CVS folder, so its listing
  // runs no cvs.
  host.EnterRow(wc + "/notes");
  WriteFile(wrapperLog, "");
  host.RefreshPluginPanel();
  EXPECT_TRUE(CvsCalls().empty());

  host.EnterRow("/");
  EXPECT_EQ(host.ActivePanel().CurDir, "/");
  host.EnterRow("..");
  EXPECT_EQ(host.ActivePanel().CurDir, "/");
  host.EnterRow("tmp");
  EXPECT_EQ(host.ActivePanel().CurDir, "/tmp");
}

TEST_F(PanelKeys, ShiftEscClosesThePanelInItsFolder) {
  host.EnterRow(wc + "/sub");
  HANDLE panel = host.ActivePanel().PluginHandle;
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(host.PressKey(VK_ESCAPE, PKF_SHIFT), 1);
  ASSERT_FALSE(host.Controls.empty());
  EXPECT_EQ(host.Controls.back().Command, FCTL_CLOSEPLUGIN);
  EXPECT_EQ(host.Controls.back().Plugin, panel);
  EXPECT_EQ(host.Controls.back().Text, wc + "/sub");
  EXPECT_FALSE(host.ActivePanel().Plugin);
  EXPECT_EQ(host.ActivePanel().CurDir, wc + "/sub");
}

namespace {
// Stands for a host that changes its own table after handing it over.
char *FARAPI WholePath(const char *path) { return const_cast<char *>(path); }
}  // namespace

TEST_F(PanelKeys, CtrlEnterInsertsTheBareName) {
  PutCursorOn("two words.c");
  // The module took its own copy of the standard functions when it was
  // bound: a later change of the host's record is not seen, and the name
  // comes from the host's PointToName, not from the module's fallback.
  host.Fsf.PointToName = WholePath;
  host.Calls.clear();
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
  EXPECT_EQ(std::count(host.Calls.begin(), host.Calls.end(), "PointToName(" + wc + "/two words.c)"),
            1);
  // A blank in the name: quoted for the shell that reads the command line.
  EXPECT_EQ(host.CommandLine, "'two words.c' ");
  PutCursorOn("sub");
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
  EXPECT_EQ(host.CommandLine, "'two words.c' sub ");
  // A panel without rows: nothing is inserted, the host's default runs.
  host.ActivePanel().Rows.clear();
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 0);
  EXPECT_EQ(host.CommandLine, "'two words.c' sub ");
}

TEST_F(PanelKeys, F3OnAFileOffersViewLogAndDiff) {
  PutCursorOn("modified.c");
  host.script.Menu.push_back(standin::Choose(0));
  EXPECT_EQ(F3(), 0);  // "View": the host shows the file itself
  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(LastMenu().Title, "View modified.c");
  EXPECT_EQ(MenuTexts(LastMenu()),
            (std::vector<std::string>{"&View modified.c", "&Log modified.c", "&Diff modified.c"}));
  EXPECT_EQ(LastMenu().Flags, static_cast<DWORD>(FMENU_WRAPMODE));
  EXPECT_EQ(LastMenu().PluginNumber, host.ModuleNumber);
  EXPECT_EQ(LastMenu().MaxHeight, 0);
  EXPECT_EQ(LastMenu().X, -1);
  EXPECT_EQ(LastMenu().Y, -1);
  EXPECT_EQ(LastMenu().Items[0].Selected, 1);
  EXPECT_TRUE(CvsCalls().empty());

  // Esc in the menu: handled, nothing run.
  EXPECT_EQ(F3(), 1);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
}

TEST_F(PanelKeys, F3LogAndDiffOfTheCurrentFile) {
  PutCursorOn("modified.c");
  host.script.Menu.push_back(standin::Choose(1));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Title, "CVS log");
  EXPECT_NE(host.Editors[0].Content.find("Working file: modified.c"), std::string::npos)
      << host.Editors[0].Content;
  EXPECT_EQ(CvsCalls().back(), wc + ":[log][modified.c]");

  // cvs diff ends with 1 on a changed file; its output is shown at once,
  // without the failure box.
  host.script.Menu.push_back(standin::Choose(2));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_NE(host.Editors[1].Content.find("> local"), std::string::npos) << host.Editors[1].Content;
  EXPECT_EQ(CvsCalls().back(), wc + ":[diff][modified.c]");

  // A diff whose cvs never ran is a failure all the same: the box first.
  env.Set("PATH", tools / "nowhere");
  host.script.Menu.push_back(standin::Choose(2));
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  // The code, then why cvs did not start.
  ASSERT_EQ(host.Messages[0].Lines.size(), 5u);
  EXPECT_NE(host.Messages[0].Lines[1].find("-1002"), std::string::npos);
  EXPECT_EQ(host.Messages[0].Lines[2].rfind("Error: ", 0), 0u) << host.Messages[0].Lines[2];
  ASSERT_EQ(host.Editors.size(), 3u);
  EXPECT_NE(host.Editors[2].Content.find("cvs"), std::string::npos) << host.Editors[2].Content;
}

TEST_F(PanelKeys, F3WithSelectedFiles) {
  PutCursorOn("up-to-date.c");
  Select({"needs-merge.c", "modified.c"});
  host.script.Menu.push_back(standin::Choose(5));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(MenuTexts(LastMenu()),
            (std::vector<std::string>{"&View up-to-date.c", "&Log up-to-date.c",
                                      "&Diff up-to-date.c", "", "Lo&g 2 files", "Di&ff 2 files"}));
  EXPECT_EQ(LastMenu().Items[3].Separator, 1);
  // Bare names, in the order in which the host lists the selected items.
  EXPECT_EQ(CvsCalls().back(), wc + ":[diff][modified.c][needs-merge.c]");
  ASSERT_EQ(host.Editors.size(), 1u);
  const std::string &diff = host.Editors[0].Content;
  EXPECT_LT(diff.find("Index: modified.c"), diff.find("Index: needs-merge.c"));

  Select({"conflict.c"});
  host.script.Menu.push_back(standin::Choose(4));
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(MenuTexts(LastMenu())[4], "Lo&g 3 files");
  EXPECT_EQ(CvsCalls().back(), wc + ":[log][conflict.c][modified.c][needs-merge.c]");
}

TEST_F(PanelKeys, F3NamesThatLookLikeOptionsReachCvsAsNames) {
  WriteFile(wc + "/-x.c", "one\n");
  sandbox.MustCvs("-Q add -- -x.c", wc);
  sandbox.MustCvs("-Q commit -m dash -- -x.c", wc);
  WriteFile(wc + "/-x.c", "one\nlocal dash\n");
  host.RefreshPluginPanel();
  PutCursorOn("-x.c");
  host.script.Menu.push_back(standin::Choose(2));
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(CvsCalls().back(), wc + ":[diff][--][-x.c]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("> local dash"), std::string::npos)
      << host.Editors[0].Content;

  Select({"-x.c", "modified.c"});
  host.script.Menu.push_back(standin::Choose(4));
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(CvsCalls().back(), wc + ":[log][--][-x.c][modified.c]");
  EXPECT_TRUE(host.Messages.empty());
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_NE(host.Editors[1].Content.find("Working file: -x.c"), std::string::npos)
      << host.Editors[1].Content;
}

TEST_F(PanelKeys, F3OnAnUnknownFile) {
  // Nothing selected: the host's own F3.
  PutCursorOn("unknown.txt");
  EXPECT_EQ(F3(), 0);
  EXPECT_TRUE(host.Menus.empty());

  // With a selection the menu comes; cvs log fails on the unknown file,
  // and the failure is reported before its output is shown.
  Select({"unknown.txt"});
  host.script.Menu.push_back(standin::Choose(4));
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_TRUE(host.Messages[0].Flags & FMSG_WARNING);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("unknown.txt"), std::string::npos)
      << host.Editors[0].Content;
}

TEST_F(PanelKeys, F3OnAFolderAndOnTheDotsRow) {
  PutCursorOn("sub");
  host.script.Menu.push_back(standin::Choose(1));
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(LastMenu().Title, "View sub");
  EXPECT_EQ(CvsCalls().back(), wc + ":[log][sub]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("Working file: sub/inner.c"), std::string::npos);

  // The ".." row names no file: log of it does nothing.
  PutCursorOn("..");
  host.script.Menu.push_back(standin::Choose(1));
  WriteFile(wrapperLog, "");
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(LastMenu().Title, "View ");
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_EQ(host.Editors.size(), 1u);
}

TEST_F(PanelKeys, F3RunsCvsInThePanelsFolderWhateverIsCurrent) {
  // Another panel's listing (or anything else) made another working copy
  // the current folder; the log is still this panel's file's.
  WriteFile(other + "/modified.c", "other's own change\n");
  ASSERT_EQ(chdir(other.c_str()), 0);
  PutCursorOn("modified.c");
  host.script.Menu.push_back(standin::Choose(2));
  EXPECT_EQ(F3(), 1);
  EXPECT_EQ(CvsCalls().back(), wc + ":[diff][modified.c]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("> local"), std::string::npos);
  EXPECT_EQ(host.Editors[0].Content.find("other's own change"), std::string::npos);
}

TEST_F(PanelKeys, LongNamesAreCutInTheMenu) {
  // Long enough to overflow the rows, short enough for its status record.
  const std::string longName = std::string(124, 'x') + ".c";
  WriteFile(wc + "/" + longName, "x\n");
  sandbox.MustCvs("-Q add " + longName, wc);
  host.RefreshPluginPanel();
  PutCursorOn(longName);
  host.script.Menu.push_back(standin::Choose(1));
  EXPECT_EQ(F3(), 1);
  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(LastMenu().Title, ("View " + longName).substr(0, 79));
  EXPECT_EQ(std::string(LastMenu().Items[1].Text), ("&Log " + longName).substr(0, 127));
  // cvs itself still gets the whole name.
  EXPECT_EQ(CvsCalls().back(), wc + ":[log][" + longName + "]");
}

TEST_F(PanelKeys, KeysLeftToTheHost) {
  PutCursorOn("modified.c");
  EXPECT_EQ(F3(PKF_SHIFT), 0);
  EXPECT_EQ(host.PressKey(VK_ESCAPE, PKF_SHIFT | PKF_CONTROL), 0);
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL | PKF_ALT), 0);
  EXPECT_TRUE(host.ActivePanel().Plugin);
  EXPECT_EQ(host.CommandLine, "");
  // No F3 menu outside a working copy.
  host.EnterRow(wc + "/notes");
  WriteFile(wc + "/notes/readme", "x\n");
  host.RefreshPluginPanel();
  PutCursorOn("readme");
  EXPECT_EQ(F3(), 0);
  EXPECT_TRUE(host.Menus.empty());
}
