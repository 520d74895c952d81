// Files and folders that CVS/Entries names but the disk lacks, on the status
// panel with the real cvs: their rows, the commands that take them by name,
// and the keys that would need a file.
#include "panel_fixture.hpp"

using namespace testsupport;

namespace {


class PanelMissingTest : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"keep.c", "keep\n"}, {"lost.c", "lost\n"}, {"sub/inner.c", "i\n"}});
    wc = sandbox.Checkout("proj", "wc");
    Shell("rm lost.c && rm -r sub", wc);
  }
  // A plug-ins menu entry on the status panel, run in the working copy as
  // the host keeps it current.
  void RunOnPanel(Command command) {
    ChooseCommand(command);
    ScopedCwd in(wc);
    module.OpenPlugin(OPEN_PLUGINSMENU, 0);
    host.RefreshPluginPanel();
  }
  std::string CvsStatusOf(const std::string &name) {
    std::string output;
    sandbox.Cvs("status " + ShellQuote(name), wc, &output);
    const size_t at = output.find("Status: ");
    return at == std::string::npos ? output : output.substr(at + 8, output.find('\n', at) - at - 8);
  }
};

}  // namespace

TEST_F(PanelMissingTest, ALostFileShowsItsStateAndIsRemovedAndCommittedByName) {
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 1);
  ASSERT_EQ(Items().count("lost.c"), 1u);
  const PluginPanelItem &lost = *Items()["lost.c"];
  EXPECT_STREQ(lost.Description, "Needs Checkout");
  EXPECT_EQ(Column(lost, 0), "N");
  EXPECT_EQ(Column(lost, 1), "1.1.1.1");
  EXPECT_EQ(std::string(lost.FindData.cFileName), wc + "/lost.c");
  // No size, no times; marked for the host's highlighting and nothing it
  // would hide or refuse.
  EXPECT_EQ(lost.FindData.dwFileAttributes, DWORD(FILE_ATTRIBUTE_OFFLINE));
  EXPECT_EQ(lost.FindData.nFileSizeLow | lost.FindData.nFileSizeHigh, 0u);
  EXPECT_EQ(lost.FindData.ftLastWriteTime.dwLowDateTime | lost.FindData.ftLastWriteTime.dwHighDateTime |
                lost.FindData.ftCreationTime.dwLowDateTime,
            0u);
  // The missing folder is a folder row that says so.
  ASSERT_EQ(Items().count("sub"), 1u);
  EXPECT_EQ(Items()["sub"]->FindData.dwFileAttributes,
            DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE));
  EXPECT_STREQ(Items()["sub"]->Description, "Missing folder");
  EXPECT_STREQ(Items()["keep.c"]->Description, "Up-to-date");
  EXPECT_EQ(Items()["keep.c"]->UserData, DWORD_PTR(' '));

  // Selected and removed from the panel: cvs gets the name, the row turns L.
  Select({wc + "/lost.c"});
  host.script.Message.push_back(standin::Answer(0));  // confirm
  WriteFile(wrapperLog, "");
  RunOnPanel(Command::Remove);
  ASSERT_FALSE(CvsCalls().empty());
  EXPECT_EQ(CvsCalls()[0], wc + ":[remove][lost.c]");
  EXPECT_EQ(CvsStatusOf("lost.c"), "Locally Removed");
  ASSERT_EQ(Items().count("lost.c"), 1u);
  EXPECT_STREQ(Items()["lost.c"]->Description, "Locally Removed");
  EXPECT_EQ(Column(*Items()["lost.c"], 0), "L");

  // Committed from the panel by name: the file leaves the repository and
  // the panel.
  Select({wc + "/lost.c"});
  host.script.Editor.push_back(standin::AppendAndSave("drop lost.c\n"));
  host.script.Message.push_back(standin::Answer(0));
  RunOnPanel(Command::LightCommit);
  std::string output;
  sandbox.Cvs("-q status lost.c", wc, &output);
  EXPECT_EQ(output.find("Locally Removed"), std::string::npos) << output;
  EXPECT_EQ(Items().count("lost.c"), 0u);
  EXPECT_EQ(Shell("test -f " + ShellQuote(sandbox.Repository() + "/proj/Attic/lost.c,v")), 0);
}

