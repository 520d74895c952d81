// What another user controls runs nothing unasked: a repository whose
// CVSROOT another user owns or can write, a working copy others can write,
// CVS/Notify, a remote host that may ask for a password; and nothing
// changes between the check and the run.
#include <sys/stat.h>
#include <unistd.h>

#include "commands_fixture.hpp"
#include "os/os.hpp"
#include "panel_fixture.hpp"
#include "runner/temp_file.hpp"
#include "working_copy/admin_folder.hpp"

using namespace testsupport;

namespace {

// The lines of the last box, joined, for finding a text in any of them.
std::string Joined(const standin::MessageCall &box) {
  std::string text;
  for (const std::string &line : box.Lines) text += line + "\n";
  return text;
}

class SharedPanel : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"a.c", "a\n"}});
    wc = sandbox.Checkout("proj", "wc");
    // The root the user has set is the user's own choice; a working copy's
    // root is not.
    env.Unset("CVSROOT");
  }
  const char *InfoReason() { return host.ActivePanel().Described.InfoLines[3].Data; }
  // Another working copy of the project (CVSROOT is unset by now).
  std::string Copy(const std::string &into) {
    sandbox.MustCvs("-d " + ShellQuote(sandbox.Repository()) + " -Q checkout -d " + into + " proj",
                    sandbox.Root());
    return sandbox.Root() + "/" + into;
  }
};

TEST_F(SharedPanel, ARepositoryOthersCanWriteRunsNoCvsUntilTheUserAgrees) {
  Shell("chmod o+w " + ShellQuote(sandbox.Repository() + "/CVSROOT/config"));
  host.script.Message.push_back(standin::Answer(0));  // Cancel
  OpenPanel(wc);
  ASSERT_EQ(host.Messages.size(), 1u);
  const std::string asked = Joined(host.Messages[0]);
  EXPECT_NE(asked.find("The repository of this folder is not yours alone:"), std::string::npos)
      << asked;
  EXPECT_NE(asked.find("/CVSROOT/config can be written by other users"), std::string::npos)
      << asked;
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_NE(std::string(InfoReason()).find("can be written by other users"), std::string::npos);
  // Asked once a session: the refresh keeps the answer.
  host.RereadPanel(host.Active);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(CvsRuns(), 0);
  host.ClosePluginPanel();

  // Agreed to in another folder of the same repository's working copy,
  // the panel runs cvs there.
  const std::string second = Copy("second");
  host.script.Message.push_back(standin::Answer(1));  // Run
  OpenPanel(second);
  EXPECT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(CvsRuns(), 1);
  EXPECT_STREQ(Items()["a.c"]->Description, "Up-to-date");
}

TEST_F(SharedPanel, AnotherUsersRepositoryOrWorkingCopyAndNotifyAreAskedAbout) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const struct {
    const char *Plant;  // shell commands; "$R" is the repository, run in the working copy
    const char *Said;
  } cases[] = {
      {"chown 4242 \"$R/CVSROOT/loginfo\"", "/CVSROOT/loginfo is owned by another user"},
      {"chmod g+w,o+w CVS", "CVS can be written by other users"},
      {"chown 4242 CVS/Entries", "CVS/Entries is owned by another user"},
      {"printf 'a.c\\tE\\tdate\\thost\\t/x\\tEUC\\n' > CVS/Notify",
       "CVS/Notify makes cvs run the repository's notify program"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Plant);
    const std::string copy = Copy("copy");
    Shell(std::string("R=") + ShellQuote(sandbox.Repository()) + "; " + c.Plant, copy);
    host.Messages.clear();
    host.script.Message.push_back(standin::Answer(0));
    OpenPanel(copy);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(Joined(host.Messages[0]).find(c.Said), std::string::npos) << Joined(host.Messages[0]);
    EXPECT_EQ(CvsRuns(), 0);
    host.ClosePluginPanel();
    Shell("chown -R 0 " + ShellQuote(sandbox.Repository()) + " && rm -rf " + ShellQuote(copy));
  }
}

