// A working copy whose CVS/Root would make cvs start a program: the panel's
// own runs never start cvs on it, the menu's commands ask first, and the
// Root file itself is read without ever blocking.
#include <sys/stat.h>

#include "commands_fixture.hpp"
#include "panel_fixture.hpp"
#include "working_copy/cvs_root.hpp"
#include "working_copy/cvs_visits.hpp"

using namespace testsupport;

namespace {

TEST(CvsRootRule, OptionsInTheMethodPartCount) {
  const struct {
    const char *Root;
    bool Counts;
  } cases[] = {
      {":ext;CVS_RSH=./x.sh:host:/path", true},
      {":fork;CVS_SERVER=./x.sh:/path", true},
      {":pserver;proxy=proxy.example;proxyport=3128:user@host:/cvs", true},
      {":ext;;CVS_RSH=x:host:/path", true},
      {":fork;:/path", true},    // an empty option list is still a list
      {":ext;CVS_RSH=x", true},  // no end of the method at all
      {":ext:user@host:/path", false},
      {":pserver:user@host:/cvs;x", false},  // the ";" lies past the method
      {":local:/repo", false},
      {"/repository/path", false},
      {"host:/path;CVS_RSH=x", false},  // no method: cvs reads no options
      {"", false},
  };
  for (const auto &c : cases) EXPECT_EQ(RootCarriesOptions(c.Root), c.Counts) << c.Root;
}

TEST(CvsRootRule, RootLineEndsAtCrOrLfAndOnlyPlainFilesAreRead) {
  TempDir dir;
  std::string line;
  const struct {
    const char *Content;
    const char *Line;
  } cases[] = {{"/repo\n", "/repo"},
               {"/repo", "/repo"},
               {"/repo\r\n", "/repo"},
               {"/repo\rsecond", "/repo"},
               {"/a\nb\n", "/a"},
               {"\n/repo\n", ""},
               {":fork;x=y:/r\r", ":fork;x=y:/r"}};
  for (const auto &c : cases) {
    WriteFile(dir / "Root", c.Content);
    EXPECT_TRUE(ReadRootLine(dir / "Root", 347, line));
    EXPECT_EQ(line, c.Line) << c.Content;
  }
  WriteFile(dir / "Root", std::string(400, 'r') + "\n");
  EXPECT_TRUE(ReadRootLine(dir / "Root", 347, line));
  EXPECT_EQ(line.size(), 347u);

  // A FIFO would block a reader until someone writes; a folder is no file.
  Shell("rm -f Root && mkfifo Root", dir.Path());
  EXPECT_FALSE(ReadRootLine(dir / "Root", 347, line));
  EXPECT_EQ(line, "");
  Shell("rm -f Root && mkdir Root", dir.Path());
  EXPECT_FALSE(ReadRootLine(dir / "Root", 347, line));
  EXPECT_FALSE(ReadRootLine(dir / "missing", 347, line));
  // /dev/zero would never end a line.
  EXPECT_FALSE(ReadRootLine("/dev/zero", 347, line));
}

TEST(CvsRootRule, FoldersBelowCountAndLinksThatLoopEndTheWalk) {
  TempDir dir;
  for (const char *folder : {"CVS", "a/CVS", "a/deep/CVS", "plain/inner/CVS"})
    MakeDirs(dir / folder);
  WriteFile(dir / "CVS/Root", "/repo\n");
  WriteFile(dir / "a/CVS/Root", "/repo\n");
  // Below a folder that is no working copy cvs does not go, nor does the walk.
  WriteFile(dir / "plain/inner/CVS/Root", ":fork;CVS_SERVER=x:/r\n");
  EXPECT_FALSE(CheckFoldersCvsVisits(dir.Path(), true));
  WriteFile(dir / "a/deep/CVS/Root", ":ext;CVS_RSH=x:h:/r\n");
  VisitFinding found = CheckFoldersCvsVisits(dir.Path(), true);
  EXPECT_EQ(found.What, VisitFinding::RootOptions);
  EXPECT_EQ(found.Folder, dir / "a/deep");
  EXPECT_EQ(found.Detail, ":ext;CVS_RSH=x:h:/r");
  // A folder too deep to be looked at counts as one that needs the question.
  VisitLimits shallow;
  shallow.MostDepth = 1;
  found = CheckFoldersCvsVisits(dir.Path(), true, shallow);
  EXPECT_EQ(found.What, VisitFinding::Unchecked);
  EXPECT_EQ(found.Folder, dir / "a");

  // Two links back to the top would double the walk at every level: each
  // folder is looked at once.
  WriteFile(dir / "a/deep/CVS/Root", "/repo\n");
  Shell("ln -s .. a/up1 && ln -s .. a/up2", dir.Path());
  EXPECT_FALSE(CheckFoldersCvsVisits(dir.Path(), true));
}

// A working copy of a real repository whose Root was replaced by one that
// makes cvs start `probe`, a script that leaves a mark and then serves as
// cvs would.
class HostileRoot {
 public:
  explicit HostileRoot(const std::string &toolsDir) : probe_(toolsDir + "/probe.sh") {
    marker_ = toolsDir + "/probe-ran";
    WriteFile(probe_,
              "#!/bin/sh\necho \"$@\" >> " + ShellQuote(marker_) + "\nexec /usr/bin/cvs server\n");
    Shell("chmod +x " + ShellQuote(probe_));
  }
  std::string ForkRoot(const std::string &repository) const {
    return ":fork;CVS_SERVER=" + probe_ + ":" + repository;
  }
  std::string ExtRoot(const std::string &repository) const {
    return ":ext;CVS_RSH=" + probe_ + ":localhost:" + repository;
  }
  bool Ran() const { return Exists(marker_); }
  void Forget() const { Shell("rm -f " + ShellQuote(marker_)); }