TEST_F(PanelMissingTest, KeysThatNeedAFileSayThereIsNone) {
  OpenPanel(wc);
  PutCursorOn(wc + "/lost.c");
  // F4 and Ctrl+Enter: a box that names the file, and nothing else.
  EXPECT_EQ(host.PressKey(VK_F4, 0), 1);
  host.CommandLine.clear();
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
  EXPECT_TRUE(host.CommandLine.empty());
  ASSERT_EQ(host.Messages.size(), 2u);
  for (const standin::MessageCall &message : host.Messages) {
    EXPECT_EQ(message.Flags & FMSG_WARNING, DWORD(FMSG_WARNING));
    EXPECT_EQ(message.Lines[1], "lost.c is not on the disk");
  }
  EXPECT_TRUE(host.Editors.empty());
  // F3 offers the log; its view row says there is no file.
  host.script.Menu.push_back(standin::Choose(0));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Menus.size(), 1u);
  ASSERT_EQ(host.Messages.size(), 3u);
  EXPECT_EQ(host.Messages[2].Lines[1], "lost.c is not on the disk");
  host.script.Menu.push_back(standin::Choose(1));
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("Working file: lost.c"), std::string::npos);
  // A file on the disk is still the host's to edit.
  PutCursorOn(wc + "/keep.c");
  EXPECT_EQ(host.PressKey(VK_F4, 0), 0);
}

TEST_F(PanelMissingTest, RowsOfAFailedRunOrARefusedFolderAreNeverMarked) {
  WriteFile(wc + "/keep.c", "changed\n");
  WriteFile(wc + "/new.txt", "?\n");
  WriteFile(wc + "/junk.o", "o\n");
  // The repository is gone: no state is read.
  Shell("mv " + ShellQuote(sandbox.Repository()) + " " + ShellQuote(sandbox.Root() + "/moved"));
  host.script.Message.push_back(standin::Answer(1));  // do not show the output
  OpenPanel(wc);
  EXPECT_STREQ(Items()["keep.c"]->Description, "Not read");
  EXPECT_STREQ(Items()["lost.c"]->Description, "Not read");
  EXPECT_EQ(Items()["lost.c"]->UserData, DWORD_PTR('!' | 0x100));
  EXPECT_STREQ(Items()["new.txt"]->Description, "Unknown");
  EXPECT_STREQ(Items()["junk.o"]->Description, "Ignored");
  EXPECT_EQ(Column(*Items()["junk.o"], 0), "I");

  // Everything selected first: Mark > Modified unselects the rows it could
  // not judge, and says how many; Not in repository keeps to the "?" rows.
  for (int i = 0; i < static_cast<int>(host.ActivePanel().Rows.size()); ++i)
    host.ActivePanel().Rows[static_cast<size_t>(i)].Selected =
        host.ActivePanel().Rows[static_cast<size_t>(i)].Name != "..";
  host.Messages.clear();
  ChooseCommand(Command::MarkModified);
  {
    ScopedCwd in(wc);
    module.OpenPlugin(OPEN_PLUGINSMENU, 0);
  }
  std::vector<std::string> selected;
  for (const standin::PanelRow &row : host.ActivePanel().Rows)
    if (row.Selected) selected.push_back(row.Name);
  // The missing folder is judged ("Missing folder" is out of date, not
  // modified); nothing else is selected.
  EXPECT_EQ(selected, std::vector<std::string>());
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], "2 files whose state was not read are not selected");

  // A refused folder: cvs is not run, and its tracked files say so.
  Shell("mv " + ShellQuote(sandbox.Root() + "/moved") + " " + ShellQuote(sandbox.Repository()));
  WriteFile(wc + "/CVS/Root", ":ext;CVS_RSH=./x.sh:host:/path\n");
  host.RefreshPluginPanel();
  EXPECT_STREQ(Items()["keep.c"]->Description, "Not run");
  EXPECT_EQ(Column(*Items()["keep.c"], 0), "#");
  EXPECT_STREQ(Items()["lost.c"]->Description, "Not run");
  EXPECT_STREQ(Items()["new.txt"]->Description, "Unknown");
}