TEST_F(SharedPanel, AdministrativeFilesAboveTheBoundAndTrackedLinksLeadingOutAreRefused) {
  const struct {
    const char *Plant;
    const char *Refusal;
  } cases[] = {
      {"truncate -s 64G CVS/Entries", "Entries is too large"},
      {"head -c 40000000 /dev/zero | tr '\\0' x > CVS/Root", "Root is too large"},
      {"rm a.c && ln -s /proc/self/pagemap a.c", "a.c leads outside the working copy"},
      {"rm a.c && ln -s /etc/hostname a.c", "a.c leads outside the working copy"},
      {"rm a.c && ln -s /dev/zero a.c", "a.c is not a plain file"},
      // A link to a file of the working copy itself is a tracked file.
      {"mkdir -p lib && echo x > lib/real.c && rm a.c && ln -s lib/real.c a.c", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Plant);
    const std::string copy = Copy("copy");
    Shell(c.Plant, copy);
    std::string refusal = AdminFolderRefusal(copy);
    if (refusal.empty()) refusal = TrackedFileRefusal(copy);
    EXPECT_EQ(refusal, c.Refusal);
    if (*c.Refusal != '\0') {
      OpenPanel(copy);
      EXPECT_EQ(CvsRuns(), 0);
      EXPECT_STREQ(InfoReason(), c.Refusal);
      host.ClosePluginPanel();
    }
    Shell("rm -rf " + ShellQuote(copy));
  }
}

// A login program that leaves a mark (its session and whether it could
// ask through a window) and then serves as cvs would.
class RemoteHost {
 public:
  explicit RemoteHost(const std::string &dir) : mark_(dir + "/login-mark") {
    const std::string script = dir + "/login.sh";
    WriteScript(script,
                "echo \"$(cut -d' ' -f6 /proc/$$/stat) ${SSH_ASKPASS_REQUIRE:-ask}\" >> " +
                    ShellQuote(mark_) +
                    "\nwhile :; do case $1 in -l) shift 2 ;; --) shift ;; *) break ;; esac; done\n"
                    "shift\nexec sh -c \"$*\"\n");
    env_.Set("CVS_RSH", script);
  }
  std::vector<std::string> Marks() const { return ReadLines(mark_); }

 private:
  std::string mark_;
  ScopedEnv env_;
};

TEST_F(SharedPanel, ThePanelsRunLendsNoTerminalToALoginAndNamesTheHostWhenItFails) {
  RemoteHost login(tools.Path());
  WriteFile(wc + "/CVS/Root", ":ext:localhost:" + sandbox.Repository() + "\n");
  OpenPanel(wc);
  EXPECT_TRUE(host.Messages.empty()) << Joined(host.Messages[0]);  // nothing asked for a host
  const std::vector<std::string> marks = login.Marks();
  ASSERT_EQ(marks.size(), 1u);
  // A session of its own: no terminal to ask on, and no window either.
  EXPECT_NE(marks[0], std::to_string(getsid(0)) + " never");
  EXPECT_EQ(marks[0].substr(marks[0].find(' ')), " never");
  EXPECT_STREQ(Items()["a.c"]->Description, "Up-to-date");
  host.ClosePluginPanel();

  // A login that fails: the panel says the states were not read, naming
  // the host.
  WriteFile(wc + "/CVS/Root", ":ext:nohost.invalid:" + sandbox.Repository() + "\n");
  env.Set("CVS_RSH", "false");
  host.Messages.clear();
  host.script.Message.push_back(standin::Answer(1));
  OpenPanel(wc);
  EXPECT_NE(std::string(host.ActivePanel().Described.InfoLines[3].Data)
                .find("cvs cannot log in to nohost.invalid without asking"),
            std::string::npos)
      << host.ActivePanel().Described.InfoLines[3].Data;
}

class SharedCommand : public CommandTest {
 protected:
  // The client's runs of "cvs stat" (the server the login starts is
  // recorded too).
  size_t StatusRuns() {
    size_t runs = 0;
    for (const std::string &call : CvsCalls()) runs += call.find("[stat]") != std::string::npos;
    return runs;
  }
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.c", "a\n"}});
    env.Unset("CVSROOT");
  }
};