 private:
  std::string probe_, marker_;
};

class HostileRootPanel : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"a.c", "a\n"}, {"b.c", "b\n"}});
    wc = sandbox.Checkout("proj", "wc");
  }
  void PlantRoot(const std::string &root) { WriteFile(wc + "/CVS/Root", root + "\n"); }
  // F3's log (row 1 or 4) or diff (row 2 or 5) is refused with an error box
  // that names CVS/Root.
  void ExpectF3Refused(int row) {
    SCOPED_TRACE(row);
    host.script.Menu.push_back(standin::Choose(row));
    EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
    ASSERT_FALSE(host.Messages.empty());
    EXPECT_EQ(host.Messages.back().Lines[0], "Error");
    EXPECT_NE(host.Messages.back().Lines[1].find("CVS/Root"), std::string::npos);
  }
  HostileRoot probe{tools.Path()};
};

TEST_F(HostileRootPanel, CvsWouldRunTheNamedProgramThePanelDoesNot) {
  for (bool fork : {true, false}) {
    SCOPED_TRACE(fork ? "fork;CVS_SERVER" : "ext;CVS_RSH");
    const std::string root =
        fork ? probe.ForkRoot(sandbox.Repository()) : probe.ExtRoot(sandbox.Repository());
    PlantRoot(root);
    // The real client, run in the folder as the listing would run it,
    // starts the program the root names.
    probe.Forget();
    sandbox.Cvs("-q status -l", wc);
    ASSERT_TRUE(probe.Ran()) << "cvs no longer obeys the root's options; the test proves nothing";
    probe.Forget();

    OpenPanel(wc);
    EXPECT_FALSE(probe.Ran());
    EXPECT_EQ(CvsRuns(), 0);
    EXPECT_TRUE(CvsCalls().empty());
    std::map<std::string, const PluginPanelItem *> items = Items();
    ASSERT_EQ(items.size(), 2u);
    // Both files are tracked: their state is not known, which is not "?".
    for (const auto &item : items) EXPECT_STREQ(item.second->Description, "Not run");
    // The info lines say why.
    const OpenPluginInfo &described = host.ActivePanel().Described;
    ASSERT_EQ(described.InfoLinesNumber, 4);
    EXPECT_EQ(std::string(described.InfoLines[2].Data), root.substr(0, 79));
    EXPECT_STREQ(described.InfoLines[3].Text, "cvs not run");
    EXPECT_STREQ(described.InfoLines[3].Data, "Root gives its method options");

    // F3 with files selected offers log and diff; neither starts cvs.
    Select({"a.c", "b.c"});
    for (int row : {4, 5}) ExpectF3Refused(row);
    EXPECT_FALSE(probe.Ran());
    EXPECT_EQ(CvsRuns(), 0);
    host.ClosePluginPanel();
    host.Dialogs.clear();
    host.Messages.clear();
    for (standin::PanelRow &row : host.ActivePanel().Rows) row.Selected = false;
  }
  // A harmless root again: the listing runs cvs and shows three info lines.
  PlantRoot(sandbox.Repository());
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 1);
  EXPECT_EQ(host.ActivePanel().Described.InfoLinesNumber, 3);
  EXPECT_STREQ(Items()["a.c"]->Description, "Up-to-date");
}