TEST_F(SharedCommand, ACommandToAHostAsksOnceNamingItAndCancelRunsNothing) {
  RemoteHost login(tools.Path());
  WriteFile(wc + "/CVS/Root", ":ext:me@localhost:" + sandbox.Repository() + "\n");
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], "cvs would log in to the host localhost,")
      << Joined(host.Messages[0]);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(login.Marks().empty());

  host.Messages.clear();
  host.script.Message.push_back(standin::Answer(1));  // Run
  host.script.Message.push_back(standin::Answer(0));  // the command's own confirmation
  Run(Command::Stat);
  EXPECT_EQ(StatusRuns(), 1u);
  EXPECT_EQ(login.Marks().size(), 1u);
  // Confirmed for this working copy: the next command asks only its own.
  host.Messages.clear();
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Stat);
  ASSERT_EQ(host.Messages.size(), 1u) << Joined(host.Messages[1]);
  EXPECT_EQ(host.Messages[0].Lines[0], "Show stat for 1 item(s)");
  EXPECT_EQ(StatusRuns(), 2u);
  ExpectNoTempFiles();
}

TEST_F(SharedCommand, ACommandLetRunInASharedRepositoryLetsThePanelRunThere) {
  Shell("chmod o+w " + ShellQuote(sandbox.Repository() + "/CVSROOT"));
  host.script.Message.push_back(standin::Answer(1));  // Run
  host.script.Message.push_back(standin::Answer(0));  // the command's own confirmation
  Run(Command::Stat);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_NE(Joined(host.Messages[0]).find("/CVSROOT can be written by other users"),
            std::string::npos)
      << Joined(host.Messages[0]);
  EXPECT_EQ(LastCvsCall().find("[stat]"), 0u);
  // The panel on the same working copy asks nothing more and runs cvs.
  host.Messages.clear();
  host.Dialogs.clear();
  host.ActivePanel().CurDir = wc;
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  host.OpenPluginPanel(module, panel);
  EXPECT_TRUE(host.Messages.empty()) << Joined(host.Messages[0]);
  EXPECT_EQ(CvsRuns(), 1);
  EXPECT_STREQ(Items()["a.c"]->Description, "Up-to-date");
  host.ClosePluginPanel();
}

TEST_F(SharedCommand, ARootChangedWhileTheMessageIsTypedIsRefused) {
  WriteFile(wc + "/a.c", "changed\n");
  // A second repository that the working copy is pointed at meanwhile.
  const std::string elsewhere = sandbox.Root() + "/elsewhere";
  Shell("cvs -d " + ShellQuote(elsewhere) + " init && mkdir " + ShellQuote(elsewhere + "/proj"));
  const std::string root = wc + "/CVS/Root";
  host.script.Editor.push_back([root, elsewhere](standin::EditorCall &call) {
    WriteFile(root, elsewhere + "\n");
    return standin::AppendAndSave("the message\n")(call);
  });
  host.script.Message.push_back(standin::Answer(0));  // the confirmation
  host.script.Message.push_back(standin::Answer(0));  // show the output
  Run(Command::Commit);
  // The dry run before the editor ran; the commit did not start.
  const std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].find("[-n][-q][update]"), 0u);
  EXPECT_FALSE(Exists(elsewhere + "/proj/a.c,v"));
  bool said = false;
  for (const standin::EditorCall &editor : host.Editors)
    said = said || editor.Content.find("changed after it was checked") != std::string::npos;
  EXPECT_TRUE(said) << (host.Editors.empty() ? "" : host.Editors.back().Content)
                    << (host.Messages.empty() ? "" : Joined(host.Messages.back()));
  ExpectNoTempFiles();
}

TEST(PrivateTempFiles, EachLiesInAFolderOfItsOwnThatGoesWithIt) {
  if (!RunsUnprivileged()) return;
  TempDir dir;
  ScopedEnv env;
  // A temporary folder that any user can write, as a shared TMPDIR.
  chmod(dir.Path().c_str(), 0777);
  env.Set("TMPDIR", dir.Path());
  std::string folder;
  {
    TempFile file = TempFile::Take(nullptr);
    ASSERT_FALSE(file.empty());
    folder = file.Path().substr(0, file.Path().rfind('/'));
    struct stat info;
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, geteuid());
    EXPECT_EQ(folder.substr(0, dir.Path().size() + 1), dir.Path() + "/");
    // The output is never written through a link at its place.
    unlink(file.c_str());
    WriteFile(dir / "victim", "keep\n");
    ASSERT_EQ(symlink((dir / "victim").c_str(), file.c_str()), 0);
    EXPECT_EQ(os::OpenOutputFile(file.Path()), nullptr);
    EXPECT_EQ(ReadFile(dir / "victim"), "keep\n");
    unlink(file.c_str());
  }
  EXPECT_FALSE(Exists(folder));
}

}  // namespace