TEST_F(HostileRootPanel, F3OnAFolderWhoseRootCarriesOptionsDoesNotRunCvs) {
  // The panel's own folder names a harmless root; a checked-out subfolder
  // names one that starts a program.  cvs recurses into a folder it is
  // given and obeys that folder's root.
  sandbox.Import("other", {{"s.c", "s\n"}});
  sandbox.MustCvs("-Q checkout -d sub other", wc);
  WriteFile(wc + "/sub/CVS/Root", probe.ForkRoot(sandbox.Repository()) + "\n");
  probe.Forget();
  sandbox.Cvs("log sub", wc);
  ASSERT_TRUE(probe.Ran()) << "cvs no longer obeys a subfolder's root; the test proves nothing";
  probe.Forget();

  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 1);
  PutCursorOn("sub");
  for (int row : {1, 2}) ExpectF3Refused(row);
  EXPECT_FALSE(probe.Ran());
  EXPECT_EQ(CvsRuns(), 1);
  // A plain file beside it still gets its log.
  PutCursorOn("a.c");
  host.script.Menu.push_back(standin::Choose(1));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  EXPECT_EQ(CvsRuns(), 2);
  EXPECT_FALSE(probe.Ran());
}

TEST_F(HostileRootPanel, ARootThatIsNoPlainFileNeitherBlocksNorRunsCvs) {
  // cvs itself would wait for a writer on a FIFO as long as the host lives.
  Shell("rm -f CVS/Root && mkfifo CVS/Root", wc);
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_EQ(host.ActivePanel().Described.InfoLinesNumber, 4);
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[2].Data, "");
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "Root is not a plain file");
  EXPECT_STREQ(Items()["a.c"]->Description, "Not run");
}

TEST_F(HostileRootPanel, ARootChangedWhileThePanelIsOpenCountsAtTheNextRefresh) {
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 1);
  PlantRoot(probe.ForkRoot(sandbox.Repository()));
  host.RefreshPluginPanel();  // as the host does when the folder changes
  EXPECT_EQ(CvsRuns(), 1);
  // Ctrl+R: offered to the panel first, then the host reads the panel again.
  EXPECT_EQ(host.PressKey('R', PKF_CONTROL), 0);
  host.RefreshPluginPanel();
  EXPECT_EQ(CvsRuns(), 1);
  EXPECT_FALSE(probe.Ran());
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "Root gives its method options");
}

class HostileRootMenu : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.c", "a\n"}, {"b.c", "b\n"}});
    root = probe.ForkRoot(sandbox.Repository());
    WriteFile(wc + "/CVS/Root", root + "\n");
  }
  HostileRoot probe{tools.Path()};
  std::string root;
};

TEST_F(HostileRootMenu, EveryCommandAsksFirstWithCancelAsTheDefault) {
  // Log, Update (before its dialog), a mark entry: each asks, and Esc or
  // the first button ("Cancel") runs nothing.
  for (Command entry :
       {Command::Log, Command::Update, Command::MarkModified, Command::LightCommit}) {
    SCOPED_TRACE(CommandAt(entry).Name);
    host.script.Message.push_back(standin::Answer(entry == Command::Log ? 0 : -1));
    Run(entry);
    ASSERT_FALSE(host.Messages.empty());
    const standin::MessageCall &box = host.Messages.back();
    EXPECT_EQ(box.Flags & FMSG_WARNING, static_cast<DWORD>(FMSG_WARNING));
    EXPECT_EQ(box.ButtonsNumber, 2);
    ASSERT_GE(box.Lines.size(), 3u);
    EXPECT_EQ(box.Lines[box.Lines.size() - 2], "Cancel");
    EXPECT_EQ(box.Lines[box.Lines.size() - 1], "Run");
    EXPECT_NE(std::find(box.Lines.begin(), box.Lines.end(), root), box.Lines.end());
    EXPECT_TRUE(CommandDialogs().empty());
    EXPECT_TRUE(host.Editors.empty());
  }
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_FALSE(probe.Ran());

  // The user who chooses to run gets what cvs does with the root.
  host.script.Message.push_back(standin::Answer(1));  // Run
  host.script.Message.push_back(standin::Answer(0));  // the confirmation
  host.script.Message.push_back(standin::Answer(1));  // the outcome box, should cvs fail
  Run(Command::Log);
  EXPECT_EQ(CvsCalls().size(), 1u);
  EXPECT_TRUE(probe.Ran());
  ExpectNoTempFiles();
}

TEST_F(HostileRootMenu, ARootBelowTheFolderCountsForCommandsThatRecurse) {
  // cvs takes each subfolder's own root when it recurses into it.
  sandbox.Import("deeper", {{"sub/x.c", "x\n"}});
  WriteFile(wc + "/CVS/Root", sandbox.Repository() + "\n");
  std::string sub = sandbox.Checkout("deeper", "wc/deeper");
  WriteFile(sub + "/sub/CVS/Root", root + "\n");
  sandbox.Cvs("-n -q update", wc);
  ASSERT_TRUE(probe.Ran()) << "cvs no longer takes a subfolder's own root";
  probe.Forget();

  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1],
            "The CVS/Root of deeper/sub gives its access method options:");
  EXPECT_EQ(host.Messages[0].Lines[2], root);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_FALSE(probe.Ran());
}

TEST_F(HostileRootMenu, ACvsFolderThatHoldsALinkAsksToo) {
  WriteFile(wc + "/CVS/Root", sandbox.Repository() + "\n");
  Shell("ln -s ../../victim CVS/Entries.Backup", wc);
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Update);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], "In this folder:");
  EXPECT_EQ(host.Messages[0].Lines[2], "Entries.Backup is not a plain file");
  EXPECT_TRUE(CommandDialogs().empty());
  EXPECT_TRUE(CvsCalls().empty());
}

TEST_F(HostileRootMenu, ASelectedWorkingCopyCountsFromAFolderThatIsNone) {
  // CVSROOT is set, as many users have it; cvs takes the selected folder's
  // own root all the same.
  sandbox.Cvs("log wc", sandbox.Root());
  ASSERT_TRUE(probe.Ran()) << "cvs no longer takes the named folder's root";
  probe.Forget();
  EnterFolder(sandbox.Root());
  Select({"wc"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Log);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], "The CVS/Root of wc gives its access method options:");
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_FALSE(probe.Ran());
}

TEST_F(HostileRootMenu, AFolderTheLocalRepositoryHoldsCountsThoughNoEntryNamesIt) {
  WriteFile(wc + "/CVS/Root", sandbox.Repository() + "\n");
  MakeDirs(sandbox.Repository() + "/proj/x");
  MakeDirs(wc + "/x/CVS");
  WriteFile(wc + "/x/CVS/Root", root + "\n");
  WriteFile(wc + "/x/CVS/Repository", "proj/x\n");
  WriteFile(wc + "/x/CVS/Entries", "D\n");
  sandbox.Cvs("-n -q update", wc);
  ASSERT_TRUE(probe.Ran()) << "cvs no longer enters a folder its repository holds";
  probe.Forget();
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], "The CVS/Root of x gives its access method options:");
  EXPECT_TRUE(CvsCalls().empty());

  // Differences on the whole folder runs nothing, so asks nothing.
  Run(Command::Diff);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_FALSE(probe.Ran());
}

TEST_F(HostileRootMenu, CheckoutAsksOnlyWhenTheFoldersRootIsTheOneCvsTakes) {
  auto fill = [this](const std::string &typedRoot) {
    host.script.Dialog.push_back(standin::Edit(
        [typedRoot](FarDialogItem *items) {
          Type(items[ItemOf(CheckoutDialog(true), "moduleEdit")], "proj");
          Type(items[ItemOf(CheckoutDialog(true), "rootEdit")], typedRoot);
          Type(items[ItemOf(CheckoutDialog(true), "destinationEdit")], "out");
        },
        ItemOf(CheckoutDialog(true), "ok")));
  };
  fill("");
  host.script.Message.push_back(standin::Answer(0));  // Cancel
  Run(Command::Checkout);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_FALSE(probe.Ran());
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_NE(std::find(host.Messages[0].Lines.begin(), host.Messages[0].Lines.end(), root),
            host.Messages[0].Lines.end());

  // A root typed into the dialog is the one cvs uses: nothing to ask.
  fill(sandbox.Repository());
  Run(Command::Checkout);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(CvsCalls().size(), 1u);
  EXPECT_FALSE(probe.Ran());
  EXPECT_TRUE(Exists(wc + "/out/a.c"));
  ExpectNoTempFiles();
}

}  // namespace
